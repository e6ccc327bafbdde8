#include "app/gui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <exception>

#include "app/gui/led_gauge.h"
#include "app/gui/shell_view.h"
#include "app/gui/window_interaction.h"
#include "dialogs/frm_delete_files.h"
#include "dialogs/frm_info.h"
#include "dialogs/update/version_number.h"
#include "engine/command.h"
#include "ui/form_look.h"
#include "ui/qt_interaction.h"
#include "ui/qt_text.h"
#include "ui/desktop_launcher.h"

namespace kardomel {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

}  // namespace

TFrmMain::TFrmMain(TEnv* env, QWidget* parent)
    : QMainWindow(parent),
      FEnv(env != nullptr ? env : TEnv::Default()),
      FLauncher(&DesktopLauncher()) {
  setObjectName(QStringLiteral("FrmMain"));
  setWindowTitle(
      QStringLiteral("Kardomel %1").arg(QString::fromStdString(GetVersionString("ProductVersion"))));
  setMinimumSize(611, 520);
  resize(595 + 16, 562);

  FDialogs = std::make_unique<TQtInteraction>(this, ConfirmDeleteFilesDialog);
  FQuestions = FDialogs.get();
  FInteraction = std::make_unique<TWindowInteraction>(
      &FQuestions, [this](bool busy) {
        // Leaving the busy state is the handler's clean-up, after the
        // selection has been settled; the engine's signal only enters it.
        if (!busy) return;
        SetIdle(false);
        ShowCancelButton(true);
        FCopyMicros = 0;
        FCopyClockRunning = false;
      },
      [this](const TProgress& progress) { ShowProgress(progress); });
  FInteraction->SetCancelQuery([this] { return FCancelRequested; });
  FInteraction->SetQuestionHandler([this] { PauseCopyClock(); });
  FFrmInfo = new TFrmInfo(this);
  FFrmInfo->SetInteraction(FInteraction.get());

  CreateActions();
  CreateToolBar();
  CreateLeftPane();
  CreateRightPane();
  CreateStatusBar();
  SplitClient = new QSplitter(Qt::Horizontal);
  SplitClient->setObjectName(QStringLiteral("SplitClient"));
  SplitClient->setHandleWidth(8);
  SplitClient->setChildrenCollapsible(false);
  SplitClient->addWidget(PnlLeft);
  SplitClient->addWidget(PnlRight);
  SplitClient->setSizes({300, 295});
  setCentralWidget(SplitClient);
  GrowMinimumToFitCaptions();
  SetUpKeyboard();

  connect(LstSrc->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { QueueSelectionChange(); });
  connect(CbxDstSize, &QComboBox::activated, this, [this] { Guarded([this] { CbxDstSizeExit(); }); });
  connect(CbxDstCount, &QComboBox::activated, this, [this] { Guarded([this] { CbxDstCountExit(); }); });
  connect(BtnRecalc, &QToolButton::clicked, this, [this] { Guarded([this] { CbxDstCountExit(); }); });
  connect(BtnUnit, &QToolButton::clicked, this, [this] { Guarded([this] { BtnUnitClick(); }); });
  connect(BtnNewFolder, &QToolButton::clicked, this, [this] { BtnNewFolderClick(); });
  connect(RadSameDir, &QRadioButton::clicked, this, [this] { RadSameDirClick(); });
  connect(RadOtherDir, &QRadioButton::clicked, this, [this] { RadSameDirClick(); });
  // The free-space labels follow the folders shown, whoever changed them.
  connect(TreeSrc, &TShellTree::FolderChanged, this, [this](const QString& folder) {
    ShowFreeSpace(ToStdString(folder), LblSrcDiskFree);
  });
  connect(TreeDst, &TShellTree::FolderChanged, this, [this] { Guarded([this] { TreeDstChange(); }); });
  CbxDstExt->installEventFilter(this);
  qApp->installEventFilter(this);

  FKeyPreview = std::make_unique<TKeyPreview>(*this, [this](QKeyEvent& event) {
    Guarded([&] { FormKeyDown(event); });
  });
  RadSameDirClick();
}

TFrmMain::~TFrmMain() {
  qApp->removeEventFilter(this);
}

void TFrmMain::SetResponder(TInteraction* responder) {
  FResponder = responder;
  FQuestions = responder != nullptr ? responder : FDialogs.get();
}

void TFrmMain::SetLauncher(TLauncher* opener) {
  FLauncher = opener != nullptr ? opener : &DesktopLauncher();
  FFrmInfo->SetLauncher(opener);
}

void TFrmMain::SetStartFolders(const std::string& source, const std::string& destination) {
  FStartSource = source;
  FStartDest = destination;
}

TInteraction& TFrmMain::Questions() {
  return *FInteraction;
}

bool TFrmMain::Guarded(const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const std::exception& error) {
    ShowError(error.what());
    return false;
  }
}

void TFrmMain::ShowError(const std::string& message) {
  FQuestions->ShowMessageDialog("Fehlermeldung!", message, TMsgKind::Error, mbOK);
}

void TFrmMain::QueueSelectionChange() {
  // Evaluated once the click or key that changed the selection is done, so
  // that a message of the evaluation does not open inside a mouse press.
  if (FSelectionQueued) return;
  FSelectionQueued = true;
  QTimer::singleShot(0, this, [this] {
    FSelectionQueued = false;
    Guarded([this] { LbxSrcFileChange(); });
  });
}

void TFrmMain::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintOffice2003Background(*this, painter);
  QMainWindow::paintEvent(event);
}

void TFrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  BtnOptimizeClick();
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FitToPrimaryScreen(*this);
  if (!FFirstShow) return;
  FFirstShow = false;
  const std::string home = ToStdString(QDir::homePath());
  TreeSrc->SetSelectedPathName(FStartSource.empty() ? home : FStartSource);
  TreeDst->SetSelectedPathName(FStartDest.empty() ? home : FStartDest);
  BtnOptimizeClick();
  ApplyPaneSizes();
  // The command line runs from the event loop, once the window is painted:
  // it waits for the source list to read the file's folder.
  QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  // A running command owns open files; it ends before the window does.
  if (FBusy) {
    event->ignore();
    return;
  }
  // A settings file that cannot be written is reported; the window closes
  // all the same, as the user asked.
  Guarded([this] { SaveSettings(); });
  QMainWindow::closeEvent(event);
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CbxDstExt && event->type() == QEvent::FocusOut) {
    CbxDstExtExit();
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  // While a command runs, the window paints but takes no input but the
  // request to stop, so that nothing changes under it; its dialogs are
  // windows of their own.
  if (FBusy && IsUserInput(event->type())) return !TakesInputWhileBusy(watched, event);
  if (event->type() == QEvent::ToolTip && !FHintsVisible) return true;
  if (watched == LblZip && event->type() == QEvent::MouseButtonRelease && ChkZip->isEnabled()) {
    ChkZip->toggle();
    return true;
  }
  return false;
}

}  // namespace kardomel
