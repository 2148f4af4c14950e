#pragma once

#include "record/GbkText.h"
#include "record/MemberRecord.h"

#include <span>

namespace parvelin::record {

// The fixed vocabularies of the main form, held in this one place for the form, the checks, the
// record text and the dependent lists. Their exact texts are the values that records store.
// Entries are GBK, in the order the form adds them.

// How a list shows its entries: in the order they were added, or in Chinese collation order.
enum class ListOrder { AsAdded, Collated };

// One list: the record field whose values it offers, the order it shows them in, its entries.
struct ReferenceList {
    Field field;
    ListOrder order;
    std::span<const GbkString> entries;
};

// The place of the related person's name in a title ("***夫人;wife of ***"), once in each half.
inline constexpr GbkStringView kNamePlaceholder = "***";

// The twelve lists of the form's template, in this order: nameDot, idDocumentType, birthPlace
// (the birthplaces at home, until first refilled), sex, occupationCategory, heldPassportStatus,
// workUnit, approvalKind, birthPlaceScope, remarkCategory, ethnicity, filingStatus.
std::span<const ReferenceList> formLists();

// The template list of a field; throws std::invalid_argument for a field without one.
const ReferenceList& formList(Field field);

// The position list that start-up and New fill: an empty entry and the civil servants' 19 posts.
const ReferenceList& defaultPositionList();

// The 129 external-identity titles: an empty entry, then 128 "Chinese;English" titles.
const ReferenceList& externalIdentityTitleList();

// The birthplaces at home (34) and abroad (198), without the empty item that the birthplace list
// puts before them.
std::span<const GbkString> domesticBirthPlaces();
std::span<const GbkString> foreignBirthPlaces();

// The positions that the position list offers for the occupational categories of a rule. A
// category that no rule names (the blank first item) offers none.
struct PositionRule {
    std::span<const GbkString> categories;
    std::span<const GbkString> positions;
};
std::span<const PositionRule> positionRules();

} // namespace parvelin::record
