#include "input/FormRules.h"

#include "app/Vocabulary.h"

namespace parvelin::input {

bool filingNumberInUse(app::GbkStringView filingStatus) {
    return filingStatus == app::word::kOther;
}

bool heldPassportNumberInUse(app::GbkStringView heldPassportStatus) {
    return heldPassportStatus != app::word::kNone && heldPassportStatus != app::word::kBlank &&
           !heldPassportStatus.empty();
}

bool positionOtherInUse(app::GbkStringView position) {
    return position == app::word::kOther;
}

bool ethnicityOtherInUse(app::GbkStringView ethnicity) {
    return ethnicity == app::word::kOther;
}

bool isEnabled(app::Field field, FormState state, const app::MemberRecord& record) {
    using app::Field;
    if (field == Field::unitCode || field == Field::unitName || state == FormState::Opened) {
        return false;
    }
    const bool editing = state == FormState::Editing;
    switch (field) {
    case Field::filingNumber:
        return editing && filingNumberInUse(record.filingStatus);
    case Field::heldPassportNumber:
        return editing && heldPassportNumberInUse(record.heldPassportStatus);
    case Field::positionOther:
        return editing && positionOtherInUse(record.position);
    case Field::ethnicityOther:
        return editing && ethnicityOtherInUse(record.ethnicity);
    default:
        return true;
    }
}

bool dotButtonsEnabled(FormState state) {
    return state != FormState::Opened;
}

app::GbkString personalSequenceAfterChange(app::GbkStringView value) {
    if (value == "0") {
        return {};
    }
    if (!value.empty() && value.front() == '0') {
        return app::GbkString(value.substr(1));
    }
    return app::GbkString(value);
}

std::optional<app::GbkString> remarksForCategory(app::GbkStringView category) {
    app::GbkString trimmed = app::trimmed(category);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    return trimmed;
}

} // namespace parvelin::input
