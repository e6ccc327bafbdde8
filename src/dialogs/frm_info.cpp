#include "dialogs/frm_info.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

#include "dialogs/frm_bytes.h"
#include "dialogs/update/update_dlg.h"
#include "engine/part_size.h"
#include "support/globals.h"
#include "support/maker.h"
#include "ui/qt_interaction.h"
#include "ui/qt_text.h"
#include "ui/size_field.h"
#include "ui/url_label.h"
#include "ui/desktop_launcher.h"

namespace kardomel {

namespace {

QWidget* AddTab(QTabWidget& tabs, const QString& caption, const char* name) {
  auto* tab = new QWidget(&tabs);
  tab->setObjectName(name);
  tabs.addTab(tab, caption);
  return tab;
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QToolButton* BrowseButton(QWidget* parent, const char* name, const QString& hint) {
  auto* button = Named(new QToolButton(parent), name);
  button->setText(QStringLiteral("..."));
  button->setToolTip(hint);
  return button;
}

// The two radio buttons of one choice; each pair is exclusive on its own
// although they share a tab sheet.
void Pair(QObject* owner, QRadioButton* first, QRadioButton* second) {
  auto* group = new QButtonGroup(owner);
  group->addButton(first);
  group->addButton(second);
  first->setChecked(true);
}

}  // namespace

// Customized, or the window manager adds its default minimise and maximise
// buttons: a fixed-size modal dialog has use for neither.
TFrmInfo::TFrmInfo(QWidget* parent)
    : TqelBaseForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                               Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      versionFormat_(QStringLiteral("Version %s")) {
  setObjectName("FrmInfo");
  setWindowTitle(QStringLiteral("Einstellungen"));
  // The topic of the program's help for this dialog.
  setProperty("HelpContext", 2);

  PageControl = Named(new QTabWidget(this), "PageControl");
  TabInfo = AddTab(*PageControl, QStringLiteral("Info"), "TabInfo");
  TabGeneral = AddTab(*PageControl, QStringLiteral("Allgemein"), "TabGeneral");
  TabShell = AddTab(*PageControl, QStringLiteral("Verknüpfung"), "TabShell");
  TabZip = AddTab(*PageControl, QStringLiteral("Zip"), "TabZip");

  // Info.
  Img = Named(new QLabel(TabInfo), "Img");
  Img->setFixedSize(32, 32);
  if (!qApp->windowIcon().isNull()) Img->setPixmap(qApp->windowIcon().pixmap(32, 32));
  LblProductName = Named(new QLabel(QStringLiteral("Kardomel"), TabInfo), "LblProductName");
  QFont large = LblProductName->font();
  large.setPointSizeF(large.pointSizeF() * 1.8);
  large.setBold(true);
  LblProductName->setFont(large);
  LblVersion = Named(new QLabel(versionFormat_, TabInfo), "LblVersion");
  LblNotice1 = Named(new QLabel(QStringLiteral("Copyright © 2026 Kardomel"), TabInfo), "LblNotice1");
  LblNotice2 = Named(new QLabel(QStringLiteral("Alle Rechte vorbehalten."), TabInfo), "LblNotice2");
  LblMail = Named(new TUrlLbl(QString::fromUtf8(kMakerMailAddress), TabInfo), "LblMail");
  LblMail->setTextFormat(Qt::PlainText);
  LblInfo = Named(new QLabel(QStringLiteral("Aktuelle Versionen und weitere Infos bei"), TabInfo),
                  "LblInfo");
  EdtWWW = Named(new TUrlLbl(QString::fromUtf8(kMakerWebAddress), TabInfo), "EdtWWW");
  EdtWWW->setTextFormat(Qt::PlainText);
  ImgHome = Named(new QLabel(TabInfo), "ImgHome");
  ImgHome->setPixmap(QIcon::fromTheme(QStringLiteral("go-home"), style()->standardIcon(QStyle::SP_DirHomeIcon))
                         .pixmap(32, 32));
  ImgHome->setToolTip(QStringLiteral("Herstellerhomepage aufrufen"));
  ImgHome->setCursor(Qt::PointingHandCursor);
  ImgHome->installEventFilter(this);
  BtnUpdate = Named(new QPushButton(QStringLiteral("Auf neue Version überprüfen"), TabInfo),
                    "BtnUpdate");
  BtnUpdate->setAutoDefault(false);
  UpdateDlg = Named(new TUpdateDlg(this), "UpdateDlg");
  {
    auto* grid = new QGridLayout(TabInfo);
    grid->addWidget(Img, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(LblProductName, 0, 1);
    grid->addWidget(LblVersion, 1, 1);
    grid->setRowMinimumHeight(2, 8);
    grid->addWidget(LblNotice1, 3, 1);
    grid->addWidget(LblNotice2, 4, 1);
    grid->addWidget(LblMail, 5, 1);
    grid->setRowMinimumHeight(6, 8);
    grid->addWidget(LblInfo, 7, 1);
    auto* web = new QHBoxLayout;
    web->addWidget(EdtWWW);
    web->addStretch();
    web->addWidget(ImgHome);
    grid->addLayout(web, 8, 1);
    grid->addWidget(BtnUpdate, 9, 1, Qt::AlignLeft);
    grid->setRowStretch(10, 1);
    grid->setColumnStretch(1, 1);
  }
  connect(LblMail, &TUrlLbl::clicked, this, &TFrmInfo::EdtEmailClick);
  connect(EdtWWW, &TUrlLbl::clicked, this, &TFrmInfo::EdtWWWClick);
  connect(BtnUpdate, &QPushButton::clicked, this, &TFrmInfo::BtnUpdateClick);

  // Allgemein.
  ChkHints = Named(new QCheckBox(QStringLiteral("Hinweise anzeigen"), TabGeneral), "ChkHints");
  ChkHints->setChecked(true);
  ChkGridLines = Named(new QCheckBox(QStringLiteral("Linien in der Dateiansicht anzeigen"), TabGeneral),
                       "ChkGridLines");
  ChkKdmFile = Named(new QCheckBox(QStringLiteral("KDM-File immer erzeugen"), TabGeneral), "ChkKdmFile");
  ChkKdmFile->setToolTip(QStringLiteral("KDM-File enthält Informationen über Quelldatei"));
  ChkKdmFile->setChecked(true);
  ChkChecksums = Named(new QCheckBox(QStringLiteral("Prüfsummen erzeugen"), TabGeneral), "ChkChecksums");
  ChkChecksums->setToolTip(
      QStringLiteral("SHA-256- und CRC-Datei neben den Teildateien: sie zeigen beim Kitten, "
                     "welche Teildatei beschädigt ist"));
  ChkShellScript =
      Named(new QCheckBox(QStringLiteral("Shell-Skript erzeugen"), TabGeneral), "ChkShellScript");
  ChkShellScript->setToolTip(
      QStringLiteral("Skript zum Zusammenfügen unter Linux und macOS ohne Kardomel"));
  {
    auto* box = new QVBoxLayout(TabGeneral);
    box->addWidget(ChkHints);
    box->addWidget(ChkGridLines);
    box->addWidget(ChkKdmFile);
    box->addWidget(ChkChecksums);
    box->addWidget(ChkShellScript);
    box->addStretch();
  }

  // Verknüpfung.
  ChkSendTo = Named(new QCheckBox(QStringLiteral("Verknüpfung zu Kardomel-Dateien erstellen"), TabShell),
                    "ChkSendTo");
  ChkAutomaticaly = Named(new QCheckBox(QStringLiteral("Automatisch splitten im"), TabShell),
                          "ChkAutomaticaly");
  RadSplitSrc = Named(new QRadioButton(QStringLiteral("Quellverzeichnis"), TabShell), "RadSplitSrc");
  RadSplitSel = Named(new QRadioButton(QStringLiteral("gewählten Verzeichnis"), TabShell), "RadSplitSel");
  Pair(this, RadSplitSrc, RadSplitSel);
  EdtSplitFolder = Named(new QLineEdit(TabShell), "EdtSplitFolder");
  EdtSplitFolder->setReadOnly(true);
  BtnSplittFolder = BrowseButton(TabShell, "BtnSplittFolder", QStringLiteral("Pfad auswählen"));
  LblSplitSize = Named(new QLabel(QStringLiteral("Standardsplitgröße (Bytes)"), TabShell), "LblSplitSize");
  CbxDstSize = Named(new QComboBox(TabShell), "CbxDstSize");
  CbxDstSize->setEditable(true);
  // The list learns by CbxDstSizeExit's rule, not by Qt's on Enter.
  CbxDstSize->setInsertPolicy(QComboBox::NoInsert);
  for (const TSizePreset& preset : kSizePresets) CbxDstSize->addItem(QString::fromUtf8(preset.Label));
  CbxDstSize->setEditText(QString::fromUtf8(kSizePresets[0].Label));
  LblSplitSize->setBuddy(CbxDstSize);
  BtnUnit = BrowseButton(TabShell, "BtnUnit", QStringLiteral("Dateigröße berechnen"));
  LblKitt = Named(new QLabel(QStringLiteral("Automatisch kitten im"), TabShell), "LblKitt");
  RadKittSrc = Named(new QRadioButton(QStringLiteral("Quellverzeichnis"), TabShell), "RadKittSrc");
  RadKittSel = Named(new QRadioButton(QStringLiteral("gewählten Verzeichnis"), TabShell), "RadKittSel");
  Pair(this, RadKittSrc, RadKittSel);
  EdtKittFolder = Named(new QLineEdit(TabShell), "EdtKittFolder");
  BtnKittFolder = BrowseButton(TabShell, "BtnKittFolder", QStringLiteral("Pfad auswählen"));
  {
    auto* grid = new QGridLayout(TabShell);
    grid->addWidget(ChkSendTo, 0, 0, 1, 3);
    grid->setRowMinimumHeight(1, 8);
    grid->addWidget(ChkAutomaticaly, 2, 0, 1, 3);
    grid->addWidget(RadSplitSrc, 3, 0, 1, 3);
    grid->addWidget(RadSplitSel, 4, 0);
    grid->addWidget(EdtSplitFolder, 4, 1);
    grid->addWidget(BtnSplittFolder, 4, 2);
    grid->addWidget(LblSplitSize, 5, 0);
    grid->addWidget(CbxDstSize, 5, 1);
    grid->addWidget(BtnUnit, 5, 2);
    grid->setRowMinimumHeight(6, 8);
    grid->addWidget(LblKitt, 7, 0, 1, 3);
    grid->addWidget(RadKittSrc, 8, 0, 1, 3);
    grid->addWidget(RadKittSel, 9, 0);
    grid->addWidget(EdtKittFolder, 9, 1);
    grid->addWidget(BtnKittFolder, 9, 2);
    grid->setRowStretch(10, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 200);
  }
  // Toggled rather than clicked: the settings file sets the boxes too.
  connect(ChkSendTo, &QCheckBox::toggled, this, &TFrmInfo::ChkSendToClick);
  connect(ChkAutomaticaly, &QCheckBox::toggled, this, &TFrmInfo::ChkAutomaticalyClick);
  connect(BtnSplittFolder, &QToolButton::clicked, this, &TFrmInfo::BtnSplittFolderClick);
  connect(BtnKittFolder, &QToolButton::clicked, this, &TFrmInfo::BtnKittFolderClick);
  connect(BtnUnit, &QToolButton::clicked, this, &TFrmInfo::BtnUnitClick);
  // Picking an entry from the list; leaving the field is seen in eventFilter.
  connect(CbxDstSize, &QComboBox::activated, this, [this] { CbxDstSizeExit(); });
  CbxDstSize->installEventFilter(this);
  CbxDstSize->lineEdit()->installEventFilter(this);

  // Zip.
  RadLoCompress = Named(new QRadioButton(QStringLiteral("Niedrige Kompression"), TabZip), "RadLoCompress");
  RadHiCompress = Named(new QRadioButton(QStringLiteral("Hohe Kompression"), TabZip), "RadHiCompress");
  Pair(this, RadLoCompress, RadHiCompress);
  ChkDirNames = Named(new QCheckBox(QStringLiteral("Pfade speichern"), TabZip), "ChkDirNames");
  ChkDirNames->setChecked(true);
  ChkSfx = Named(new QCheckBox(QStringLiteral("Selbstauspackendes EXE-Archiv erstellen"), TabZip), "ChkSfx");
  ChkEncrypt = Named(new QCheckBox(QStringLiteral("Archiv mit Passwort schützen"), TabZip), "ChkEncrypt");
  EdtPsw = Named(new QLineEdit(TabZip), "EdtPsw");
  EdtPsw->setEchoMode(QLineEdit::Normal);
  {
    auto* box = new QVBoxLayout(TabZip);
    box->addWidget(RadLoCompress);
    box->addWidget(RadHiCompress);
    box->addSpacing(8);
    box->addWidget(ChkDirNames);
    box->addWidget(ChkSfx);
    box->addWidget(ChkEncrypt);
    box->addWidget(EdtPsw);
    box->addStretch();
  }
  connect(ChkEncrypt, &QCheckBox::toggled, this, &TFrmInfo::ChkEncryptClick);

  BtnOk = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOk");
  BtnOk->setDefault(true);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  BtnCancel = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "BtnCancel");
  BtnCancel->setAutoDefault(false);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* main = new QVBoxLayout(this);
  main->addWidget(PageControl, 1);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);

