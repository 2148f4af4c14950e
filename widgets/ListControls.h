#pragma once

#include "record/GbkText.h"
#include "record/ReferenceLists.h"

#include <span>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace parvelin::widgets {

// The drop-down lists and list boxes of the form hold their entries as GBK bytes beside the text
// they show, so that a value goes from the record to the list and back unchanged.

// Replaces the entries of a list. A collated list shows them in Chinese collation (pinyin order,
// the empty and blank entries first), the other in the order given. Nothing is selected after.
void fillList(QComboBox* list, std::span<const record::GbkString> entries, record::ListOrder order);
void fillList(QComboBox* list, const record::ReferenceList& reference);

// The entries in the order the list shows them.
std::vector<record::GbkString> listEntries(const QComboBox* list);

// The selected entry; empty when nothing is selected.
record::GbkString selectedEntry(const QComboBox* list);

// Loads a value so that the list shows exactly it: an empty value selects nothing; otherwise the
// entry entryToSelect names is selected; a value that no entry equals or begins with (one a data
// file brought) becomes an extra entry at the end, marked as not in the list, and is selected.
void loadEntry(QComboBox* list, record::GbkStringView value);

// The candidates of a pinyin list box, sorted as the list box shows them; nothing selected.
void fillCandidates(QListWidget* list, std::span<const record::GbkString> candidates);
record::GbkString candidateOf(const QListWidgetItem* item);

} // namespace parvelin::widgets
