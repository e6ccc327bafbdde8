// What the selected source item makes of the window: split mode, join mode
// or the empty selection; the busy switch; the destination choice and the
// free-space displays.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QToolButton>

#include "app/gui/frm_main.h"
#include "app/gui/shell_view.h"
#include "engine/join_prepare.h"
#include "engine/media.h"
#include "engine/selection.h"
#include "support/globals.h"
#include "ui/qt_text.h"

namespace kardomel {

namespace {

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
  widget->setPalette(palette);
}

}  // namespace

void TFrmMain::LbxSrcFileChange() {
  if (FBusy) return;  // SetIdle(true) evaluates the selection afterwards
  FPreparedJoin.reset();
  const std::optional<TShListData> item = LstSrc->SelectedItem();
  FMode = TSelectionMode::Empty;
  if (item && !item->IsLnkShortcut) FMode = ClassifySelection(item->FileName, item->IsFolder);
  FModeEvaluated = true;

  if (FMode == TSelectionMode::Empty) {
    LblFileName->clear();
    LblSrcSize->clear();
    FSrcSize = 0;
    LblSrcCount->clear();
    CbxDstSize->setEditText(QString());
    CbxDstCount->setEditText(QString());
    CbxDstExt->setEditText(QString());
  } else {
    LblFileName->setText(ToQString(item->FileName));
    const std::string fullPath = AddBackslash(TreeSrc->SelectedPathName()) + item->FileName;
    ShowSourceSize(fullPath);
    if (FMode == TSelectionMode::Split) {
      CbxDstCount->setEditText(QString());
      CbxDstSize->setEditText(QString());
      CbxDstExt->setEditText(QString());
      LblSrcCount->clear();
    } else {
      ChkDelete->setChecked(false);
      CbxDstSize->setEditText(QString());
      CbxDstCount->setEditText(QStringLiteral("1"));
      // The window is in join mode before the descriptor is read, also when
      // reading it fails.
      UpdateActions();
      // Without a descriptor the extension field keeps what the user typed.
      FPreparedJoin =
          PrepareJoin(*FEnv, Questions(), fullPath, ToStdString(CbxDstExt->currentText()));
      CbxDstExt->setEditText(ToQString(FPreparedJoin->Extension));
      LblSrcCount->setText(QString::number(FPreparedJoin->PartCount));
      CbxDstSize->setEditText(QString::number(FPreparedJoin->TotalSize));
    }
  }
  ApplySelectionCount();
  // Without a descriptor file the extension is to be typed at once.
  if (FPreparedJoin && !FPreparedJoin->DescriptorSize) CbxDstExt->setFocus();
}

void TFrmMain::ApplySelectionCount() {
  // Several files are always zipped into one archive before the split, so
  // the part count cannot be chosen for them.
  FSeveral = LstSrc->SelCount() >= 2;
  ChkZip->setChecked(FSeveral);
  SetColour(LblZip, QPalette::WindowText,
            FSeveral ? QColor(Qt::red) : QApplication::palette().color(QPalette::WindowText));
  UpdateActions();
}

void TFrmMain::UpdateActions() {
  for (QAction* action : {ActRefresh, ActOptimize, ActInfo, ActHelp, ActClose})
    action->setEnabled(!FBusy);

  // The commands and size fields of the mode wait for an evaluated
  // selection; the join's own controls keep what the last one gave.
  // Several selected items are split as one archive, also when the item
  // the mode follows is a folder.
  const bool split = FModeEvaluated && (FMode == TSelectionMode::Split ||
                                        (FSeveral && FMode == TSelectionMode::Empty));
  const bool join = FMode == TSelectionMode::Join;
  ActSplit->setEnabled(split);
  ActSend->setEnabled(split);
  ActGlue->setEnabled(FModeEvaluated && join);
  for (QWidget* field : std::initializer_list<QWidget*>{CbxDstSize, BtnUnit, ChkBatch})
    field->setEnabled(split);
  // A count cannot be chosen for several files (they are zipped first).
  CbxDstCount->setEnabled(FModeEvaluated && !FSeveral);
  BtnRecalc->setEnabled(FModeEvaluated && !FSeveral);
  ChkZip->setEnabled(!FSeveral);
  // The extension is typed only where no descriptor file gave it.
  CbxDstExt->setEnabled(join && FPreparedJoin && !FPreparedJoin->DescriptorSize);
  ChkDelete->setEnabled(join);

  const bool otherDir = RadOtherDir->isChecked();
  for (QWidget* destination : std::initializer_list<QWidget*>{TreeDst, LstDst, BtnNewFolder})
    destination->setEnabled(otherDir);
}

void TFrmMain::ShowSourceSize(const std::string& path) {
  std::unique_ptr<TStream64> stream;
  try {
    stream = FEnv->Open(path, TOpenMode::Read);
  } catch (const EKardomel&) {
    LstSrc->FillItems();  // the list shows what is no longer there
    return;
  }
  FSrcSize = stream->Size();
  LblSrcSize->setText(QString::number(FSrcSize));
}

void TFrmMain::SetIdle(bool idle) {
  const bool wasBusy = FBusy;
  if (idle) {
    // The window is usable again before the selection is evaluated, also
    // when the evaluation fails.
    FBusy = false;
    if (wasBusy) QApplication::restoreOverrideCursor();
    UpdateActions();
    LbxSrcFileChange();
  } else {
    if (!wasBusy) QApplication::setOverrideCursor(Qt::WaitCursor);
    FBusy = true;
    FProgressClock.start();
    UpdateActions();
  }
}

void TFrmMain::RadSameDirClick() {
  UpdateActions();
  const bool otherDir = RadOtherDir->isChecked();
  LstDst->setBackgroundRole(otherDir ? QPalette::Base : QPalette::Button);
  SetColour(LstDst->viewport(), QPalette::Base,
            QApplication::palette().color(otherDir ? QPalette::Base : QPalette::Button));
  UpdateSizeColour();
}

void TFrmMain::TreeSrcChange() {
  // The selection shown belonged to the folder before; its commands wait
  // for the next one.
  FModeEvaluated = false;
  UpdateActions();
  ShowFreeSpace(TreeSrc->SelectedPathName(), LblSrcDiskFree);
}

void TFrmMain::TreeDstChange() {
  ShowFreeSpace(TreeDst->SelectedPathName(), LblDstDiskFree);
  UpdateSizeColour();
}

void TFrmMain::ShowFreeSpace(const std::string& path, QLabel* label) {
  if (path.empty()) {
    label->clear();
    return;
  }
  const std::string text =
      FreeSpaceLabel(FEnv->FreeSpace(path), ToStdString(QLocale().groupSeparator()));
  if (!text.empty()) label->setText(ToQString(text));  // unmeasurable: the label keeps its text
}

void TFrmMain::UpdateSizeColour() {
  const int64_t required = StrToInt64Def(ToStdString(CbxDstSize->currentText()), 0);
  const std::string folder =
      RadOtherDir->isChecked() ? TreeDst->SelectedPathName() : TreeSrc->SelectedPathName();
  if (folder.empty()) return;
  const bool tooSmall = FEnv->FreeSpace(folder) < required;
  SetColour(CbxDstSize->lineEdit(), QPalette::Text, tooSmall ? QColor(Qt::red) : QColor(Qt::black));
  CbxDstSize->update();
}

void TFrmMain::BtnAktualisierenClick() {
  TreeSrc->RefreshNodes();
  TreeDst->RefreshNodes();
}

void TFrmMain::BtnNewFolderClick() {
  TreeDst->CreateNewFolder();
}

}  // namespace kardomel
