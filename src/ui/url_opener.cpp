#include "ui/url_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace kardomel {

namespace {

class TDesktopUrlOpener : public TUrlOpener {
 public:
  void OpenUrl(const std::string& url) override {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
  }
};

}  // namespace

TUrlOpener& DesktopUrlOpener() {
  static TDesktopUrlOpener opener;
  return opener;
}

void OpenUrl(TUrlOpener& opener, const QUrl& url) {
  opener.OpenUrl(url.toString(QUrl::FullyEncoded).toStdString());
}

}  // namespace kardomel