  ChkSendToClick();
  ChkEncryptClick();
}

TFrmInfo::~TFrmInfo() = default;

void TFrmInfo::SetInteraction(TInteraction* interaction) { interaction_ = interaction; }

void TFrmInfo::SetLauncher(TLauncher* opener) { launcher_ = opener; }

TLauncher& TFrmInfo::Launcher() {
  return launcher_ != nullptr ? *launcher_ : DesktopLauncher();
}

TInteraction& TFrmInfo::Questions() {
  if (interaction_ != nullptr) return *interaction_;
  if (!ownInteraction_) ownInteraction_ = std::make_unique<TQtInteraction>(this);
  return *ownInteraction_;
}

void TFrmInfo::SetVersionText(const QString& version) {
  LblVersion->setText(QString(versionFormat_).replace(QStringLiteral("%s"), version));
}

TOptions TFrmInfo::Options() const {
  TOptions o;
  o.Hints = ChkHints->isChecked();
  o.GridLines = ChkGridLines->isChecked();
  o.KdmFile = ChkKdmFile->isChecked();
  o.Checksums = ChkChecksums->isChecked();
  o.ShellScript = ChkShellScript->isChecked();
  o.SendTo = ChkSendTo->isChecked();
  o.Automatic = ChkAutomaticaly->isChecked();
  o.SplitSel = RadSplitSel->isChecked();
  o.SplitFolder = ToStdString(EdtSplitFolder->text());
  o.DstSize = ToStdString(CbxDstSize->currentText());
  o.KittSel = RadKittSel->isChecked();
  o.KittFolder = ToStdString(EdtKittFolder->text());
  o.Zip.HighCompression = RadHiCompress->isChecked();
  o.Zip.StorePaths = ChkDirNames->isChecked();
  o.Zip.Sfx = ChkSfx->isChecked();
  o.Zip.Encrypt = ChkEncrypt->isChecked();
  o.Zip.Password = ToStdString(EdtPsw->text());
  return o;
}

void TFrmInfo::SetOptions(const TOptions& o) {
  ChkHints->setChecked(o.Hints);
  ChkKdmFile->setChecked(o.KdmFile);
  ChkGridLines->setChecked(o.GridLines);
  ChkChecksums->setChecked(o.Checksums);
  ChkShellScript->setChecked(o.ShellScript);
  ChkSendTo->setChecked(o.SendTo);
  ChkAutomaticaly->setChecked(o.Automatic);
  RadKittSel->setChecked(o.KittSel);
  RadKittSrc->setChecked(!o.KittSel);
  EdtKittFolder->setText(ToQString(o.KittFolder));
  RadSplitSel->setChecked(o.SplitSel);
  RadSplitSrc->setChecked(!o.SplitSel);
  EdtSplitFolder->setText(ToQString(o.SplitFolder));
  CbxDstSize->setEditText(ToQString(o.DstSize));
  RadLoCompress->setChecked(!o.Zip.HighCompression);
  RadHiCompress->setChecked(o.Zip.HighCompression);
  ChkDirNames->setChecked(o.Zip.StorePaths);
  ChkSfx->setChecked(o.Zip.Sfx);
  ChkEncrypt->setChecked(o.Zip.Encrypt);
  EdtPsw->setText(ToQString(o.Zip.Password));
}

void TFrmInfo::ChkSendToClick() {
  const bool on = ChkSendTo->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{ChkAutomaticaly, LblKitt, RadKittSrc, RadKittSel,
                                                     BtnKittFolder, EdtKittFolder})
    w->setEnabled(on);
  ChkAutomaticalyClick();
}

