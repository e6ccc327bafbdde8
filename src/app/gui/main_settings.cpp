// The settings file and the window: what a load puts into the window's
// controls and the options dialog's value, what a save takes from them, and
// the restored placement kept on the desktop.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>

#include "app/gui/frm_main.h"
#include "app/gui/shell_view.h"
#include "app/startup/settings.h"
#include "dialogs/frm_info.h"
#include "support/globals.h"
#include "support/ini/window_placement.h"
#include "ui/qt_text.h"

namespace kardomel {

namespace {

TRect ToRect(const QRect& r) {
  return TRect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

std::vector<TScreenArea> ScreenAreas() {
  std::vector<TScreenArea> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas.push_back({ToRect(screen->geometry()), ToRect(screen->availableGeometry())});
  return areas;
}

// Sets the second pane of Split to Size pixels, the first takes the rest.
void SetSecondPane(QSplitter* split, int size) {
  const int total = split->height() - split->handleWidth();
  split->setSizes({qMax(0, total - size), size});
}

}  // namespace

void TFrmMain::LoadSettings(bool full) {
  if (FIniFilePath.empty()) return;
  TSettings settings;
  if (full) FillWindowDefaults(settings);
  kardomel::LoadSettings(FIniFilePath, full, settings);
  ApplySettings(settings, full);
}

void TFrmMain::SaveSettings() {
  if (FIniFilePath.empty()) return;
  kardomel::SaveSettings(FIniFilePath, CollectSettings());
}

void TFrmMain::FillWindowDefaults(TSettings& s) const {
  s.WindowState = isMaximized() ? 2 : 0;
  s.Left = 0;
  s.Top = 0;
  s.Width = width();
  s.Height = height();
  // Zero or less stands for the default pane layout, which needs the window
  // laid out; it is applied when the window is shown.
  s.SplitClient = 0;
  s.SplitSrc = 0;
  s.SplitDst = 0;
  // The program's own folder is a system folder here; a first start shows
  // the user's home folder in both trees.
  s.Src = AddBackslash(ToStdString(QDir::homePath()));
  s.Dst = s.Src;
}

void TFrmMain::ApplySettings(const TSettings& s, bool full) {
  if (full) {
    RestoreWindowPlacement(s);
    FPaneSizes = std::vector<int>{s.SplitClient, s.SplitSrc, s.SplitDst};
    FStartSource = s.Src;
    FStartDest = s.Dst;
    if (!FFirstShow) {
      TreeSrc->SetSelectedPathName(s.Src);
      TreeDst->SetSelectedPathName(s.Dst);
    }
    ChkDelete->setChecked(s.Delete);
    RadSameDir->setChecked(s.SrcDst);
    RadOtherDir->setChecked(!s.SrcDst);
  }
  FFrmInfo->SetOptions(s.Options);
  ChkBatch->setChecked(s.Batch);
  RadSameDirClick();
  ApplyGridLines();
}

TSettings TFrmMain::CollectSettings() const {
  TSettings s;
  s.WindowState = isMinimized() ? 1 : isMaximized() || isFullScreen() ? 2 : 0;
  s.Left = pos().x();
  s.Top = pos().y();
  s.Width = width();
  s.Height = height();
  s.SplitClient = SplitClient->sizes().value(0);
  s.SplitSrc = SplitSource->sizes().value(1);
  s.SplitDst = SplitDest->sizes().value(1);
  s.Options = FFrmInfo->Options();
  s.Batch = ChkBatch->isChecked();
  s.Delete = ChkDelete->isChecked();
  // A window closed before it was shown keeps the folders it was given.
  s.Src = FFirstShow ? FStartSource : TreeSrc->SelectedPathName();
  s.Dst = FFirstShow ? FStartDest : TreeDst->SelectedPathName();
  s.SrcDst = RadSameDir->isChecked();
  return s;
}

void TFrmMain::RestoreWindowPlacement(const TSettings& s) {
  // Position and size as Qt keeps them for a top-level window: the frame's
  // corner and the client size, which a save gives back unchanged.
  const TRect current{x(), y(), x() + width(), y() + height()};
  const TRect placed =
      RestorePlacement(current, true, s.Left, s.Top, s.Width, s.Height, ScreenAreas());
  move(placed.Left, placed.Top);
  resize(placed.Width(), placed.Height());
  const TWindowState state = RestoredWindowState(
      s.WindowState, isMaximized() ? TWindowState::Maximized : TWindowState::Normal);
  if (state == TWindowState::Maximized)
    setWindowState(windowState() | Qt::WindowMaximized);
  else
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

void TFrmMain::ApplyPaneSizes() {
  if (!FPaneSizes) return;
  const std::vector<int> sizes = *FPaneSizes;
  FPaneSizes.reset();
  if (sizes[0] > 0) {
    const int total = SplitClient->width() - SplitClient->handleWidth();
    SplitClient->setSizes({sizes[0], qMax(0, total - sizes[0])});
  }
  if (sizes[1] > 0) SetSecondPane(SplitSource, sizes[1]);
  if (sizes[2] > 0) SetSecondPane(SplitDest, sizes[2]);
}

void TFrmMain::ApplyGridLines() {
  LstSrc->SetGridLines(FFrmInfo->Options().GridLines);
  LstDst->SetGridLines(LstSrc->GridLines());
}

}  // namespace kardomel
