// The main window's frame: actions, toolbar, keyboard commands, the default
// pane layout, help and manual.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/gui/frm_main.h"
#include "app/gui/action_icons.h"
#include "dialogs/frm_info.h"
#include "support/globals.h"
#include "ui/qt_text.h"
#include "ui/desktop_launcher.h"

namespace kardomel {

namespace {

QAction* MakeAction(QObject* owner, const char* name, const QString& text, const QString& hint,
                    TActionIcon icon) {
  auto* action = new QAction(ActionIcon(icon), text, owner);
  action->setObjectName(QString::fromLatin1(name));
  // No status tip: a tip in the status bar would hide the gauge and the
  // progress text while the pointer rests on a button.
  action->setToolTip(hint);
  return action;
}

// The help topics behind the help menu's entries, by tag.
int HelpContext(int tag) {
  switch (tag) {
    case 1: return 33;  // "What's new?"
    case 2: return 6;   // "&Lizenzvertrag..."
    default: return 1;  // the main window's topic
  }
}

// A document beside the program: its path with Extension in place of its own.
QString BesideProgram(const char* extension) {
  return ToQString(
      ChangeFileExt(ToStdString(QCoreApplication::applicationFilePath()), extension));
}

}  // namespace

void TFrmMain::CreateActions() {
  // The keyboard commands are not the actions' shortcuts: the window sees
  // every key first (FormKeyDown), also inside a text field.
  ActSplit = MakeAction(this, "ActSplit", "&Splitten", "Dateien splitten", TActionIcon::Split);
  ActGlue = MakeAction(this, "ActGlue", "&Kitten", "Datei kitten", TActionIcon::Glue);
  ActSend = MakeAction(this, "ActSend", "&Versenden", "Splitten und versenden...",
                       TActionIcon::Send);
  ActOptimize = MakeAction(this, "ActOptimize", "Optimieren", "Ansicht optimieren",
                           TActionIcon::Optimize);
  ActRefresh = MakeAction(this, "ActRefresh", "&Aktualisieren", "Ansicht aktualisieren",
                          TActionIcon::Refresh);
  ActInfo = MakeAction(this, "ActInfo", "&Info", "Info aufrufen", TActionIcon::Info);
  ActHelp = MakeAction(this, "ActHelp", "&Hilfe...", "Hilfe aufrufen...", TActionIcon::Help);
  ActPDF = MakeAction(this, "ActPDF", "&PDF-Handbuch...", "PDF-Handbuch aufrufen...",
                      TActionIcon::Pdf);
  ActClose = MakeAction(this, "ActClose", "&Beenden", "Programm beenden", TActionIcon::Close);

  connect(ActSplit, &QAction::triggered, this, [this] { BtnSplitClick(ActSplit); });
  connect(ActSend, &QAction::triggered, this, [this] { BtnSplitClick(ActSend); });
  connect(ActGlue, &QAction::triggered, this, [this] { BtnUnSplitClick(); });
  connect(ActOptimize, &QAction::triggered, this, [this] { BtnOptimizeClick(); });
  connect(ActRefresh, &QAction::triggered, this, [this] { BtnAktualisierenClick(); });
  connect(ActInfo, &QAction::triggered, this, [this] { BtnInfoClick(); });
  connect(ActHelp, &QAction::triggered, this, [this] { BtnHelpClick(0); });
  connect(ActPDF, &QAction::triggered, this, [this] { BtnPDFClick(); });
  connect(ActClose, &QAction::triggered, this, [this] { BtnCloseClick(); });
}

void TFrmMain::CreateToolBar() {
  BarMain = new QToolBar(QStringLiteral("Main"), this);
  BarMain->setObjectName(QStringLiteral("BarMain"));
  BarMain->setMovable(false);
  BarMain->setFloatable(false);
  BarMain->setAllowedAreas(Qt::TopToolBarArea);
  BarMain->setIconSize(QSize(16, 16));
  BarMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
  BarMain->toggleViewAction()->setVisible(false);
  addToolBar(Qt::TopToolBarArea, BarMain);

  auto withCaption = [this](QAction* action) {
    BarMain->addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(BarMain->widgetForAction(action)))
      button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  };
  withCaption(ActSplit);
  withCaption(ActGlue);
  BarMain->addSeparator();
  withCaption(ActSend);
  BarMain->addSeparator();
  BarMain->addAction(ActOptimize);
  BarMain->addAction(ActRefresh);
  BarMain->addSeparator();
  BarMain->addAction(ActInfo);

  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("MnuHelp"));
  menu->setToolTipsVisible(true);
  menu->addAction(ActHelp);
  QAction* news = menu->addAction(QStringLiteral("What's new?"));
  news->setObjectName(QStringLiteral("MniNews"));
  news->setToolTip(QStringLiteral("Hilfe aufrufen..."));
  connect(news, &QAction::triggered, this, [this] { BtnHelpClick(1); });
  menu->addSeparator();
  menu->addAction(ActPDF);
  menu->addSeparator();
  QAction* license = menu->addAction(QStringLiteral("&Lizenzvertrag..."));
  license->setObjectName(QStringLiteral("MniLicense"));
  license->setToolTip(QStringLiteral("Lizenzvertrag aufrufen..."));
  connect(license, &QAction::triggered, this, [this] { BtnHelpClick(2); });

  BtnHelpMenu = new QToolButton(BarMain);
  BtnHelpMenu->setObjectName(QStringLiteral("BtnHelpMenu"));
  BtnHelpMenu->setIcon(ActionIcon(TActionIcon::Help));
  BtnHelpMenu->setToolTip(QStringLiteral("Hilfe aufrufen..."));
  BtnHelpMenu->setMenu(menu);
  BtnHelpMenu->setPopupMode(QToolButton::InstantPopup);
  BarMain->addWidget(BtnHelpMenu);
}

