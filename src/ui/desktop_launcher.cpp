#include "ui/desktop_launcher.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace kardomel {

bool TDesktopLauncher::OpenUrl(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
  return true;
}

TLauncher& DesktopLauncher() {
  static TDesktopLauncher launcher;
  return launcher;
}

void OpenUrl(TLauncher& launcher, const QUrl& url) {
  launcher.OpenUrl(url.toString(QUrl::FullyEncoded).toStdString());
}

}  // namespace kardomel
