#include "app/FormBinding.h"

#include "app/TitleComboBox.h"
#include "widgets/GbkInput.h"
#include "widgets/ListControls.h"
#include "widgets/QtText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTextCursor>

namespace parvelin::app {

namespace {

QDate toQDate(const record::CalendarDate& date) {
    return QDate(static_cast<int>(date.year()),
                 static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

record::CalendarDate toCalendarDate(const QDate& date) {
    return record::CalendarDate{std::chrono::year{date.year()},
                                std::chrono::month{static_cast<unsigned>(date.month())},
                                std::chrono::day{static_cast<unsigned>(date.day())}};
}

// The record keeps line breaks as CR LF; the multi-line box shows them as line feeds.
QString withLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString withCarriageReturns(QString text) {
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

std::size_t indexOf(record::Field field) {
    return static_cast<std::size_t>(field);
}

} // namespace

void FormBinding::bind(record::Field field, QWidget* control) {
    m_controls[indexOf(field)] = control;
}

void FormBinding::bindTitleList(TitleComboBox* titleList) {
    m_titleList = titleList;
    bind(record::Field::externalIdentityNoteChoice, titleList);
}

void FormBinding::guard(record::Field field, widgets::GbkValidator* guard) {
    m_guards[indexOf(field)] = guard;
}

QWidget* FormBinding::control(record::Field field) const {
    const std::size_t index = indexOf(field);
    return index < kFieldCount ? m_controls[index] : nullptr;
}

QLineEdit* FormBinding::lineEdit(record::Field field) const {
    return qobject_cast<QLineEdit*>(control(field));
}

QComboBox* FormBinding::list(record::Field field) const {
    return qobject_cast<QComboBox*>(control(field));
}

widgets::GbkPlainTextEdit* FormBinding::remarks() const {
    return static_cast<widgets::GbkPlainTextEdit*>(control(record::Field::remarks));
}

widgets::GbkValidator* FormBinding::guardOf(record::Field field) const {
    const std::size_t index = indexOf(field);
    return index < kFieldCount ? m_guards[index] : nullptr;
}

std::optional<record::Field> FormBinding::fieldOf(const QObject* object) const {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (m_controls[i] == object) {
            return static_cast<record::Field>(i);
        }
    }
    return std::nullopt;
}

void FormBinding::read(record::MemberRecord& record) const {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        readField(static_cast<record::Field>(i), record);
    }
}

void FormBinding::write(const record::MemberRecord& record) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        writeField(static_cast<record::Field>(i), record);
    }
}

void FormBinding::readField(record::Field field, record::MemberRecord& record) const {
    if (record::CalendarDate* date = record::dateValue(record, field)) {
        *date = toCalendarDate(static_cast<QDateEdit*>(control(field))->date());
        return;
    }
    record::GbkString& value = *record::textValue(record, field);
    if (auto* box = list(field)) {
        value = widgets::selectedEntry(box);
        return;
    }
    value = currentText(field);
}

record::GbkString FormBinding::currentText(record::Field field) const {
    const std::size_t index = indexOf(field);
    QString text;
    if (field == record::Field::externalIdentityNote) {
        text = m_titleList->noteText();
    } else if (field == record::Field::remarks) {
        text = withCarriageReturns(remarks()->toPlainText());
    } else {
        text = lineEdit(field)->text();
    }
    return text == m_shown[index].text ? m_shown[index].value : widgets::toGbk(text);
}

void FormBinding::writeField(record::Field field, const record::MemberRecord& record) {
    if (const record::CalendarDate* date = record::dateValue(record, field)) {
        static_cast<QDateEdit*>(control(field))->setDate(toQDate(*date));
        return;
    }
    const record::GbkString& value = *record::textValue(record, field);
    if (auto* box = list(field)) {
        widgets::loadEntry(box, value);
        return;
    }
    const QString text = widgets::fromGbk(value);
    if (field == record::Field::externalIdentityNote) {
        m_titleList->setNoteText(text);
    } else if (field == record::Field::remarks) {
        remarks()->setLoadedText(withLineFeeds(text));
    } else {
        m_guards[indexOf(field)]->setLoadedText(text);
    }
    m_shown[indexOf(field)] = {
        field == record::Field::remarks ? withCarriageReturns(withLineFeeds(text)) : text, value};
}

QString FormBinding::textStaying(record::Field field) const {
    if (field == record::Field::remarks) {
        const QTextCursor cursor = remarks()->textCursor();
        QString text = remarks()->toPlainText();
        text.remove(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
        return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    const QLineEdit* edit = lineEdit(field);
    QString text = edit->text();
    if (edit->hasSelectedText()) {
        text.remove(edit->selectionStart(), edit->selectedText().size());
    }
    return text;
}

std::optional<std::size_t> FormBinding::byteCapOf(record::Field field) const {
    if (field == record::Field::remarks) {
        return remarks()->byteCap();
    }
    const widgets::GbkValidator* guard = guardOf(field);
    return guard ? guard->byteCap() : std::nullopt;
}

} // namespace parvelin::app
