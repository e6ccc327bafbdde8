#include "ui/german_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kardomel {

QLocale GermanLocale() { return QLocale(QLocale::German, QLocale::Germany); }

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool UseGermanThroughout(QCoreApplication& app) {
  QLocale::setDefault(GermanLocale());
  // Owned by the application, which keeps it installed for its whole life.
  auto* translator = new QTranslator(&app);
  if (!translator->load(GermanLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QtTranslationsFolder())) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace kardomel
