// The program speaks German whatever the system's language: Qt's own texts
// (the edit fields' context menu, the standard dialogs, the file types) come
// from Qt's German translations, and numbers, sizes and dates are written
// with a German QLocale, also under LANG=C.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace kardomel {

// The locale every number, size and date of the program is written in.
QLocale GermanLocale();
// Makes GermanLocale the default locale and installs Qt's German
// translations (qtbase_de) into App. False when the translations were not
// found; the program's own texts are German all the same.
bool UseGermanThroughout(QCoreApplication& app);
// The folder the translations were looked for in, for a message.
QString QtTranslationsFolder();

}  // namespace kardomel
