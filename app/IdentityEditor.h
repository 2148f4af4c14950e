#pragma once

#include "input/NameRomanizer.h"
#include "input/TitleCompletion.h"

#include <array>

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace parvelin::widgets {
class GbkValidator;
class NamePair;
class PlatformServices;
} // namespace parvelin::widgets

namespace parvelin::app {

// The small modal dialog that asks for the name which replaces "***" in a title: Chinese surname
// and given name with their pinyin, proposed as on the main form. exec() answers Accepted only
// after OK found the names complete; names() then gives them tidied.
class IdentityEditor final : public QDialog {
    Q_OBJECT
public:
    IdentityEditor(const input::NameRomanizer& romanizer, widgets::PlatformServices& services,
                   QWidget* parent);

    const input::IdentityNames& names() const { return m_names; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Side { Surname = 0, GivenName = 1 };

    void readControls();
    void writeControls();
    void onOk();
    void moveOn(QWidget* from);

    widgets::PlatformServices& m_services;
    input::IdentityNames m_names;
    std::array<QLineEdit*, 2> m_chinese{};
    std::array<QLineEdit*, 2> m_pinyin{};
    std::array<widgets::GbkValidator*, 4> m_guards{};
    std::array<widgets::NamePair*, 2> m_pairs{};
    QPushButton* m_ok = nullptr;
    int m_silence = 0; // > 0 while the dialog writes its values to the controls
};

} // namespace parvelin::app
