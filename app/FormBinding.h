#pragma once

#include "record/MemberRecord.h"

#include <array>
#include <cstddef>
#include <optional>

#include <QString>

class QComboBox;
class QLineEdit;
class QObject;
class QWidget;

namespace parvelin::widgets {
class GbkPlainTextEdit;
class GbkValidator;
} // namespace parvelin::widgets

namespace parvelin::app {

class TitleComboBox;

// The controls of the main form's fields and the one exchange between them and the record: every
// value goes out through write() and comes back through read(), nowhere else.
//
// A text control remembers the value it was last given: the text shown and the GBK bytes it stands
// for, so that a value whose bytes have no exact Unicode spelling goes back unchanged for as long
// as nobody edits it.
class FormBinding {
public:
    static constexpr std::size_t kFieldCount = static_cast<std::size_t>(record::Field::groupNumber);

    // Registration, as the form builds its controls. The title list stands for both the title
    // choice and the completed note it shows.
    void bind(record::Field field, QWidget* control);
    void bindTitleList(TitleComboBox* titleList);
    void guard(record::Field field, widgets::GbkValidator* guard);

    QWidget* control(record::Field field) const;
    QLineEdit* lineEdit(record::Field field) const;
    QComboBox* list(record::Field field) const;
    widgets::GbkPlainTextEdit* remarks() const;
    widgets::GbkValidator* guardOf(record::Field field) const;
    std::optional<record::Field> fieldOf(const QObject* object) const;

    // The exchange. The caller keeps its own change handlers quiet while it writes.
    void read(record::MemberRecord& record) const;
    void write(const record::MemberRecord& record);

    // A text control's value as read() would read it.
    record::GbkString currentText(record::Field field) const;
    // The text that stays when the selection is replaced, as the record holds it (CR LF).
    QString textStaying(record::Field field) const;
    std::optional<std::size_t> byteCapOf(record::Field field) const;

private:
    struct Shown {
        QString text;
        record::GbkString value;
    };

    void readField(record::Field field, record::MemberRecord& record) const;
    void writeField(record::Field field, const record::MemberRecord& record);

    std::array<QWidget*, kFieldCount> m_controls{};
    std::array<widgets::GbkValidator*, kFieldCount> m_guards{};
    std::array<Shown, kFieldCount> m_shown{};
    TitleComboBox* m_titleList = nullptr;
};

} // namespace parvelin::app
