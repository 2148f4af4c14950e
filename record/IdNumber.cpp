#include "record/IdNumber.h"

#include "record/DecimalText.h"
#include "record/Vocabulary.h"

#include <vector>

namespace parvelin::record {

namespace {

// Region codes that an identity card number may begin with (GB 11643, first two digits).
bool isRegionCode(int code) {
    return (code >= 11 && code <= 15) || (code >= 21 && code <= 23) || (code >= 31 && code <= 37) ||
           (code >= 41 && code <= 46) || (code >= 50 && code <= 54) || (code >= 61 && code <= 65) ||
           code == 71 || code == 81 || code == 82;
}

// The number's characters, a double-byte character being one of them.
std::vector<GbkStringView> characters(GbkStringView text) {
    std::vector<GbkStringView> result;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length =
            isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        result.push_back(text.substr(i, length));
        i += length;
    }
    return result;
}

// Characters first..first+count-1 (1-based) joined, read as a decimal number from their leading
// digits; 0 when there are none.
int numberAt(const std::vector<GbkStringView>& chars, std::size_t first, std::size_t count) {
    std::string text;
    for (std::size_t i = first - 1; i < first - 1 + count; ++i) {
        text += chars[i];
    }
    return leadingNumberOrZero(text);
}

struct DateParts {
    int year;
    int month;
    int day;
};

// Year, month and day as an identity card number of 18 or 15 characters embeds them.
std::optional<DateParts> embeddedDate(const std::vector<GbkStringView>& chars) {
    if (chars.size() == 18) {
        return DateParts{numberAt(chars, 7, 4), numberAt(chars, 11, 2), numberAt(chars, 13, 2)};
    }
    if (chars.size() == 15) {
        return DateParts{1900 + numberAt(chars, 7, 2), numberAt(chars, 9, 2),
                         numberAt(chars, 11, 2)};
    }
    return std::nullopt;
}

std::optional<CalendarDate> calendarDate(const DateParts& parts) {
    if (parts.month < 1 || parts.month > 12 || parts.day < 1 || parts.day > 31) {
        return std::nullopt;
    }
    const CalendarDate date{std::chrono::year{parts.year},
                            std::chrono::month{unsigned(parts.month)},
                            std::chrono::day{unsigned(parts.day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// ISO 7064 MOD 11-2 over 17 digits: the weights are 2^(17-i) mod 11 for the i-th digit, and the
// check character is (12 - sum mod 11) mod 11, written "X" for 10 (GB 11643-1999, clause 7).
char checkCharacterFor(GbkStringView seventeenDigits) {
    int sum = 0;
    int weight = 1;
    for (std::size_t i = seventeenDigits.size(); i-- > 0;) {
        weight = weight * 2 % 11;
        sum += (seventeenDigits[i] - '0') * weight;
    }
    const int check = (12 - sum % 11) % 11;
    return check == 10 ? 'X' : static_cast<char>('0' + check);
}

// The number with a check character "x" written "X". The last character must be the byte "x"
// itself, not the second byte of a double-byte character.
GbkString withCapitalCheckCharacter(GbkString number) {
    if (const auto chars = characters(number); chars.size() == 18 && chars.back() == "x") {
        number.back() = 'X';
    }
    return number;
}

} // namespace

bool idNumberLooksValid(GbkStringView documentType, GbkStringView documentNumber) {
    if (documentType != word::kIdentityCard) {
        return true;
    }
    const auto chars = characters(documentNumber);
    const auto parts = embeddedDate(chars);
    if (!parts || !isRegionCode(numberAt(chars, 1, 2))) {
        return false;
    }
    return parts->year >= 1 && parts->year <= 9999 && calendarDate(*parts).has_value();
}

std::optional<CalendarDate> birthDateFromIdNumber(GbkStringView documentType,
                                                  GbkStringView documentNumber) {
    if (documentType != word::kIdentityCard) {
        return std::nullopt;
    }
    const auto chars = characters(documentNumber);
    const auto parts = embeddedDate(chars);
    if (!parts) {
        return std::nullopt;
    }
    const bool eighteen = chars.size() == 18;
    const int lowestYear = eighteen ? 100 : 1900;
    const int highestYear = eighteen ? 9999 : 1999;
    if (parts->year < lowestYear || parts->year > highestYear) {
        return std::nullopt;
    }
    return calendarDate(*parts);
}

IdNumberForm idNumberForm(GbkStringView documentType, GbkStringView documentNumber) {
    if (documentType != word::kIdentityCard) {
        return IdNumberForm::Unexamined;
    }
    const bool eighteen = documentNumber.size() == 18;
    const GbkStringView digits = eighteen ? documentNumber.substr(0, 17) : documentNumber;
    for (const char c : digits) {
        if (!isDigit(c)) {
            return IdNumberForm::NotDigits;
        }
    }
    if (!eighteen) {
        return IdNumberForm::Consistent;
    }
    const char check = documentNumber[17];
    if (!isDigit(check) && check != 'X') {
        return IdNumberForm::NotDigits;
    }
    return check == checkCharacterFor(digits) ? IdNumberForm::Consistent
                                              : IdNumberForm::CheckCharacterWrong;
}

std::optional<GbkStringView> sexFromIdNumber(GbkStringView documentType,
                                             GbkStringView documentNumber) {
    if (documentType != word::kIdentityCard ||
        (documentNumber.size() != 18 && documentNumber.size() != 15)) {
        return std::nullopt;
    }
    const char sequence = documentNumber[documentNumber.size() == 18 ? 16 : 14];
    if (!isDigit(sequence)) {
        return std::nullopt;
    }
    return (sequence - '0') % 2 == 1 ? word::kMale : word::kFemale;
}

GbkString idNumberKey(GbkStringView documentNumber) {
    return withCapitalCheckCharacter(trimmed(documentNumber));
}

} // namespace parvelin::record