void TFrmInfo::ChkAutomaticalyClick() {
  const bool on = ChkSendTo->isChecked() && ChkAutomaticaly->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{RadSplitSrc, RadSplitSel, EdtSplitFolder,
                                                     BtnSplittFolder, LblSplitSize, CbxDstSize, BtnUnit})
    w->setEnabled(on);
}

void TFrmInfo::ChkEncryptClick() {
  const bool on = ChkEncrypt->isEnabled() && ChkEncrypt->isChecked();
  EdtPsw->setEnabled(on);
  // The background tells the state in every colour group, so that the grey
  // shows whatever the window's activation.
  const QPalette standard = QApplication::palette(EdtPsw);
  QPalette palette = EdtPsw->palette();
  palette.setColor(QPalette::Base, on ? standard.color(QPalette::Active, QPalette::Base)
                                      : standard.color(QPalette::Active, QPalette::Button));
  EdtPsw->setPalette(palette);
}

void TFrmInfo::BtnSplittFolderClick() {
  std::string chosen;
  if (!Questions().BrowseFolder(ToStdString(EdtSplitFolder->text()), chosen)) return;
  EdtSplitFolder->setText(ToQString(chosen));
  RadSplitSel->setChecked(true);
}

void TFrmInfo::BtnKittFolderClick() {
  std::string chosen;
  if (!Questions().BrowseFolder(ToStdString(EdtKittFolder->text()), chosen)) return;
  EdtKittFolder->setText(ToQString(chosen));
  RadKittSel->setChecked(true);
}

