// TFrmMain: the main window. A source pane (folder tree and file list) on
// the left, the part size, count, extension, options and a destination pane
// on the right, the toolbar on top and the LED gauge below. What the user
// can do follows from the item selected in the source list; the split and
// the join themselves are engine commands that the handlers here only feed
// from the controls and answer for.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/env.h"
#include "engine/interaction.h"
#include "engine/join.h"
#include "engine/selection.h"
#include "engine/split.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSplitter;
class QToolBar;
class QToolButton;
class QWidget;

namespace kardomel {

class TFrmInfo;
class TKeyPreview;
class TLedGauge;
class TQtInteraction;
class TShellList;
class TShellTree;
class TLauncher;
class TWindowInteraction;
struct TSettings;
enum class TField;

// The status text of a running copy: done and total sizes and, after the
// first fraction of a second of copying, the throughput.
QString ProgressText(const TProgress& progress, uint64_t copyMicros);

class TFrmMain : public QMainWindow {
  Q_OBJECT
 public:
  // Env is the system the commands work on (null: the real one); it must
  // outlive the window.
  explicit TFrmMain(TEnv* env = nullptr, QWidget* parent = nullptr);
  ~TFrmMain() override;

  // Answers every question of the window's commands from Responder instead
  // of the Qt dialogs (null restores them). Not owned.
  void SetResponder(TInteraction* responder);
  // Help, manual, the options dialog's links, the mail hand-over and the
  // desktop integration's tools start through Opener instead of the desktop
  // (null restores it). Not owned.
  void SetLauncher(TLauncher* opener);
  // The folders both trees show when the window is first shown, in place of
  // the stored ones (without settings: the home folder). Call after
  // FormCreate, which sets the stored ones, and before show().
  void SetStartFolders(const std::string& source, const std::string& destination);

  // Start-up, after construction and before show(): fixes the settings file
  // at IniFilePath and loads every setting from it, placement included. A
  // window that never ran FormCreate neither loads nor saves settings.
  void FormCreate(const std::string& iniFilePath);
  // The program's arguments (without the program name), evaluated once the
  // window is shown: a member of a split set is joined at once, another file
  // split at once when the automatic split is on, and the window then
  // closes itself. Call before show().
  void SetCommandLine(std::vector<std::string> args);
  // The file a later start of the program handed over while this window is
  // open: its folder is shown and the file selected, nothing more; what to
  // do with it stays the user's choice. No existing file, or a command still
  // running, leaves all as is.
  void SelectHandedFile(const std::string& path);
  const std::string& IniFilePath() const { return FIniFilePath; }
  // True once the window was shown and its command line evaluated.
  bool Started() const { return FStarted; }

  // The settings file: a full load (start-up) or the options only (after the
  // options dialog was cancelled); the save writes every key. SaveSettings
  // throws when the file cannot be written.
  void LoadSettings(bool full);
  void SaveSettings();
  bool Busy() const { return FBusy; }
  int64_t SrcSize() const { return FSrcSize; }
  TFrmInfo* FrmInfo() const { return FFrmInfo; }

  // Selection and mode.
  void LbxSrcFileChange();
  void ShowSourceSize(const std::string& path);
  void SetIdle(bool idle);
  void RadSameDirClick();
  void TreeSrcChange();
  void TreeDstChange();
  void BtnAktualisierenClick();
  void BtnNewFolderClick();
  void UpdateSizeColour();

  // Size and count fields.
  void CbxDstSizeExit();
  void CbxDstCountExit();
  void CbxDstExtExit();
  void BtnUnitClick();

  // Commands. Sender ActSend asks for the split-and-send. Both return false
  // when the command ended in an error (shown under "Fehlermeldung!").
  bool BtnSplitClick(QObject* sender = nullptr);
  bool BtnUnSplitClick();

  // Frame.
  void BtnOptimizeClick();
  void BtnInfoClick();
  void BtnHelpClick(int tag);
  void BtnPDFClick();
  void BtnCloseClick();
  void SetHintsVisible(bool value);
  // The options dialog's OK: ties the program into the desktop for the user
  // (On) or removes it, for the running program's path; silent on failure.
  void ApplyShellIntegration(bool on);
  // Both file lists show grid lines when the options dialog asks for them.
  void ApplyGridLines();

  // Actions.
  QAction* ActSplit;
  QAction* ActGlue;
  QAction* ActSend;
  QAction* ActOptimize;
  QAction* ActRefresh;
  QAction* ActInfo;
  QAction* ActHelp;
  QAction* ActPDF;
  QAction* ActClose;
  QToolBar* BarMain;
  QToolButton* BtnHelpMenu;

  // Left pane.
  QSplitter* SplitClient;
  QWidget* PnlLeft;
  QGroupBox* GrpSource;
  QLabel* LblFileName;
  QLabel* LblSrcSize;
  QLabel* LblSrcCount;
  QCheckBox* ChkDelete;
  QSplitter* SplitSource;
  TShellTree* TreeSrc;
  QWidget* PnlSrcLstSrc;
  TShellList* LstSrc;
  QWidget* PnlSrcFilter;
  QLabel* LblSrcDiskFree;

  // Right pane.
  QWidget* PnlRight;
  QGroupBox* GrpDest;
  QComboBox* CbxDstSize;
  QToolButton* BtnUnit;
  QComboBox* CbxDstCount;
  QToolButton* BtnRecalc;
  QComboBox* CbxDstExt;
  QCheckBox* ChkBatch;
  QCheckBox* ChkZip;
  QLabel* LblZip;
  QRadioButton* RadSameDir;
  QRadioButton* RadOtherDir;
  QToolButton* BtnNewFolder;
  QSplitter* SplitDest;
  TShellTree* TreeDst;
  QWidget* PnlDstLstDst;
  TShellList* LstDst;
  QWidget* PnlDstFilter;
  QLabel* LblDstDiskFree;

