#include "input/NameEntry.h"

#include "record/Vocabulary.h"

namespace parvelin::input {

std::optional<std::string_view> pendingChoiceMessage(bool surnameListShown,
                                                     bool givenNameListShown) {
    if (surnameListShown) {
        return message::kChooseSurnamePinyin;
    }
    if (givenNameListShown) {
        return message::kChooseGivenNamePinyin;
    }
    return std::nullopt;
}

NameChange nameFieldChanged(const NameRomanizer& romanizer, NameSide side,
                            record::GbkStringView previous, record::GbkStringView typed,
                            bool listShown) {
    NameChange change;
    change.name = withoutSpaces(typed);
    if (change.name == previous && !listShown) {
        return change;
    }
    if (change.name.empty()) {
        change.pinyin = record::GbkString();
        change.showList = false;
        return change;
    }
    std::vector<record::GbkString> candidates = side == NameSide::Surname
                                                    ? romanizer.romanizeSurname(change.name)
                                                    : romanizer.romanize(change.name);
    if (candidates.size() == 1) {
        change.pinyin = withoutSpaces(candidates.front());
        change.showList = false;
    } else {
        change.candidates = std::move(candidates);
        change.showList = true;
    }
    return change;
}

record::GbkString chosenCandidate(record::GbkStringView candidate) {
    return withoutSpaces(candidate);
}

NamePart withNameDot(NamePart part) {
    part.chinese += record::word::kMiddleDot;
    part.pinyin += '-';
    return part;
}

} // namespace parvelin::input
