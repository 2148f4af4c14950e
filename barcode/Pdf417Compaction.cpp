#include "barcode/Pdf417Compaction.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace parvelin::barcode {

namespace {

// --- Text compaction -------------------------------------------------------------------------

enum class SubMode : std::uint8_t { Alpha = 1, Lower = 2, Mixed = 4, Punctuation = 8 };

// Sub-mode values of ISO/IEC 15438 text compaction.
constexpr int kSpace = 26;
// Alpha and Mixed: latch to Lower; Lower: shift to Alpha.
constexpr int kLatchLowerOrShiftAlpha = 27;
// Alpha and Lower: latch to Mixed; Mixed: latch to Alpha.
constexpr int kLatchMixedOrAlpha = 28;
// Shift to Punctuation; in Punctuation: latch to Alpha.
constexpr int kShiftPunctuationOrLatch = 29;
// Mixed: latch to Punctuation.
constexpr int kLatchPunctuation = 25;
constexpr int kSubModeBase = 30;

// ISO/IEC 15438 text compaction character sets, values 0..24 and 0..28. The nine characters of
// both sets stand at the same value in each.
constexpr std::string_view kMixedCharacters = "0123456789&\r\t,:#-.$/+%*=^";
constexpr std::string_view kPunctuationCharacters = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

// The sub-modes a byte belongs to (a set of SubMode bits; none for a byte that needs the byte
// shift) and its value there.
struct TextClass {
    std::uint8_t subModes = 0;
    std::uint8_t value = 0;
};

constexpr std::array<TextClass, 256> kTextClasses = [] {
    std::array<TextClass, 256> classes{};
    for (int letter = 0; letter < 26; ++letter) {
        classes['A' + letter] = {std::uint8_t(SubMode::Alpha), std::uint8_t(letter)};
        classes['a' + letter] = {std::uint8_t(SubMode::Lower), std::uint8_t(letter)};
    }
    classes[' '] = {std::uint8_t(SubMode::Alpha) | std::uint8_t(SubMode::Lower) |
                        std::uint8_t(SubMode::Mixed),
                    kSpace};
    for (std::size_t i = 0; i < kMixedCharacters.size(); ++i) {
        classes[std::uint8_t(kMixedCharacters[i])] = {std::uint8_t(SubMode::Mixed),
                                                      std::uint8_t(i)};
    }
    for (std::size_t i = 0; i < kPunctuationCharacters.size(); ++i) {
        TextClass& c = classes[std::uint8_t(kPunctuationCharacters[i])];
        if (c.subModes != 0 && c.value != i) {
            throw "a character of both sets must have one value";
        }
        c = {std::uint8_t(c.subModes | std::uint8_t(SubMode::Punctuation)), std::uint8_t(i)};
    }
    return classes;
}();

// Packs sub-mode values in pairs into codewords, counting those that do not fit.
class TextPacker {
public:
    explicit TextPacker(std::span<std::int32_t> out)
        : m_out(out) {}

    void value(int value) {
        if (m_pending < 0) {
            m_pending = value;
        } else {
            put(m_pending * kSubModeBase + value);
            m_pending = -1;
        }
    }
    // A byte shift must start a codeword: an odd value waiting is completed first.
    bool completeWithShift() {
        if (m_pending < 0) {
            return false;
        }
        value(kShiftPunctuationOrLatch);
        return true;
    }
    void shiftedByte(std::uint8_t byte) {
        put(kShiftToByte);
        put(byte);
    }
    int finish() {
        completeWithShift();
        return m_count;
    }

private:
    void put(int codeword) {
        if (static_cast<std::size_t>(m_count) < m_out.size()) {
            m_out[m_count] = codeword;
        }
        ++m_count;
    }

    std::span<std::int32_t> m_out;
    int m_count = 0;
    int m_pending = -1;
};

bool belongs(const TextClass& c, SubMode mode) {
    return (c.subModes & std::uint8_t(mode)) != 0;
}

// --- Text compaction: moving between sub-modes -------------------------------------------------

// Whether the two bytes after the current one both belong to a sub-mode: worth a latch rather
// than a shift.
struct Lookahead {
    std::span<const std::uint8_t> bytes;
    std::size_t at;

