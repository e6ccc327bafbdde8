// TFrmInfo: the options dialog "Einstellungen". It hands out the options as
// one TOptions value and takes them back; nobody else reads its controls.
// One instance lives as long as the program. Four tabs: "Info" (name,
// version, maker, update check), "Allgemein", "Verknüpfung", "Zip".
#pragma once

#include <QString>
#include <memory>

#include "delivery/options.h"
#include "ui/base_form.h"

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace kardomel {

class TInteraction;
class TQtInteraction;
class TUpdateDlg;
class TUrlLbl;
class TLauncher;

class TFrmInfo : public TqelBaseForm {
  Q_OBJECT
 public:
  explicit TFrmInfo(QWidget* parent = nullptr);
  ~TFrmInfo() override;

  // The questions of the dialog (the two "Verzeichnis ungültig." messages and
  // the folder browser) go to Interaction; null gives the dialog's own Qt
  // dialogs. Not owned; the main window passes its own so that it shares the
  // folder browser and tests can answer.
  void SetInteraction(TInteraction* interaction);
  // The links and the update check's "Updaten" open their addresses through
  // Opener; null gives the desktop's. Not owned.
  void SetLauncher(TLauncher* opener);

  // The options as the controls hold them; SetOptions puts a value into the
  // controls, and the enabling rules follow the check boxes.
  TOptions Options() const;
  void SetOptions(const TOptions& options);

  // Enabling rules: the join-destination controls and ChkAutomaticaly follow
  // ChkSendTo; the split-destination and size controls need ChkSendTo and
  // ChkAutomaticaly; EdtPsw needs ChkEncrypt enabled and ticked (and is grey
  // otherwise). A disabled control keeps its value.
  void ChkSendToClick();
  void ChkAutomaticalyClick();
  void ChkEncryptClick();
  // Browse for the split / join folder (preset: the field's text when not
  // empty); a confirmed folder goes into the field and checks RadSplitSel /
  // RadKittSel.
  void BtnSplittFolderClick();
  void BtnKittFolderClick();
  // The size field, options-dialog variant: a preset label becomes its byte
  // count, the text is learnt into the list, the tooltip shows "ca. x,y MB".
  void CbxDstSizeExit();
  // The size-entry dialog below the size field; its bytes go into CbxDstSize.
  void BtnUnitClick();
  // "Auf neue Version überprüfen": the update dialog; "Updaten" opens the
  // maker's web site.
  void BtnUpdateClick();
  // The link labels: open the web address / a mail to the maker with the
  // subject "<product> <version>".
  void EdtWWWClick();
  void EdtEmailClick();
  // True when the dialog may close with OK: with ChkSendTo ticked, a chosen
  // split folder (when automatic) and a chosen join folder must not be empty;
  // each empty one is reported as "Verzeichnis ungültig.".
  bool FormCloseQuery();

  // Sets LblVersion's "%s" to Version ("Version 9.00").
  void SetVersionText(const QString& version);

  QTabWidget* PageControl;  // tabs "Info", "Allgemein", "Verknüpfung", "Zip"
  QWidget* TabInfo;
  QWidget* TabGeneral;
  QWidget* TabShell;
  QWidget* TabZip;

  // Info.
  QLabel* Img;             // the application's icon
  QLabel* LblProductName;  // "Kardomel", large bold
  QLabel* LblVersion;      // "Version %s" until SetVersionText
  QLabel* LblNotice1;      // the maker's notice, two lines
  QLabel* LblNotice2;
  TUrlLbl* LblMail;        // the maker's mail address
  QLabel* LblInfo;         // "Aktuelle Versionen und weitere Infos bei"
  TUrlLbl* EdtWWW;         // the maker's web address (also quoted by the rejoin script)
  QLabel* ImgHome;         // picture, hint "Herstellerhomepage aufrufen"
  QPushButton* BtnUpdate;  // "Auf neue Version überprüfen"
  TUpdateDlg* UpdateDlg;   // PadFileURL: the maker's site + "/pad/kdm.xml"

  // Allgemein.
  QCheckBox* ChkHints;      // "Hinweise anzeigen", ticked
  QCheckBox* ChkGridLines;  // "Linien in der Dateiansicht anzeigen"
  QCheckBox* ChkKdmFile;    // "KDM-File immer erzeugen", ticked
  QCheckBox* ChkChecksums;    // "Prüfsummen erzeugen"
  QCheckBox* ChkShellScript;  // "Shell-Skript erzeugen"

  // Verknüpfung.
  QCheckBox* ChkSendTo;        // "Verknüpfung zu Kardomel-Dateien erstellen"
  QCheckBox* ChkAutomaticaly;  // "Automatisch splitten im"
  QRadioButton* RadSplitSrc;   // "Quellverzeichnis", checked
  QRadioButton* RadSplitSel;   // "gewählten Verzeichnis"
  QLineEdit* EdtSplitFolder;   // read-only; filled by BtnSplittFolder
  QToolButton* BtnSplittFolder;  // hint "Pfad auswählen"
  QLabel* LblSplitSize;        // "Standardsplitgröße (Bytes)"
  QComboBox* CbxDstSize;       // the default part size; digits only from the keyboard
  QToolButton* BtnUnit;        // hint "Dateigröße berechnen"
  QLabel* LblKitt;             // "Automatisch kitten im"
  QRadioButton* RadKittSrc;    // "Quellverzeichnis", checked
  QRadioButton* RadKittSel;    // "gewählten Verzeichnis"
  QLineEdit* EdtKittFolder;    // editable
  QToolButton* BtnKittFolder;  // hint "Pfad auswählen"

  // Zip.
  QRadioButton* RadLoCompress;  // "Niedrige Kompression", checked
  QRadioButton* RadHiCompress;  // "Hohe Kompression"
  QCheckBox* ChkDirNames;       // "Pfade speichern", ticked
  QCheckBox* ChkSfx;            // "Selbstauspackendes EXE-Archiv erstellen"
  QCheckBox* ChkEncrypt;        // "Archiv mit Passwort schützen"
  QLineEdit* EdtPsw;            // the archive password, shown in plain

  QPushButton* BtnOk;      // "OK", default, closes with Accepted if FormCloseQuery allows
  QPushButton* BtnCancel;  // "Abbrechen", closes with Rejected

 protected:
  // FormShow: the tab "Info", then the enabling rules.
  void showEvent(QShowEvent* event) override;
  // OK only when FormCloseQuery allows; every close evaluates the size field.
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TInteraction& Questions();
  TLauncher& Launcher();
  // The key filter of the size field: true when Event must be discarded.
  static bool RejectSizeKey(const QKeyEvent& event);

  TInteraction* interaction_ = nullptr;
  TLauncher* launcher_ = nullptr;
  std::unique_ptr<TQtInteraction> ownInteraction_;  // when none is set
  QString versionFormat_;                           // LblVersion's design text
};

}  // namespace kardomel
