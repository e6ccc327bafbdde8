// The split and the join from the window: the controls fill the engine's
// input, the engine does the work, the window acts on the result.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>

#include "app/gui/frm_main.h"
#include "app/gui/led_gauge.h"
#include "app/gui/shell_view.h"
#include "dialogs/frm_info.h"
#include "ui/url_label.h"
#include "engine/join.h"
#include "engine/split.h"
#include "engine/split_sizing.h"
#include "support/maker.h"
#include "support/globals.h"
#include "ui/qt_text.h"

namespace kardomel {

namespace {

// How often a running copy lets the window paint.
constexpr qint64 kRepaintMillis = 50;

}  // namespace

void TFrmMain::FocusField(TField field) {
  QWidget* target = nullptr;
  switch (field) {
    case TField::Size: target = CbxDstSize; break;
    case TField::Count: target = CbxDstCount; break;
    case TField::Extension: target = CbxDstExt; break;
    case TField::None: break;
  }
  if (target != nullptr && target->isEnabled()) target->setFocus();
}

void TFrmMain::FinishCommand() {
  ShowCancelButton(false);
  Guarded([this] { SetIdle(true); });
  // Both lists and both free-space labels show the disk as the command left
  // it, also where the folder watcher misses a change (a file replaced by a
  // rename keeps the size it had while it was written).
  BtnAktualisierenClick();
  ShowFreeSpace(TreeSrc->SelectedPathName(), LblSrcDiskFree);
  ShowFreeSpace(TreeDst->SelectedPathName(), LblDstDiskFree);
  LstSrc->viewport()->update();
  Gauge->SetProgress(0);
  LblStatus->clear();
}

bool TFrmMain::BtnSplitClick(QObject* sender) {
  // Several selected items are always zipped, whatever the box shows.
  if (FSeveral || ChkZip->isChecked()) return ZipThenSplit(sender == ActSend);
  std::optional<TSplitInput> input;
  if (!Guarded([&] { input = SplitInputFromWindow(); })) return false;
  if (!input) return true;
  return sender == ActSend ? ExecuteSend(*input) : ExecuteSplit(*input, true);
}

std::optional<TSplitInput> TFrmMain::SplitInputFromWindow() {
  const std::optional<TShListData> item = LstSrc->SelectedItem();
  if (!item) return std::nullopt;
  // A size still being typed is evaluated as on leaving the field.
  if (focusWidget() != nullptr &&
      (focusWidget() == CbxDstSize || CbxDstSize->isAncestorOf(focusWidget())))
    CbxDstSizeExit();
  TSizeTexts texts{ToStdString(CbxDstSize->currentText()), ToStdString(CbxDstCount->currentText())};
  const TPartSizing sizing = SplitSizing(FSrcSize, texts, TSizeLead::Texts, Questions());
  CbxDstSize->setEditText(ToQString(texts.Size));
  CbxDstCount->setEditText(ToQString(texts.Count));
  if (sizing.CountRefused) FocusField(TField::Count);

  const TOptions options = FFrmInfo->Options();
  TSplitInput input;
  input.SourcePath = item->PathName;
  input.PartSize = sizing.PartSize;
  input.PartCount = sizing.PartCount;
  input.SameDir = RadSameDir->isChecked();
  input.DestFolder = TreeDst->SelectedPathName();
  input.WriteDescriptor = options.KdmFile;
  input.WriteBatch = ChkBatch->isChecked();
  input.WebAddress = kMakerWebAddress;
  input.WriteChecksums = options.Checksums;
  input.WriteShellScript = options.ShellScript;
  return input;
}

bool TFrmMain::ExecuteSplit(const TSplitInput& input, bool followDestination) {
  bool cancelled = false;
  const bool ended = Guarded([&] {
    TSplitResult result;
    try {
      result = RunSplit(input, *FEnv, Questions());
    } catch (...) {
      if (FBusy) FinishCommand();
      throw;
    }
    cancelled = result.Outcome == TOutcome::Cancelled;
    if (result.Outcome == TOutcome::Refused) FocusField(result.Focus);
    if (FBusy) {
      if (result.Outcome == TOutcome::Done && followDestination && !input.SameDir)
        TreeDst->SetSelectedPathName(ExtractFilePath(result.BasePath));
      FinishCommand();
    }
  });
  return ended && !cancelled;
}

bool TFrmMain::BtnUnSplitClick() {
  if (!LstSrc->SelectedItem() || !FPreparedJoin) return true;
  TJoinInput input = *FPreparedJoin;
  // The field shows the descriptor's extension (locked) or the typed one.
  input.Extension = ToStdString(CbxDstExt->currentText());
  input.SameDir = RadSameDir->isChecked();
  input.DestFolder = TreeDst->SelectedPathName();
  input.DeleteParts = ChkDelete->isChecked();
  return ExecuteJoin(input, true);
}

bool TFrmMain::ExecuteJoin(const TJoinInput& input, bool followDestination) {
  bool cancelled = false;
  const bool ended = Guarded([&] {
    TJoinResult result;
    try {
      result = RunJoin(input, *FEnv, Questions());
    } catch (...) {
      if (FBusy) FinishCommand();
      throw;
    }
    cancelled = result.Outcome == TOutcome::Cancelled;
    if (result.Outcome == TOutcome::Refused) FocusField(result.Focus);
    if (result.Outcome == TOutcome::Done) {
      LstSrc->clearSelection();
      if (followDestination && !input.SameDir)
        TreeDst->SetSelectedPathName(ExtractFilePath(result.DestPath));
    }
    if (FBusy) FinishCommand();
  });
  return ended && !cancelled;
}

void TFrmMain::ShowProgress(const TProgress& progress) {
  if (Gauge->MaxValue() != progress.PartCount) Gauge->SetMaxValue(progress.PartCount);
  if (Gauge->Progress() != progress.Part) Gauge->SetProgress(progress.Part);
  // The throughput counts the time between reports only, not the time a
  // question (a missing part, the next disk) kept the copy waiting.
  const uint64_t now = FEnv->NowMicros();
  if (FCopyClockRunning) FCopyMicros += now - FCopyLast;
  FCopyLast = now;
  FCopyClockRunning = true;
  // The last figure of a command is always shown: it stays on screen under
  // the closing report.
  const bool last = progress.TotalSize > 0 && progress.TotalDone >= progress.TotalSize;
  if (!last && FProgressClock.isValid() && FProgressClock.elapsed() < kRepaintMillis) return;
  FProgressClock.start();
  LblStatus->setText(ProgressText(progress, FCopyMicros));
  LblStatus->setToolTip(
      QStringLiteral("%1 von %2 Bytes")
          .arg(QLocale().toString(static_cast<qlonglong>(progress.TotalDone)),
               QLocale().toString(static_cast<qlonglong>(progress.TotalSize))));
  // Keeps the window painted and answering the system; the input that
  // arrives meanwhile is dropped by the window's event filter, all but the
  // request to stop.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TFrmMain::PauseCopyClock() { FCopyClockRunning = false; }

QString ProgressText(const TProgress& progress, uint64_t copyMicros) {
  // Sizes with one decimal, so that the text fits its panel at any size of
  // file: "1,4 GiB von 3,0 GiB, 171,3 MB/s".
  const QLocale locale;
  auto size = [&](int64_t bytes) { return locale.formattedDataSize(bytes, 1); };
  QString text = progress.TotalSize > 0
                     ? QStringLiteral("%1 von %2").arg(size(progress.TotalDone),
                                                       size(progress.TotalSize))
                     : size(progress.TotalDone);
  const double seconds = static_cast<double>(copyMicros) / 1e6;
  if (seconds > 0.2)
    text += QStringLiteral(", %1 MB/s").arg(
        locale.toString(static_cast<double>(progress.TotalDone) / seconds / (1024.0 * 1024.0),
                        'f', 1));
  return text;
}

}  // namespace kardomel