    bool nextTwoBelong(SubMode mode) const {
        return at + 2 < bytes.size() && belongs(kTextClasses[bytes[at + 1]], mode) &&
               belongs(kTextClasses[bytes[at + 2]], mode);
    }
};

struct SubModeChange {
    SubMode mode;        // the sub-mode after the latches written
    bool retake = false; // the byte is not yet reachable: take it again from `mode`
};

// From Alpha or Lower: latch to the other letter case, to Mixed, or through Mixed to
// Punctuation when two more punctuation bytes follow; a single punctuation byte is shifted.
SubModeChange leaveLetters(TextPacker& packer, SubMode mode, const TextClass& c,
                           const Lookahead& ahead) {
    if (mode == SubMode::Alpha && belongs(c, SubMode::Lower)) {
        packer.value(kLatchLowerOrShiftAlpha);
        return {SubMode::Lower};
    }
    if (mode == SubMode::Lower && belongs(c, SubMode::Alpha)) {
        if (ahead.nextTwoBelong(SubMode::Alpha)) {
            packer.value(kLatchMixedOrAlpha);
            packer.value(kLatchMixedOrAlpha);
            return {SubMode::Alpha};
        }
        packer.value(kLatchLowerOrShiftAlpha);
        return {mode};
    }
    if (belongs(c, SubMode::Mixed)) {
        packer.value(kLatchMixedOrAlpha);
        return {SubMode::Mixed};
    }
    if (ahead.nextTwoBelong(SubMode::Punctuation)) {
        packer.value(kLatchMixedOrAlpha);
        packer.value(kLatchPunctuation);
        return {SubMode::Punctuation};
    }
    packer.value(kShiftPunctuationOrLatch);
    return {mode};
}

// From Mixed: latch to Lower or Alpha, latch to Punctuation when two more follow, or shift.
SubModeChange leaveMixed(TextPacker& packer, const TextClass& c, const Lookahead& ahead) {
    if (belongs(c, SubMode::Lower)) {
        packer.value(kLatchLowerOrShiftAlpha);
        return {SubMode::Lower};
    }
    if (belongs(c, SubMode::Alpha)) {
        packer.value(kLatchMixedOrAlpha);
        return {SubMode::Alpha};
    }
    if (ahead.nextTwoBelong(SubMode::Punctuation)) {
        packer.value(kLatchPunctuation);
        return {SubMode::Punctuation};
    }
    packer.value(kShiftPunctuationOrLatch);
    return {SubMode::Mixed};
}

// The latches or shift that make a byte of class `c` reachable from `mode` (ISO/IEC 15438,
// text compaction sub-modes). Punctuation only latches back to Alpha, from where the byte is
// taken again.
SubModeChange changeSubMode(TextPacker& packer, SubMode mode, const TextClass& c,
                            const Lookahead& ahead) {
    switch (mode) {
    case SubMode::Alpha:
    case SubMode::Lower:
        return leaveLetters(packer, mode, c, ahead);
    case SubMode::Mixed:
        return leaveMixed(packer, c, ahead);
    case SubMode::Punctuation:
        break;
    }
    packer.value(kShiftPunctuationOrLatch);
    return {SubMode::Alpha, true};
}

// --- Numeric compaction ----------------------------------------------------------------------

constexpr int kBase = 900;
// 44 digits behind a leading 1 stay below 900^15 (ISO/IEC 15438 numeric compaction).
constexpr int kDigitsPerGroup = 44;
constexpr int kCodewordsPerGroup = 15;
// Digits are folded into the base-900 number this many at a time.
constexpr int kDigitsPerStep = 6;

int numericCodewordCount(int digits) {
    const int rest = digits % kDigitsPerGroup;
    return digits / kDigitsPerGroup * kCodewordsPerGroup + (rest != 0 ? rest / 3 + 1 : 0);
}

// Writes "1" followed by the digits as digits.size() / 3 + 1 base-900 codewords, most
// significant first.
void numericGroup(std::span<const std::uint8_t> digits, std::int32_t* out) {
    const int count = static_cast<int>(digits.size()) / 3 + 1;
    std::array<std::uint32_t, kCodewordsPerGroup> limbs{}; // least significant first
    limbs[0] = 1;
    int used = 1;
    for (std::size_t i = 0; i < digits.size(); i += kDigitsPerStep) {
        const std::size_t stepDigits = std::min<std::size_t>(kDigitsPerStep, digits.size() - i);
        std::uint64_t multiplier = 1;
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < stepDigits; ++k) {
            multiplier *= 10;
            carry = carry * 10 + (digits[i + k] - '0');
        }
        for (int limb = 0; limb < used; ++limb) {
            const std::uint64_t value = limbs[limb] * multiplier + carry;
            limbs[limb] = static_cast<std::uint32_t>(value % kBase);
            carry = value / kBase;
        }
        while (carry != 0) {
            limbs[used++] = static_cast<std::uint32_t>(carry % kBase);
            carry /= kBase;
        }
    }
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<std::int32_t>(limbs[count - 1 - i]);
    }
}

