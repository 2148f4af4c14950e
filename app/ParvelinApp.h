#pragma once

#include "input/PinyinTable.h"

#include <QApplication>

namespace parvelin::app {

// The program: it loads the pinyin table, then runs the main form modally; the program ends when
// the form closes.
class ParvelinApp final : public QApplication {
    Q_OBJECT
public:
    ParvelinApp(int& argc, char** argv);

    int run();

    const input::PinyinTable& pinyinTable() const { return m_pinyinTable; }

private:
    input::PinyinTable m_pinyinTable;
};

} // namespace parvelin::app
