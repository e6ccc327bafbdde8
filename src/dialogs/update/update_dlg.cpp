#include "dialogs/update/update_dlg.h"

#include <QUrl>

#include "dialogs/update/frm_update.h"
#include "support/maker.h"
#include "ui/desktop_launcher.h"

namespace kardomel {

QString DefaultPadFileURL() { return QString::fromUtf8(kMakerWebAddress) + "/pad/kdm.xml"; }

bool TUpdateDlg::Execute(QWidget* parent) {
  TFrmUpdate form(parent);
  form.FPadFileURL = PadFileURL;
  return form.exec() == QDialog::Accepted;
}

bool RunUpdateCheck(TUpdateDlg& dlg, QWidget* parent, TLauncher& opener) {
  if (!dlg.Execute(parent)) return false;
  OpenUrl(opener, QUrl(QString::fromUtf8(kMakerWebAddress)));
  return true;
}

}  // namespace kardomel
