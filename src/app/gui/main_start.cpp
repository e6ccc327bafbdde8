// Start-up of the window: the settings it begins with, and the file named on
// the command line, joined or split at once with the window closing itself.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>

#include "app/gui/frm_main.h"
#include "app/gui/shell_view.h"
#include "app/startup/settings.h"
#include "app/startup/start_argument.h"
#include "dialogs/frm_info.h"
#include "dialogs/update/version_number.h"
#include "ui/qt_text.h"

namespace kardomel {

namespace {

// How long the source list may take to read the folder of a start file.
constexpr qint64 kListWaitMillis = 10000;

// Puts the destination choice and folder back when the scope ends.
class TDestinationKeeper {
 public:
  explicit TDestinationKeeper(TFrmMain& window)
      : window_(window),
        sameDir_(window.RadSameDir->isChecked()),
        folder_(window.TreeDst->SelectedPathName()) {}
  ~TDestinationKeeper() {
    window_.RadSameDir->setChecked(sameDir_);
    window_.RadOtherDir->setChecked(!sameDir_);
    if (!folder_.empty()) window_.TreeDst->SetSelectedPathName(folder_);
    window_.RadSameDirClick();
  }
  TDestinationKeeper(const TDestinationKeeper&) = delete;
  TDestinationKeeper& operator=(const TDestinationKeeper&) = delete;

 private:
  TFrmMain& window_;
  bool sameDir_;
  std::string folder_;
};

}  // namespace

void TFrmMain::FormCreate(const std::string& iniFilePath) {
  FFrmInfo->SetVersionText(QString::fromStdString(GetVersionString("ProductVersion")));
  FIniFilePath = iniFilePath;
  LoadSettings(true);
  SetHintsVisible(FFrmInfo->ChkHints->isChecked());
}

void TFrmMain::SetCommandLine(std::vector<std::string> args) {
  FArgs = std::move(args);
}

void TFrmMain::FormShow() {
  bool selectedOnly = false;
  Guarded([&] { selectedOnly = RunCommandLine(); });
  // After an automatic run the window has closed; nothing is left to show.
  if (isVisible()) {
    Guarded([&] {
      TreeDstChange();
      TreeSrcChange();
      // The refresh switches the commands off; a file the command line
      // selected gets them back, so that the window matches its selection.
      if (selectedOnly) {
        LbxSrcFileChange();
        CbxDstSize->setFocus();
      }
    });
  }
  FStarted = true;
}

bool TFrmMain::SelectStartFile(const std::string& name) {
  const QString wanted = ToQString(name);
  QElapsedTimer clock;
  clock.start();
  while (!LstSrc->SelectName(wanted)) {
    if (clock.elapsed() > kListWaitMillis) return false;
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

bool TFrmMain::RunCommandLine() {
  const TStartArgument argument = ClassifyStartArgument(FArgs);
  if (argument.Case == TStartCase::Interactive) return false;
  std::string folder = argument.Folder;
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  TreeSrc->SetSelectedPathName(folder);
  if (!SelectStartFile(argument.FileName)) return false;
  LbxSrcFileChange();

  const TAutoRun run = PlanAutoRun(argument.Case, CollectSettings());
  switch (run.Action) {
    case TAutoRun::TAction::None:
      return false;
    case TAutoRun::TAction::SelectOnly:
      return true;
    case TAutoRun::TAction::Join: {
      // The run's destination is not the user's choice: it is put back
      // whatever happens, so that the settings saved on close keep it.
      bool ended = false;
      {
        TDestinationKeeper keep(*this);
        RadSameDir->setChecked(true);
        if (!run.SameDir) {
          RadOtherDir->setChecked(true);
          ForceFolder(run.DstFolder);
          TreeDst->SetSelectedPathName(run.DstFolder);
        }
        RadSameDirClick();
        ended = BtnUnSplitClick();
      }
      if (ended) BtnCloseClick();
      return false;
    }
    case TAutoRun::TAction::Split: {
      CbxDstSize->setEditText(ToQString(run.SizeText));
      CbxDstSize->setFocus();
      CbxDstCountExit();
      if (run.SameDir) {
        RadSameDir->setChecked(true);
      } else {
        RadOtherDir->setChecked(true);
        ForceFolder(run.DstFolder);
        TreeDst->SetSelectedPathName(run.DstFolder);
      }
      RadSameDirClick();
      CbxDstSize->setEditText(ToQString(run.SizeText));
      if (BtnSplitClick(this)) BtnCloseClick();
      return false;
    }
  }
  return false;
}

}  // namespace kardomel