void TFrmMain::FormKeyDown(QKeyEvent& event) {
  if (FBusy) return;
  if (event.key() == Qt::Key_F5) {
    BtnAktualisierenClick();
    return;
  }
  if (!(event.modifiers() & Qt::ControlModifier)) return;
  switch (event.key()) {
    case Qt::Key_I: BtnInfoClick(); break;
    case Qt::Key_K:
      if (ActGlue->isEnabled()) BtnUnSplitClick();
      break;
    case Qt::Key_O: BtnOptimizeClick(); break;
    case Qt::Key_S:
      if (ActSplit->isEnabled()) BtnSplitClick(this);
      break;
    case Qt::Key_X: BtnCloseClick(); break;
    default: break;
  }
}

void TFrmMain::BtnOptimizeClick() {
  // Half the width for each pane, and each file list half its pane's height
  // less the free-space strip below it (the layouts keep the strips there).
  const int leftWidth = statusBar()->width() / 2;
  const int clientWidth = SplitClient->width() - SplitClient->handleWidth();
  SplitClient->setSizes({leftWidth, qMax(0, clientWidth - leftWidth)});
  const int listHeight = PnlLeft->height() / 2 - PnlSrcFilter->height();
  for (QSplitter* split : {SplitSource, SplitDest}) {
    const int total = split->height() - split->handleWidth();
    split->setSizes({qMax(0, total - listHeight), qMax(0, listHeight)});
  }
}

void TFrmMain::BtnInfoClick() {
  FFrmInfo->CbxDstSizeExit();
  if (FFrmInfo->exec() != QDialog::Accepted) {
    // Whatever was changed in the dialog goes back to what the file holds.
    Guarded([this] { LoadSettings(false); });
    return;
  }
  Guarded([this] { SaveSettings(); });
  ApplyShellIntegration(FFrmInfo->Options().SendTo);
  SetHintsVisible(FFrmInfo->Options().Hints);
  ApplyGridLines();
}

void TFrmMain::BtnHelpClick(int tag) {
  QUrl topic = QUrl::fromLocalFile(BesideProgram(".chm"));
  topic.setFragment(QString::number(HelpContext(tag)));
  OpenUrl(*FLauncher, topic);
}

void TFrmMain::BtnPDFClick() {
  OpenUrl(*FLauncher, QUrl::fromLocalFile(BesideProgram(".PDF")));
}

void TFrmMain::BtnCloseClick() {
  close();
}

void TFrmMain::SetHintsVisible(bool value) {
  // The window's event filter drops the tooltip events of its widgets while
  // hints are off.
  FHintsVisible = value;
}

}  // namespace kardomel
