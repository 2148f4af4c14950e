#include "widgets/GbkInput.h"

#include "datafile/DataFile.h"
#include "input/FieldCaps.h"
#include "widgets/QtText.h"

#include <limits>

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace parvelin::widgets {

std::size_t gbkBytes(const QString& text) {
    const record::GbkString gbk = toGbk(text);
    return gbk.size() + static_cast<std::size_t>(text.count(QLatin1Char('\n')));
}

namespace {

// The lines of a multi-line box's text, whose breaks it gives as line feeds.
std::size_t lineCount(const QString& text) {
    return static_cast<std::size_t>(text.count(QLatin1Char('\n'))) + 1;
}

} // namespace

GbkValidator::GbkValidator(QLineEdit* edit, std::optional<std::size_t> byteCap, bool digitsOnly)
    : QValidator(edit)
    , m_edit(edit)
    , m_byteCap(byteCap)
    , m_digitsOnly(digitsOnly)
    , m_acceptedBytes(gbkBytes(edit->text()))
    , m_acceptedLength(static_cast<std::size_t>(edit->text().size())) {
    edit->setValidator(this);
    // Qt's own maximum would cut a long value from a data file, which must be shown and stored
    // back whole; this guard stops typing at the same limit instead.
    edit->setMaxLength(std::numeric_limits<int>::max());
}

void GbkValidator::setLoadedText(const QString& text) {
    {
        const QScopedValueRollback loading(m_loading, true);
        if (m_edit->text() != text) {
            m_edit->setText(text);
        }
    }
    m_acceptedBytes = gbkBytes(text);
    m_acceptedLength = static_cast<std::size_t>(text.size());
}

QValidator::State GbkValidator::validate(QString& input, int&) const {
    if (m_loading) {
        return Acceptable;
    }
    if (!isGbkText(input)) {
        emit characterRefused();
        return Invalid;
    }
    if (m_digitsOnly) {
        for (const QChar c : input) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return Invalid;
            }
        }
    }
    const std::size_t bytes = gbkBytes(input);
    const auto length = static_cast<std::size_t>(input.size());
    if (!input::admitsEdit(m_acceptedBytes, bytes, m_byteCap) ||
        !input::admitsEdit(m_acceptedLength, length, datafile::kEditBoxCharacterLimit)) {
        return Invalid;
    }
    m_acceptedBytes = bytes;
    m_acceptedLength = length;
    return Acceptable;
}

LatinLineEdit::LatinLineEdit(QWidget* parent)
    : QLineEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}

// Input methods ask whether the focus takes their text; a line edit says yes whenever it is
// enabled and not read-only, whatever its input-method attribute.
QVariant LatinLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled) {
        return false;
    }
    return QLineEdit::inputMethodQuery(query);
}

void LatinLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    event->ignore();
}

GbkPlainTextEdit::GbkPlainTextEdit(QWidget* parent)
    : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // At a fractional scale (150 %) the text area, rounded to whole device pixels, would cover
    // three of the frame's edges. Kept a pixel inside them, over the box's own base colour, it
    // leaves all four showing at every scale.
    setViewportMargins(1, 1, 1, 1);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    connect(this, &QPlainTextEdit::textChanged, this, &GbkPlainTextEdit::checkEdit);
}

void GbkPlainTextEdit::setLoadedText(const QString& text) {
    const QScopedValueRollback setting(m_settingText, true);
    m_accepted = text;
    if (toPlainText() != text) {
        setPlainText(text);
        moveCursor(QTextCursor::End);
    }
}

void GbkPlainTextEdit::checkEdit() {
    if (m_settingText) {
        return;
    }
    const QString text = toPlainText();
    const bool storable = isGbkText(text);
    const bool fitsLines = input::admitsEdit(lineCount(m_accepted), lineCount(text), m_lineCap);
    if (storable && fitsLines &&
        input::admitsEdit(gbkBytes(m_accepted), gbkBytes(text), m_byteCap)) {
        m_accepted = text;
        emit textEdited();
        return;
    }
    // Put the text back as it was, with the caret where the refused edit began.
    const int caret =
        std::max(0, textCursor().position() - static_cast<int>(text.size() - m_accepted.size()));
    {
        const QScopedValueRollback setting(m_settingText, true);
        setPlainText(m_accepted);
        QTextCursor cursor = textCursor();
        cursor.setPosition(std::min(caret, static_cast<int>(m_accepted.size())));
        setTextCursor(cursor);
    }
    if (!storable) {
        emit characterRefused();
    } else if (!fitsLines) {
        emit lineCapReached();
    }
}

} // namespace parvelin::widgets
