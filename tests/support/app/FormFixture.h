#pragma once

#include "app/MainForm.h"
#include "tests/support/PinyinTables.h"
#include "tests/support/app/FormDriver.h"
#include "tests/support/app/ScriptedServices.h"

#include <memory>

#include <QTemporaryDir>
#include <QTest>

namespace parvelin::test {

// A main form on scripted services in a fresh temporary folder, shown and active; its clock
// stands at the given second.
class FormFixture {
public:
    explicit FormFixture(std::int64_t epochSeconds = ScriptedServices::kFirstSecond)
        : services(folder.path(), epochSeconds)
        , form(loadedPinyinTable(), services) {
        form.show();
        form.activateWindow();
    }

    bool ready() { return folder.isValid() && QTest::qWaitForWindowActive(&form); }

    template <typename Widget = QWidget>
    Widget* find(const char* name) {
        return form.findChild<Widget*>(QLatin1String(name));
    }

    QTemporaryDir folder;
    ScriptedServices services;
    app::MainForm form;
};

inline QString utf8(record::GbkStringView gbk) {
    return QString::fromStdString(record::gbkToUtf8Lossy(gbk));
}

} // namespace parvelin::test