  // Status bar.
  TLedGauge* Gauge;
  QLabel* LblStatus;
  QPushButton* BtnCancel;  // shown while a command runs

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  QMenu* createPopupMenu() override { return nullptr; }  // the toolbar stays

 private:
  void CreateActions();
  void CreateToolBar();
  void CreateLeftPane();
  void CreateRightPane();
  void CreateStatusBar();
  // Alt accelerators and the tab order (main_keyboard.cpp).
  void SetUpKeyboard();
  // Raises the minimum size until every caption is whole (main_fit.cpp).
  void GrowMinimumToFitCaptions();
  // Stopping a running command (main_cancel.cpp).
  void CreateCancelButton();
  void ShowCancelButton(bool busy);
  void RequestCancel();
  // True for the input the busy window lets through (the cancel button);
  // Escape is taken here as the request to stop.
  bool TakesInputWhileBusy(QObject* watched, QEvent* event);
  void FormKeyDown(QKeyEvent& event);
  // The questions of the window's commands: the responder, else the dialogs.
  TInteraction& Questions();
  // Runs Body; an exception is shown under "Fehlermeldung!" and then dropped,
  // as the application-wide handler does. False when Body threw.
  bool Guarded(const std::function<void()>& body);
  void ShowError(const std::string& message);
  // Gives Field the focus when it is enabled.
  void FocusField(TField field);
  // Every enabled state of the window, derived from its state alone: busy
  // or idle, the mode of the evaluated selection, how many items are
  // selected, and the destination choice.
  void UpdateActions();
  // The split or the join of Input, run and answered for: a refusal focuses
  // its field, the end leaves the busy state. FollowDestination: the
  // destination tree was the command's destination and shows the folder it
  // wrote into. False when the command ended in an error or was cancelled.
  bool ExecuteSplit(const TSplitInput& input, bool followDestination);
  bool ExecuteJoin(const TJoinInput& input, bool followDestination);
  // Split-and-send of Input ("&Versenden"): the set goes into a send folder
  // of its own and through the mail client. False as ExecuteSplit.
  bool ExecuteSend(const TSplitInput& input);
  // Start-up: removes the send folders of earlier runs that are old enough.
  void RemoveStaleSendFolders();
  // The split the window's fields and options ask for; nullopt when there is
  // nothing to split (or the command is still to come and said so). The
  // split and the send take the same input.
  std::optional<TSplitInput> SplitInputFromWindow();
  // The split with the zip step before it: asks for the archive's name (and
  // password), packs the selection, splits the archive, or sends its parts
  // when Send is set. False as ExecuteSplit.
  bool ZipThenSplit(bool send);
  // Queues one LbxSrcFileChange after the selection of LstSrc has changed.
  void QueueSelectionChange();
  void ShowProgress(const TProgress& progress);
  // A question opened: the time until the next report is no copying time.
  void PauseCopyClock();
  // The end of every split and join: idle again, gauge and status cleared.
  void FinishCommand();
  void ApplySelectionCount();
  void ShowFreeSpace(const std::string& path, QLabel* label);
  // The rest of the first show: the command line, then the closing refresh.
  void FormShow();
  // True when the file was only selected, for the size to be typed.
  bool RunCommandLine();
  // Selects Name in the source list once the list has read its folder.
  bool SelectStartFile(const std::string& name);
  // The window-dependent defaults of a full load, from the window as it is.
  void FillWindowDefaults(TSettings& settings) const;
  void ApplySettings(const TSettings& settings, bool full);
  TSettings CollectSettings() const;
  void RestoreWindowPlacement(const TSettings& settings);
  void ApplyPaneSizes();

  TEnv* FEnv;
  int64_t FSrcSize = 0;
  // What the enabled states follow. FModeEvaluated is false until the
  // selection is first evaluated and again once the source folder changed;
  // the commands of the mode wait for the next evaluation.
  TSelectionMode FMode = TSelectionMode::Empty;
  bool FModeEvaluated = false;
  bool FSeveral = false;  // two or more items selected in the source list
  // In join mode, the join the selected set member gives (descriptor read or
  // parts counted); the command adds the extension field and destination.
  std::optional<TJoinInput> FPreparedJoin;
  bool FBusy = false;
  bool FSelectionQueued = false;
  bool FFirstShow = true;
  bool FHintsVisible = true;
  bool FStarted = false;
  bool FCancelRequested = false;
  std::string FStartSource;
  std::string FStartDest;
  std::string FIniFilePath;
  std::vector<std::string> FArgs;
  // Pane sizes from the settings, applied once the window has its layout.
  std::optional<std::vector<int>> FPaneSizes;
  TFrmInfo* FFrmInfo;
  std::unique_ptr<TQtInteraction> FDialogs;
  TInteraction* FResponder = nullptr;
  TLauncher* FLauncher;
  TInteraction* FQuestions = nullptr;  // what the window interaction forwards to
  std::unique_ptr<TWindowInteraction> FInteraction;
  std::unique_ptr<TKeyPreview> FKeyPreview;
  QElapsedTimer FProgressClock;  // time since the last repaint of a copy
  // The time the running command spent copying, from FEnv's clock.
  uint64_t FCopyMicros = 0;
  uint64_t FCopyLast = 0;
  bool FCopyClockRunning = false;
};

}  // namespace kardomel