void TFrmInfo::CbxDstSizeExit() {
  CbxDstSize->setEditText(ToQString(ResolvePresetLabel(ToStdString(CbxDstSize->currentText()))));
  const QString text = CbxDstSize->currentText();
  const int64_t value = StrToInt64Def(ToStdString(text), 0);
  CbxDstSize->setToolTip(QString());
  if (value <= 0) return;
  LearnListEntry(*CbxDstSize, QString::number(value), text);
  CbxDstSize->setToolTip(ToQString(MegabyteHint(value, LocaleDecimalSeparator())));
}

void TFrmInfo::BtnUnitClick() {
  TFrmBytes dialog(this);
  // One field height lower than the main window's: the field stays readable
  // above the small dialog. A number it cannot read goes to its own error box.
  dialog.PlaceBelow(*CbxDstSize, 2);
  if (dialog.exec() != QDialog::Accepted) return;
  CbxDstSize->setEditText(QString::number(dialog.Bytes()));
  CbxDstSizeExit();
}

void TFrmInfo::BtnUpdateClick() { RunUpdateCheck(*UpdateDlg, this, Launcher()); }

void TFrmInfo::EdtWWWClick() { OpenUrl(Launcher(), QUrl(EdtWWW->text())); }

void TFrmInfo::EdtEmailClick() {
  // The blanks of the subject go as typed; QUrl encodes them on its own
  // where the mail program needs it.
  const QString address = QStringLiteral("mailto:") + LblMail->text() + QStringLiteral("?subject=") +
                          LblProductName->text() + QLatin1Char(' ') + LblVersion->text();
  OpenUrl(Launcher(), QUrl(address));
}

