#include "widgets/ListControls.h"

#include "form/FormTexts.h"
#include "form/ListSelection.h"
#include "widgets/QtText.h"

#include <algorithm>

#include <QCollator>
#include <QComboBox>
#include <QListWidget>

namespace parvelin::widgets {

namespace {

constexpr int kGbkRole = Qt::UserRole;

QByteArray bytesOf(record::GbkStringView text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

record::GbkString gbkOf(const QVariant& data) {
    const QByteArray bytes = data.toByteArray();
    return record::GbkString(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The entries with their display texts, in the list's order.
std::vector<std::pair<QString, record::GbkString>>
displayed(std::span<const record::GbkString> entries, record::ListOrder order) {
    std::vector<std::pair<QString, record::GbkString>> items;
    items.reserve(entries.size());
    for (const record::GbkString& entry : entries) {
        items.emplace_back(fromGbk(entry), entry);
    }
    if (order == record::ListOrder::Collated) {
        static const QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
        std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
            return collator.compare(a.first, b.first) < 0;
        });
    }
    return items;
}

} // namespace

void fillList(QComboBox* list, std::span<const record::GbkString> entries,
              record::ListOrder order) {
    list->clear();
    for (const auto& [text, entry] : displayed(entries, order)) {
        list->addItem(text, bytesOf(entry));
    }
    list->setCurrentIndex(-1); // adding to an empty list selects its first entry
}

void fillList(QComboBox* list, const record::ReferenceList& reference) {
    fillList(list, reference.entries, reference.order);
}

std::vector<record::GbkString> listEntries(const QComboBox* list) {
    std::vector<record::GbkString> entries;
    entries.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) {
        entries.push_back(gbkOf(list->itemData(i, kGbkRole)));
    }
    return entries;
}

record::GbkString selectedEntry(const QComboBox* list) {
    const int index = list->currentIndex();
    return index < 0 ? record::GbkString() : gbkOf(list->itemData(index, kGbkRole));
}

void loadEntry(QComboBox* list, record::GbkStringView value) {
    if (value.empty()) {
        list->setCurrentIndex(-1);
        return;
    }
    const std::vector<record::GbkString> entries = listEntries(list);
    if (const auto index = form::entryToSelect(entries, value)) {
        list->setCurrentIndex(static_cast<int>(*index));
        return;
    }
    list->addItem(fromGbk(value), bytesOf(value));
    const int extra = list->count() - 1;
    list->setItemData(extra, qText(form::message::kNotInList), Qt::ToolTipRole);
    QFont marked = list->font();
    marked.setItalic(true);
    list->setItemData(extra, marked, Qt::FontRole);
    list->setCurrentIndex(extra);
}

void fillCandidates(QListWidget* list, std::span<const record::GbkString> candidates) {
    list->clear();
    for (const auto& [text, candidate] : displayed(candidates, record::ListOrder::Collated)) {
        auto* item = new QListWidgetItem(text, list);
        item->setData(kGbkRole, bytesOf(candidate));
    }
    list->setCurrentRow(-1);
}

record::GbkString candidateOf(const QListWidgetItem* item) {
    return gbkOf(item->data(kGbkRole));
}

} // namespace parvelin::widgets
