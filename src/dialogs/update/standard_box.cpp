#include "dialogs/update/standard_box.h"

#include <QMessageBox>

namespace kardomel {
namespace {

TStandardErrorBox& Installed() {
  static TStandardErrorBox box;
  return box;
}

}  // namespace

TStandardErrorBox SetStandardErrorBox(TStandardErrorBox box) {
  TStandardErrorBox previous = std::move(Installed());
  Installed() = std::move(box);
  return previous;
}

void ShowStandardErrorBox(QWidget* parent, const QString& title, const QString& text) {
  if (Installed()) {
    Installed()(parent, title, text);
    return;
  }
  QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

}  // namespace kardomel