bool TFrmInfo::FormCloseQuery() {
  if (!ChkSendTo->isChecked()) return true;
  bool allowed = true;
  if (ChkAutomaticaly->isChecked() && RadSplitSel->isChecked() && EdtSplitFolder->text().isEmpty()) {
    Questions().ShowMessageDialog("Verzeichnis ungültig.",
                                  "Geben Sie einen gültigen Split-Verzeichnispfad ein.",
                                  TMsgKind::Error, mbOK);
    allowed = false;
  }
  if (RadKittSel->isChecked() && EdtKittFolder->text().isEmpty()) {
    Questions().ShowMessageDialog("Verzeichnis ungültig.",
                                  "Geben Sie einen gültigen Kitt-Verzeichnispfad ein.",
                                  TMsgKind::Error, mbOK);
    allowed = false;
  }
  return allowed;
}

void TFrmInfo::showEvent(QShowEvent* event) {
  CenterOnPrimaryScreen();
  TqelBaseForm::showEvent(event);
  PageControl->setCurrentWidget(TabInfo);
  ChkSendToClick();
  ChkEncryptClick();
  BtnOk->setFocus();
}

void TFrmInfo::done(int result) {
  if (result == QDialog::Accepted && !FormCloseQuery()) return;
  CbxDstSizeExit();
  TqelBaseForm::done(result);
}

bool TFrmInfo::RejectSizeKey(const QKeyEvent& event) {
  // Shortcuts (copy, paste, select all) stay usable; a pasted text that is no
  // number reads as 0 when the field is evaluated.
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = event.text();
  // Keys without a character (arrows, Delete, Tab, Escape) move or act, they
  // do not type.
  if (text.isEmpty() || event.key() == Qt::Key_Delete || event.key() == Qt::Key_Tab ||
      event.key() == Qt::Key_Backtab || event.key() == Qt::Key_Escape)
    return false;
  if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
    return false;
  return !(text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'));
}

bool TFrmInfo::eventFilter(QObject* watched, QEvent* event) {
  const bool sizeField = watched == CbxDstSize || watched == CbxDstSize->lineEdit();
  if (sizeField && event->type() == QEvent::KeyPress)
    return RejectSizeKey(*static_cast<QKeyEvent*>(event));
  if (watched == CbxDstSize && event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
    CbxDstSizeExit();
  if (watched == ImgHome && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    EdtWWWClick();
  return TqelBaseForm::eventFilter(watched, event);
}

}  // namespace kardomel
