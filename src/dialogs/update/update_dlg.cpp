#include "dialogs/update/update_dlg.h"

#include <QDesktopServices>
#include <QUrl>

#include "dialogs/update/frm_update.h"
#include "support/maker.h"

namespace kardomel {

QString DefaultPadFileURL() { return QString::fromUtf8(kMakerWebAddress) + "/pad/kdm.xml"; }

bool TUpdateDlg::Execute(QWidget* parent) {
  TFrmUpdate form(parent);
  form.FPadFileURL = PadFileURL;
  return form.exec() == QDialog::Accepted;
}

bool RunUpdateCheck(TUpdateDlg& dlg, QWidget* parent) {
  if (!dlg.Execute(parent)) return false;
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(kMakerWebAddress)));
  return true;
}

}  // namespace kardomel
