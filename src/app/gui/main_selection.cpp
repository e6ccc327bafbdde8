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
#include "engine/media.h"
#include "engine/selection.h"
#include "engine/split_set.h"
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
  FDescriptorSize.reset();
  const std::optional<TShListData> item = LstSrc->SelectedItem();
  TSelectionMode mode = TSelectionMode::Empty;
  if (item && !item->IsLnkShortcut) mode = ClassifySelection(item->FileName, item->IsFolder);
  const bool otherDir = RadOtherDir->isChecked();

  if (mode == TSelectionMode::Empty) {
    LblFileName->clear();
    for (QAction* action : {ActSplit, ActSend, ActGlue}) action->setEnabled(false);
    for (QWidget* field : std::initializer_list<QWidget*>{CbxDstSize, BtnUnit, CbxDstCount,
                                                          BtnRecalc, CbxDstExt, ChkDelete, ChkBatch})
      field->setEnabled(false);
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
    const bool split = mode == TSelectionMode::Split;
    ActSplit->setEnabled(split);
    ActSend->setEnabled(split);
    ActGlue->setEnabled(!split);
    for (QWidget* field : std::initializer_list<QWidget*>{CbxDstSize, BtnUnit, CbxDstCount,
                                                          BtnRecalc, ChkBatch, ChkZip})
      field->setEnabled(split);
    CbxDstExt->setEnabled(false);
    ChkDelete->setEnabled(!split);
    TreeDst->setEnabled(otherDir);
    if (split) {
      CbxDstCount->setEditText(QString());
      CbxDstSize->setEditText(QString());
      CbxDstExt->setEditText(QString());
      LblSrcCount->clear();
    } else {
      ChkDelete->setChecked(false);
      CbxDstSize->setEditText(QString());
      CbxDstCount->setEditText(QStringLiteral("1"));
      if (std::optional<TDescriptor> descriptor = ReadDescriptor(*FEnv, Questions(), fullPath)) {
        CbxDstExt->setEditText(ToQString(descriptor->Extension));
        LblSrcCount->setText(QString::number(descriptor->Count));
        CbxDstSize->setEditText(QString::number(descriptor->Size));
        FDescriptorSize = descriptor->Size;
      } else {
        const TPartCount parts = CountParts(*FEnv, fullPath);
        LblSrcCount->setText(QString::number(parts.Count));
        CbxDstSize->setEditText(QString::number(parts.Total));
        CbxDstExt->setEnabled(true);
        CbxDstExt->setFocus();
      }
    }
  }
  ApplySelectionCount();
}

void TFrmMain::ApplySelectionCount() {
  // Several files are always zipped into one archive before the split, so
  // the part count cannot be chosen for them.
  const bool several = LstSrc->SelCount() >= 2;
  ChkZip->setChecked(several);
  ChkZip->setEnabled(!several);
  CbxDstCount->setEnabled(!several);
  BtnRecalc->setEnabled(!several);
  SetColour(LblZip, QPalette::WindowText,
            several ? QColor(Qt::red) : QApplication::palette().color(QPalette::WindowText));
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
    FBusy = false;
    LbxSrcFileChange();
  }
  for (QAction* action : {ActRefresh, ActOptimize, ActInfo, ActHelp, ActClose})
    action->setEnabled(idle);
  if (idle) {
    if (wasBusy) QApplication::restoreOverrideCursor();
  } else {
    if (!wasBusy) QApplication::setOverrideCursor(Qt::WaitCursor);
    FBusy = true;
    FProgressClock.start();
    FCommandClock.start();
  }
}

void TFrmMain::RadSameDirClick() {
  const bool otherDir = RadOtherDir->isChecked();
  TreeDst->setEnabled(otherDir);
  LstDst->setEnabled(otherDir);
  BtnNewFolder->setEnabled(otherDir);
  LstDst->setBackgroundRole(otherDir ? QPalette::Base : QPalette::Button);
  SetColour(LstDst->viewport(), QPalette::Base,
            QApplication::palette().color(otherDir ? QPalette::Base : QPalette::Button));
  UpdateSizeColour();
}

void TFrmMain::TreeSrcChange() {
  for (QAction* action : {ActSplit, ActSend, ActGlue}) action->setEnabled(false);
  for (QWidget* field :
       std::initializer_list<QWidget*>{BtnRecalc, CbxDstCount, CbxDstSize, BtnUnit, ChkBatch})
    field->setEnabled(false);
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
