#pragma once

#include "input/NameRomanizer.h"
#include "record/GbkText.h"

#include <optional>
#include <string_view>
#include <vector>

namespace parvelin::input {

// What the name fields do as the operator types, for the main form and the identity editor alike.

// The answers of Save and of the identity editor's OK while a candidate list waits for a choice.
namespace message {
inline constexpr std::string_view kChooseSurnamePinyin = "请选择中文姓拼音";
inline constexpr std::string_view kChooseGivenNamePinyin = "请选择中文名拼音";
} // namespace message

// The refusal while a choice is pending; the surname is asked for first.
std::optional<std::string_view> pendingChoiceMessage(bool surnameListShown,
                                                     bool givenNameListShown);

// Which of the two Chinese name fields: the surname box romanizes through the surname table
// (NameRomanizer::romanizeSurname), the given-name box through the pinyin table alone.
enum class NameSide { Surname, GivenName };

// The outcome of a change of a Chinese name field.
struct NameChange {
    record::GbkString name;                    // the name as the field keeps it: without spaces
    std::optional<record::GbkString> pinyin;   // the pinyin field's new text, when it changes
    std::vector<record::GbkString> candidates; // two or more: the list to offer
    std::optional<bool> showList;              // show or hide the candidate list; none: leave it

    bool operator==(const NameChange&) const = default;
};

// `previous` is the name before the change and `typed` the field's text now. Blanks and
// full-width spaces are taken out of the name. A name that is the same as before while no list is
// open changes nothing else. An empty name hides the list and empties the pinyin; a name with one
// candidate puts it into the pinyin field without spaces and hides the list; with two or more the
// list opens and the pinyin waits for the operator's choice.
NameChange nameFieldChanged(const NameRomanizer& romanizer, NameSide side,
                            record::GbkStringView previous, record::GbkStringView typed,
                            bool listShown);

// The pinyin field's text for a candidate the operator chose: the candidate without spaces.
record::GbkString chosenCandidate(record::GbkStringView candidate);

// The "·" buttons: the middle dot after the Chinese name part and "-" after its pinyin, the same
// correspondence the romanizer gives the dot.
struct NamePart {
    record::GbkString chinese;
    record::GbkString pinyin;

    bool operator==(const NamePart&) const = default;
};
NamePart withNameDot(NamePart part);

} // namespace parvelin::input
