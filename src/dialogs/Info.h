// TFrmInfo: the options dialog "Einstellungen". Its controls are the store of
// the options the split reads; one instance lives as long as the program.
// This holds the tabs and the options read so far; the rest of the dialog
// grows on it.
#pragma once

#include "support/qt/base_form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace kardomel {

class TFrmInfo : public TqelBaseForm {
  Q_OBJECT
 public:
  explicit TFrmInfo(QWidget* parent = nullptr);

  QTabWidget* PageControl;  // tabs "Info", "Allgemein", "Verknüpfung", "Zip"
  QWidget* TabInfo;
  QWidget* TabGeneral;
  QWidget* TabShell;
  QWidget* TabZip;

  QLabel* EdtWWW;         // the maker's web address (Info)
  QCheckBox* ChkKdmFile;  // "KDM-File immer erzeugen" (Allgemein), ticked
  QCheckBox* ChkSfx;      // "Selbstauspackendes EXE-Archiv erstellen" (Zip)
  QCheckBox* ChkEncrypt;  // "Archiv mit Passwort schützen" (Zip)
  QLineEdit* EdtPsw;      // the archive password, shown in plain (Zip)

  QPushButton* BtnOk;      // "OK", default, closes with Accepted
  QPushButton* BtnCancel;  // "Abbrechen", closes with Rejected
};

}  // namespace kardomel
