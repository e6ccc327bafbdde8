// The split with "Datei(en) vorher zippen": the archive's name and, where
// needed, its password asked for, then the selection packed, the archive
// split (or sent) and removed by the delivery step the command-line tool
// runs too.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QRadioButton>
#include <algorithm>

#include "app/gui/frm_main.h"
#include "app/startup/settings_path.h"
#include "app/gui/shell_view.h"
#include "delivery/mail/send.h"
#include "delivery/options.h"
#include "delivery/zip/zip_split.h"
#include "dialogs/frm_info.h"
#include "support/globals.h"
#include "support/maker.h"
#include "ui/qt_text.h"

namespace kardomel {

namespace {

// Full paths of every selected item of List, in the order the list shows them.
std::vector<std::string> SelectedPaths(const TShellList& list) {
  QModelIndexList rows = list.selectionModel()->selectedRows(0);
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<std::string> paths;
  for (const QModelIndex& row : rows) paths.push_back(ToStdString(list.Model()->filePath(row)));
  return paths;
}

}  // namespace

bool TFrmMain::ZipThenSplit(bool send) {
  const std::optional<TShListData> item = LstSrc->SelectedItem();
  if (!item) return true;
  TOptions options = FFrmInfo->Options();
  TZipSplitInput input;
  input.ArchiveName = ProposedArchiveName(item->FileName, options.Zip.Sfx);
  if (!AskArchiveName(Questions(), input.ArchiveName)) return true;
  if (PasswordToBeAsked(options.Zip) && !AskArchivePassword(Questions(), options.Zip.Password))
    return true;
  // A size still being typed is evaluated as on leaving the field.
  if (focusWidget() != nullptr &&
      (focusWidget() == CbxDstSize || CbxDstSize->isAncestorOf(focusWidget())))
    CbxDstSizeExit();

  input.Items = SelectedPaths(*LstSrc);
  input.SourceFolder = LstSrc->Folder();
  input.Zip = options.Zip;
  input.StubPath = ProgramFolder() + "sfx32pro.bin";
  input.Split.SameDir = RadSameDir->isChecked();
  input.Split.DestFolder = TreeDst->SelectedPathName();
  input.Split.WriteDescriptor = options.KdmFile;
  input.Split.WriteBatch = ChkBatch->isChecked();
  input.Split.WebAddress = kMakerWebAddress;
  input.Split.WriteChecksums = options.Checksums;
  input.Split.WriteShellScript = options.ShellScript;
  // The fields were evaluated for the selected file; the archive's size
  // decides the count, so the size leads again.
  input.Texts = {ToStdString(CbxDstSize->currentText()), ToStdString(CbxDstCount->currentText())};
  input.Lead = TSizeLead::Size;

  bool cancelled = false;
  const bool ended = Guarded([&] {
    TZipSplitResult result;
    try {
      const std::unique_ptr<TArchiveWriter> writer = MakeLibzipArchiveWriter();
      // "&Versenden" mails the archive's parts instead of leaving them.
      TArchiveCutter cut;
      if (send)
        cut = [this](const TSplitInput& split, TEnv& env, TInteraction& ui) {
          const TSendResult sent = RunSend(SendInputOf(split), env, ui, *FLauncher);
          TSplitResult outcome;
          outcome.Outcome = sent.Outcome;
          outcome.Focus = sent.Focus;
          outcome.PartsWritten = sent.Parts;
          return outcome;
        };
      result = RunZipSplit(input, *FEnv, Questions(), *writer, cut);
    } catch (...) {
      if (FBusy) FinishCommand();
      throw;
    }
    cancelled = result.Outcome == TOutcome::Cancelled;
    CbxDstSize->setEditText(ToQString(result.Texts.Size));
    CbxDstCount->setEditText(ToQString(result.Texts.Count));
    if (result.Outcome == TOutcome::Refused) FocusField(result.Focus);
    if (FBusy) {
      if (result.Outcome == TOutcome::Done && !input.Split.SameDir && !send)
        TreeDst->SetSelectedPathName(ExtractFilePath(result.Split.BasePath));
      FinishCommand();
    }
  });
  return ended && !cancelled;
}

}  // namespace kardomel
