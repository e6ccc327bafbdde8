// The update check as the options dialog uses it: TUpdateDlg holds the PAD
// file's address and runs the dialog; "Updaten" leads to the maker's site.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace kardomel {

class TLauncher;

// The maker's PAD file: the web address followed by "/pad/kdm.xml".
QString DefaultPadFileURL();

class TUpdateDlg : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString PadFileURL MEMBER PadFileURL)

 public:
  explicit TUpdateDlg(QObject* parent = nullptr) : QObject(parent) {}

  QString PadFileURL = DefaultPadFileURL();

  // Shows a TFrmUpdate modally over Parent; true exactly when it was closed
  // through "Updaten".
  bool Execute(QWidget* parent);
};

// The body of the options dialog's "Auf neue Version überprüfen": runs Dlg
// and, after "Updaten", has Opener open the maker's web address. Returns
// what Execute returned.
bool RunUpdateCheck(TUpdateDlg& dlg, QWidget* parent, TLauncher& opener);

}  // namespace kardomel
