// Start-up of the window: the settings it begins with, and the file named on
// the command line, joined or split at once with the window closing itself;
// a file a later start hands over is only selected.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>

#include "app/gui/frm_main.h"
#include "app/gui/shell_view.h"
#include "app/startup/auto_run_input.h"
#include "app/startup/settings.h"
#include "app/startup/start_argument.h"
#include "dialogs/frm_info.h"
#include "dialogs/update/version_number.h"
#include "ui/qt_text.h"

namespace kardomel {

namespace {

// How long the source list may take to read the folder of a start file.
constexpr qint64 kListWaitMillis = 10000;

}  // namespace

void TFrmMain::FormCreate(const std::string& iniFilePath) {
  FFrmInfo->SetVersionText(QString::fromStdString(GetVersionString("ProductVersion")));
  FIniFilePath = iniFilePath;
  LoadSettings(true);
  SetHintsVisible(FFrmInfo->Options().Hints);
  RemoveStaleSendFolders();
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

void TFrmMain::SelectHandedFile(const std::string& path) {
  // A running command holds the folders it reads and writes; the window
  // takes no input until it ends, and no hand-over either.
  if (FBusy) return;
  Guarded([&] {
    const TStartArgument argument = ClassifyStartArgument({path});
    if (argument.Case == TStartCase::Interactive) return;
    std::string folder = argument.Folder;
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    TreeSrc->SetSelectedPathName(folder);
    if (!SelectStartFile(argument.FileName)) return;
    LbxSrcFileChange();
    CbxDstSize->setFocus();
  });
}

bool TFrmMain::RunCommandLine() {
  const TStartArgument argument = ClassifyStartArgument(FArgs);
  if (argument.Case == TStartCase::Interactive) return false;
  std::string folder = argument.Folder;
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  TreeSrc->SetSelectedPathName(folder);
  if (!SelectStartFile(argument.FileName)) return false;
  LbxSrcFileChange();

  // The run's input comes from the plan and the options, not from the
  // fields; its destination is not the user's choice, so the window's
  // destination stays as it is and the settings saved on close keep it.
  const TSettings settings = CollectSettings();
  const TAutoRun run = PlanAutoRun(argument.Case, settings.Options);
  switch (run.Action) {
    case TAutoRun::TAction::None:
      return false;
    case TAutoRun::TAction::SelectOnly:
      return true;
    case TAutoRun::TAction::Join:
      if (FPreparedJoin && ExecuteJoin(AutoJoinInput(run, *FPreparedJoin), false)) BtnCloseClick();
      return false;
    case TAutoRun::TAction::Split: {
      const std::optional<TShListData> item = LstSrc->SelectedItem();
      if (item && ExecuteSplit(AutoSplitInput(run, item->PathName, FSrcSize, settings, Questions()),
                               false))
        BtnCloseClick();
      return false;
    }
  }
  return false;
}

}  // namespace kardomel
