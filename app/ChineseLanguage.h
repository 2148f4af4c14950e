#pragma once

namespace parvelin::app {

// The program speaks Chinese whatever the desktop's locale. Qt's own texts (the buttons of
// message boxes, the file and print dialogs and their questions) come from Qt's Chinese
// translation, which Debian installs with qt6-translations-l10n; the calendar's month and day
// names and its first day of the week, and the dates in Qt's dialogs, from the Chinese locale.
// Called once the application object exists. False when Qt's translation is not installed: its
// texts then stay English.
bool useChineseLanguage();

// The two halves of it. The locale, before any window: a control takes the locale it is made
// with. The translation may wait until the first window is up, as long as no box or dialog of
// Qt's has been made.
void useChineseLocale();
bool useChineseTranslation();

} // namespace parvelin::app
