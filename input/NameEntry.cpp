#include "input/NameEntry.h"

#include "app/Vocabulary.h"

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

NameChange nameFieldChanged(const NameRomanizer& romanizer, app::GbkStringView previous,
                            app::GbkStringView typed, bool listShown) {
    NameChange change;
    change.name = withoutSpaces(typed);
    if (change.name == previous && !listShown) {
        return change;
    }
    if (change.name.empty()) {
        change.pinyin = app::GbkString();
        change.showList = false;
        return change;
    }
    std::vector<app::GbkString> candidates = romanizer.romanize(change.name);
    if (candidates.size() == 1) {
        change.pinyin = withoutSpaces(candidates.front());
        change.showList = false;
    } else {
        change.candidates = std::move(candidates);
        change.showList = true;
    }
    return change;
}

app::GbkString chosenCandidate(app::GbkStringView candidate) {
    return withoutSpaces(candidate);
}

NamePart withNameDot(NamePart part) {
    part.chinese += app::word::kMiddleDot;
    part.pinyin += '-';
    return part;
}

} // namespace parvelin::input
