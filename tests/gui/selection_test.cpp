// The mode the selected source item puts the window in, and what that
// enables.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QFileSystemModel>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QToolButton>

#include "app/gui/shell_view.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

enum class TMode { Empty, Split, Join };

TMode ModeOf(const TFrmMain& w) {
  if (w.ActSplit->isEnabled()) return w.ActGlue->isEnabled() ? TMode::Empty : TMode::Split;
  return w.ActGlue->isEnabled() ? TMode::Join : TMode::Empty;
}

const char* Name(TMode mode) {
  switch (mode) {
    case TMode::Empty: return "empty";
    case TMode::Split: return "split";
    case TMode::Join: return "join";
  }
  return "?";
}

// The enabled state of the controls the mode switches, as one letter each
// (1 on, 0 off): ActSplit ActSend ActGlue CbxDstSize BtnUnit CbxDstCount
// BtnRecalc CbxDstExt ChkDelete ChkBatch ChkZip.
std::string Enabled(const TFrmMain& w) {
  std::string out;
  for (bool on : {w.ActSplit->isEnabled(), w.ActSend->isEnabled(), w.ActGlue->isEnabled(),
                  w.CbxDstSize->isEnabled(), w.BtnUnit->isEnabled(), w.CbxDstCount->isEnabled(),
                  w.BtnRecalc->isEnabled(), w.CbxDstExt->isEnabled(), w.ChkDelete->isEnabled(),
                  w.ChkBatch->isEnabled(), w.ChkZip->isEnabled()})
    out += on ? '1' : '0';
  return out;
}

class SelectionTest : public TWindowTest {};

TEST_F(SelectionTest, ModeFollowsTheSelectedEntry) {
  for (const char* file : {"report.007", "report.000", "report.100", "report.zip", "report.01a",
                           "notes.lnk", "plain"})
    WriteFile(temp_ / file, "x");
  WriteFile(temp_ / "Set.kdm", "txt\r\n2\r\n10\r\n");
  for (const char* folder : {"archive.zip", "photos.ZIP", "photos"})
    QDir().mkdir(QString::fromStdString(temp_ / folder));
  Open();

  static const struct {
    const char* name;
    TMode mode;
    bool unknownExtension;  // join without a descriptor file: the message comes
  } kCases[] = {
      {"Set.kdm", TMode::Join, false},  {"report.007", TMode::Join, true},
      {"report.01a", TMode::Join, true},   {"report.000", TMode::Split, false},
      {"report.100", TMode::Split, false}, {"report.zip", TMode::Split, false},
      {"plain", TMode::Split, false},      {"archive.zip", TMode::Split, false},
      {"photos.ZIP", TMode::Empty, false}, {"photos", TMode::Empty, false},
      {"notes.lnk", TMode::Empty, false},
  };
  for (const auto& row : kCases) {
    const size_t before = ui_.Records().size();
    Select({row.name});
    EXPECT_STREQ(Name(ModeOf(*window_)), Name(row.mode)) << row.name;
    const bool asked = ui_.Records().size() > before &&
                       ui_.Records().back().Instruction == "Dateiendung unbekannt.";
    EXPECT_EQ(asked, row.unknownExtension) << row.name;
    EXPECT_EQ(window_->LblFileName->text().isEmpty(), row.mode == TMode::Empty) << row.name;
  }
}

TEST_F(SelectionTest, EnabledStatesOfEachMode) {
  WriteFile(temp_ / "movie.avi", PatternBytes(1000));
  WriteFile(temp_ / "set.001", "aaaa");
  WriteFile(temp_ / "set.002", "bb");
  WriteFile(temp_ / "set.003", "c");
  WriteFile(temp_ / "book.001", "aaaa");
  WriteFile(temp_ / "book.KDM", "pdf\r\n3\r\n9\r\n");
  QDir().mkdir(QString::fromStdString(temp_ / "folder"));
  Open();
  EXPECT_EQ(Enabled(*window_), "00000000001") << "before any selection";

  Select({"folder"});
  EXPECT_EQ(Enabled(*window_), "00000110001") << "empty selection";
  EXPECT_EQ(window_->SrcSize(), 0);

  Select({"movie.avi"});
  EXPECT_EQ(Enabled(*window_), "11011110011") << "split mode";
  EXPECT_EQ(window_->LblSrcSize->text(), "1000");
  EXPECT_EQ(window_->SrcSize(), 1000);
  EXPECT_TRUE(window_->CbxDstSize->currentText().isEmpty());

  window_->ChkDelete->setChecked(true);
  Select({"book.001"});
  EXPECT_EQ(Enabled(*window_), "00100110101") << "join mode, descriptor read";
  EXPECT_FALSE(window_->ChkDelete->isChecked());
  EXPECT_EQ(window_->CbxDstExt->currentText(), "pdf");
  EXPECT_EQ(window_->LblSrcCount->text(), "3");
  EXPECT_EQ(window_->CbxDstSize->currentText(), "9");
  EXPECT_EQ(window_->CbxDstCount->currentText(), "1");

  Select({"set.002"});
  EXPECT_EQ(Enabled(*window_), "00100111101") << "join mode, no descriptor";
  EXPECT_EQ(window_->LblSrcCount->text(), "3");
  EXPECT_EQ(window_->CbxDstSize->currentText(), "7");
  EXPECT_EQ(window_->focusWidget(), window_->CbxDstExt);

  // The destination tree follows the radio buttons in either mode.
  EXPECT_FALSE(window_->TreeDst->isEnabled());
  window_->RadOtherDir->click();
  EXPECT_TRUE(window_->TreeDst->isEnabled());
  EXPECT_TRUE(window_->LstDst->isEnabled());
  EXPECT_TRUE(window_->BtnNewFolder->isEnabled());
  window_->RadSameDir->click();
  EXPECT_FALSE(window_->LstDst->isEnabled());
  EXPECT_FALSE(window_->BtnNewFolder->isEnabled());
}

