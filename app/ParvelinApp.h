#pragma once

#include "input/PinyinTable.h"

#include <QApplication>

namespace parvelin::app {

// The program: it shows the main form, then loads the pinyin table and Qt's Chinese texts; the
// program ends when the form closes.
class ParvelinApp final : public QApplication {
    Q_OBJECT
public:
    ParvelinApp(int& argc, char** argv);

    int run();

    const input::PinyinTable& pinyinTable() const { return m_pinyinTable; }

private:
    void loadWhatTheFormUsesLater();

    input::PinyinTable m_pinyinTable;
};

} // namespace parvelin::app
