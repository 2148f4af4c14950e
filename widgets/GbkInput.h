#pragma once

#include "record/GbkText.h"

#include <cstddef>
#include <optional>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

namespace parvelin::widgets {

// Guards of the edit boxes: a character GBK cannot hold is refused where it is typed or pasted
// (the record would lose it), and the byte cap counts GBK bytes, a Chinese character as 2 (Qt's
// own maximum length counts UTF-16 units). A refused edit leaves the box's text as it was. The
// caps stop typing and pasting only: a longer value set from the record is shown whole.

// The GBK bytes of a control's text; line breaks count as CR LF, as the record holds them.
std::size_t gbkBytes(const QString& text);

class GbkValidator final : public QValidator {
    Q_OBJECT
public:
    // Guards `edit`, which becomes its parent.
    // Typing stops at the byte cap, if any, and at the edit limit that boxes without one keep
    // (datafile::kEditBoxCharacterLimit), which bounds the size of every data file.
    GbkValidator(QLineEdit* edit, std::optional<std::size_t> byteCap, bool digitsOnly);

    void setByteCap(std::optional<std::size_t> byteCap) { m_byteCap = byteCap; }
    std::optional<std::size_t> byteCap() const { return m_byteCap; }

    // Sets a value from the record: the text is taken as it is, whatever its length or content,
    // and the next edit is measured against it. The box keeps its text (and caret) when equal.
    void setLoadedText(const QString& text);

    State validate(QString& input, int& position) const override;

signals:
    // An edit brought in a character that GBK cannot hold.
    void characterRefused() const;

private:
    QLineEdit* m_edit;
    std::optional<std::size_t> m_byteCap;
    bool m_digitsOnly = false;
    bool m_loading = false;
    mutable std::size_t m_acceptedBytes = 0;
    mutable std::size_t m_acceptedLength = 0; // UTF-16 units, as Qt's edit limit counts them
};

// An edit box for Latin letters and digits (pinyin, document and photo numbers, codes). It tells
// input methods that it takes no input-method text, so that they switch off while it has the
// keyboard, and drops what one sends all the same: a Chinese character in a pinyin or a number
// would be stored and printed as it came.
class LatinLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit LatinLineEdit(QWidget* parent);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
};

// The multi-line remarks box with the same guards, and a cap on its lines that stops a line
// break as the byte cap stops a character. The form listens to textEdited, which is emitted for
// admitted edits of the operator only.
class GbkPlainTextEdit final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit GbkPlainTextEdit(QWidget* parent);

    void setByteCap(std::optional<std::size_t> byteCap) { m_byteCap = byteCap; }
    std::optional<std::size_t> byteCap() const { return m_byteCap; }
    void setLineCap(std::optional<std::size_t> lineCap) { m_lineCap = lineCap; }

    // Sets a value from the record: not refused, and no textEdited.
    void setLoadedText(const QString& text);

signals:
    void textEdited();
    void characterRefused();
    void lineCapReached(); // an edit would have made more lines than the cap

private:
    void checkEdit();

    std::optional<std::size_t> m_byteCap;
    std::optional<std::size_t> m_lineCap;
    QString m_accepted;
    bool m_settingText = false;
};

} // namespace parvelin::widgets