// --- Byte compaction -------------------------------------------------------------------------

constexpr int kBytesPerGroup = 6;
constexpr int kCodewordsPerByteGroup = 5;

} // namespace

int compactText(std::span<const std::uint8_t> bytes, std::span<std::int32_t> out) {
    TextPacker packer(out);
    SubMode mode = SubMode::Alpha;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const TextClass c = kTextClasses[bytes[k]];
        if (belongs(c, mode)) {
            packer.value(c.value);
            continue;
        }
        if (c.subModes == 0) {
            // A shift value completing an odd count latches Punctuation back to Alpha.
            if (packer.completeWithShift() && mode == SubMode::Punctuation) {
                mode = SubMode::Alpha;
            }
            packer.shiftedByte(bytes[k]);
            continue;
        }
        const SubModeChange change = changeSubMode(packer, mode, c, Lookahead{bytes, k});
        mode = change.mode;
        if (change.retake) {
            --k;
            continue;
        }
        packer.value(c.value);
    }
    return packer.finish();
}

int compactNumeric(std::span<const std::uint8_t> digits, std::span<std::int32_t> out) {
    const int count = numericCodewordCount(static_cast<int>(digits.size()));
    if (static_cast<std::size_t>(count) > out.size()) {
        return count;
    }
    std::int32_t* next = out.data();
    for (std::size_t i = 0; i < digits.size(); i += kDigitsPerGroup) {
        const auto group =
            digits.subspan(i, std::min<std::size_t>(kDigitsPerGroup, digits.size() - i));
        numericGroup(group, next);
        next += group.size() / 3 + 1;
    }
    return count;
}

int compactBytes(std::span<const std::uint8_t> bytes, std::span<std::int32_t> out) {
    const std::size_t groups = bytes.size() / kBytesPerGroup;
    const std::size_t rest = bytes.size() % kBytesPerGroup;
    const int count = static_cast<int>(groups * kCodewordsPerByteGroup + rest);
    if (static_cast<std::size_t>(count) > out.size()) {
        return count;
    }
    std::int32_t* next = out.data();
    for (std::size_t g = 0; g < groups; ++g) {
        std::uint64_t value = 0;
        for (int k = 0; k < kBytesPerGroup; ++k) {
            value = value << 8 | bytes[g * kBytesPerGroup + k];
        }
        for (int k = kCodewordsPerByteGroup - 1; k >= 0; --k) {
            next[k] = static_cast<std::int32_t>(value % kBase);
            value /= kBase;
        }
        next += kCodewordsPerByteGroup;
    }
    for (std::size_t k = bytes.size() - rest; k < bytes.size(); ++k) {
        *next++ = bytes[k];
    }
    return count;
}

} // namespace parvelin::barcode