TEST_F(SelectionTest, SeveralFilesLockZipAndCount) {
  WriteFile(temp_ / "a.txt", "a");
  WriteFile(temp_ / "b.txt", "b");
  Open();
  Select({"a.txt", "b.txt"});
  EXPECT_TRUE(window_->ChkZip->isChecked());
  EXPECT_FALSE(window_->ChkZip->isEnabled());
  EXPECT_FALSE(window_->CbxDstCount->isEnabled());
  EXPECT_FALSE(window_->BtnRecalc->isEnabled());
  EXPECT_EQ(window_->LblZip->palette().color(QPalette::WindowText), QColor(Qt::red));

  Select({"a.txt"});
  EXPECT_FALSE(window_->ChkZip->isChecked());
  EXPECT_TRUE(window_->ChkZip->isEnabled());
  EXPECT_TRUE(window_->CbxDstCount->isEnabled());
  EXPECT_NE(window_->LblZip->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(SelectionTest, PartsCountedWithoutDescriptor) {
  static const struct {
    const char* name;
    std::vector<int> present;  // part numbers on disk
    const char* count;
    const char* total;
  } kCases[] = {
      {"five parts", {1, 2, 3, 4, 5}, "5", "15"},
      {"first part missing", {2, 3, 4, 5}, "5", "14"},
      {"only the first", {1}, "1", "1"},
  };
  Open();
  for (const auto& row : kCases) {
    TTempFolder folder;
    for (int k : row.present)
      WriteFile(folder / ("p." + std::string(k < 10 ? "00" : "0") + std::to_string(k)),
                std::string(k, 'x'));
    window_->TreeSrc->SetSelectedPathName(folder.Path());
    Select({row.present.front() == 1 ? "p.001" : "p.002"});
    EXPECT_EQ(window_->LblSrcCount->text(), row.count) << row.name;
    EXPECT_EQ(window_->CbxDstSize->currentText(), row.total) << row.name;
    EXPECT_NE(ui_.Find("Dateiendung unbekannt."), nullptr) << row.name;
  }
}

// Both trees open at the chosen folders and keep them in sight while the
// folders around them are read, deep down among many siblings.
TEST_F(SelectionTest, TreesRevealTheirFolders) {
  for (int k = 0; k < 80; ++k) ASSERT_TRUE(QDir(QString::fromStdString(temp_.Path())).mkpath(
      QStringLiteral("d%1").arg(k, 2, 10, QLatin1Char('0'))));
  const std::string folder = temp_ / "d71";
  Open(folder);
  window_->RadOtherDir->click();
  for (TShellTree* tree : {window_->TreeSrc, window_->TreeDst}) {
    auto shown = [&] {
      const QModelIndex item = tree->currentIndex();
      return item.isValid() && tree->Model()->filePath(item) == QString::fromStdString(folder) &&
             tree->viewport()->rect().contains(tree->visualRect(item));
    };
    EXPECT_TRUE(QTest::qWaitFor(shown, 5000)) << tree->objectName().toStdString();
  }
}

// The tree with the keyboard focus is framed in the highlight colour; the
// other tree is not.
TEST_F(SelectionTest, TheFocusedTreeIsFramed) {
  Open(temp_.Path());
  window_->RadOtherDir->click();
  auto framed = [](TShellTree* tree) {
    // The whole left edge, not a point a selected row might cover.
    const QImage shot = tree->viewport()->grab().toImage();
    const QColor highlight = tree->palette().color(QPalette::Active, QPalette::Highlight);
    for (int y = 0; y < shot.height(); ++y)
      if (shot.pixelColor(1, y) != highlight) return false;
    return shot.height() > 0;
  };
  for (TShellTree* focused : {window_->TreeSrc, window_->TreeDst}) {
    TShellTree* other = focused == window_->TreeSrc ? window_->TreeDst : window_->TreeSrc;
    focused->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return focused->hasFocus(); }, 5000));
    EXPECT_TRUE(framed(focused)) << focused->objectName().toStdString();
    EXPECT_FALSE(framed(other)) << other->objectName().toStdString();
  }
}

}  // namespace
}  // namespace kardomel::testing
