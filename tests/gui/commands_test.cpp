// The split and the join pressed in the window, end to end on temp folders:
// the files they leave, what they report, the disk change on a removable
// medium and the join's overwrite and missing-part questions.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <map>

#include "app/gui/led_gauge.h"
#include "app/gui/shell_view.h"
#include "dialogs/frm_info.h"
#include "ui/qt_text.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class CommandsTest : public TWindowTest {
 protected:
  // Splits Name (already in the source folder) into parts of Size bytes.
  void Split(const char* name, const char* size) {
    Select({name});
    ASSERT_TRUE(window_->ActSplit->isEnabled()) << name;
    TypeSize(size);
    window_->ActSplit->trigger();
  }
  static void Move(const std::string& from, const std::string& to) {
    ASSERT_EQ(std::rename(from.c_str(), to.c_str()), 0) << from;
  }
};

TEST_F(CommandsTest, SplitThenJoinRebuildTheFile) {
  const std::string data = PatternBytes(5000);
  WriteFile(temp_ / "report.pdf", data);
  Open();
  window_->ChkBatch->setChecked(true);
  Split("report.pdf", "1456");
  const TRecord* done = ui_.Find("Datei wurde geteilt.");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(done->Content, temp_ / "report.pdf" + " wurde im Ordner\r" + temp_.Path() +
                               "\rin 4 Teile geteilt.");
  EXPECT_EQ(ui_.MaxPartCount(), 4);
  EXPECT_EQ(FileSize(temp_ / "report.004"), 5000 - 3 * 1456);
  EXPECT_TRUE(FileExists(temp_ / "report.KDM"));
  EXPECT_TRUE(FileExists(temp_ / "report.bat"));
  EXPECT_FALSE(window_->Busy());
  EXPECT_EQ(window_->Gauge->Progress(), 0);
  EXPECT_TRUE(window_->ActInfo->isEnabled());

  ASSERT_EQ(std::remove((temp_ / "report.pdf").c_str()), 0);
  Select({"report.003"});
  EXPECT_EQ(window_->CbxDstExt->currentText(), "pdf");
  window_->ChkDelete->setChecked(true);
  window_->ActGlue->trigger();
  const TRecord* joined = ui_.Find("Teildateien zusammengesetzt.");
  ASSERT_NE(joined, nullptr);
  EXPECT_EQ(joined->Content,
            temp_ / "report.pdf" + " wurde zusammengesetzt.\rDie Teildateien wurden gelöscht.");
  EXPECT_EQ(ReadFile(temp_ / "report.pdf"), data);
  EXPECT_EQ(ListNames(temp_.Path()), std::vector<std::string>{"report.pdf"});
  // After a completed join nothing is selected: the empty selection.
  EXPECT_EQ(window_->LstSrc->SelCount(), 0);
  EXPECT_FALSE(window_->ActGlue->isEnabled());
  EXPECT_TRUE(window_->LblFileName->text().isEmpty());
}

TEST_F(CommandsTest, SplitIntoTheChosenFolderShowsIt) {
  WriteFile(temp_ / "a.bin", PatternBytes(3000));
  TTempFolder out;
  Open();
  window_->RadOtherDir->click();
  window_->TreeDst->SetSelectedPathName(out.Path());
  window_->ChkBatch->setChecked(false);
  window_->FrmInfo()->ChkKdmFile->setChecked(false);
  Split("a.bin", "1000");
  EXPECT_EQ(ListNames(out.Path()), (std::vector<std::string>{"a.001", "a.002", "a.003"}));
  EXPECT_EQ(window_->TreeDst->SelectedPathName() + "/", out.Path());
}

TEST_F(CommandsTest, RefusedSplitFocusesTheField) {
  WriteFile(temp_ / "small.txt", "0123456789");
  Open();
  static const struct {
    const char* size;
    const char* instruction;
    const char* focus;
  } kCases[] = {
      {"100", "Eingabe erwartet.", "CbxDstSize"},  // one part only: count 1
      {"-5", "Eingabe erwartet.", "CbxDstSize"},
      {"abc", "Eingabe erwartet.", "CbxDstSize"},
  };
  for (const auto& row : kCases) {
    Split("small.txt", row.size);
    const TRecord* warning = ui_.Find(row.instruction);
    ASSERT_NE(warning, nullptr) << row.size;
    EXPECT_EQ(warning->Kind, TMsgKind::Warning) << row.size;
    ASSERT_NE(window_->focusWidget(), nullptr) << row.size;
    EXPECT_TRUE(window_->focusWidget()->objectName() == row.focus ||
                window_->focusWidget()->parent()->objectName() == row.focus)
        << row.size;
    EXPECT_FALSE(FileExists(temp_ / "small.001")) << row.size;
  }
  // A count typed beyond 999 and not evaluated is refused on the count field.
  Select({"small.txt"});
  window_->LstSrc->setFocus();
  window_->CbxDstSize->setEditText("1");
  window_->CbxDstCount->setEditText("1000");
  window_->ActSplit->trigger();
  ASSERT_NE(ui_.Find("Maximale Teilanzahl überschritten."), nullptr);
  EXPECT_EQ(window_->focusWidget() != nullptr ? window_->focusWidget()->objectName() : "",
            "CbxDstCount");
}

TEST_F(CommandsTest, DiskChangeSparesTheSourceAndTheWrittenParts) {
  // The source lies on the removable medium and the parts go beside it.
  const std::string data = PatternBytes(3000);
  WriteFile(temp_ / "big.dat", data);
  WriteFile(temp_ / "junk.txt", std::string(200, 'j'));
  env_.SetRemovable(temp_.Path());
  env_.SetCapacity(temp_.Path(), 4000);
  Open();
  window_->ChkBatch->setChecked(false);
  window_->FrmInfo()->ChkKdmFile->setChecked(false);
  ui_.Answer(TCall::DeleteFiles, 1);  // 800 free: delete what is there
  ui_.Answer(TCall::DeleteFiles, 1);  // full after part 1: delete again
  ui_.Answer(TCall::DeleteFiles, 0);  // nothing left to delete: "&Nein"
  ui_.Answer(TCall::Message, mrCancel);  // "Eingabe erwartet.": give up
  Split("big.dat", "1000");
  EXPECT_EQ(ReadFile(temp_ / "big.dat"), data);
  EXPECT_EQ(ReadFile(temp_ / "big.001"), data.substr(0, 1000));
  EXPECT_FALSE(FileExists(temp_ / "junk.txt"));
  EXPECT_FALSE(FileExists(temp_ / "big.002"));
  EXPECT_EQ(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_FALSE(window_->Busy());
}

TEST_F(CommandsTest, DiskChangeGoesOnWithTheNextMedium) {
  const std::string data = PatternBytes(2500);
  WriteFile(temp_ / "big.dat", data);
  TTempFolder disk, carried;
  env_.SetRemovable(disk.Path());
  env_.SetCapacity(disk.Path(), 2000);
  Open();
  window_->RadOtherDir->click();
  window_->TreeDst->SetSelectedPathName(disk.Path());
  window_->ChkBatch->setChecked(false);
  window_->FrmInfo()->ChkKdmFile->setChecked(false);
  ui_.Answer(TCall::DeleteFiles, 0, [&] {
    // The user takes the full medium out and puts in an empty one.
    Move(disk / "big.001", carried / "big.001");
    Move(disk / "big.002", carried / "big.002");
  });
  ui_.Answer(TCall::Message, mrOk);
  Split("big.dat", "1000");
  ASSERT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_EQ(ReadFile(carried / "big.001") + ReadFile(carried / "big.002") +
                ReadFile(disk / "big.003"),
            data);
}

TEST_F(CommandsTest, JoinAsksBeforeWritingOverAFile) {
  WriteFile(temp_ / "r.001", "abc");
  WriteFile(temp_ / "r.002", "de");
  WriteFile(temp_ / "r.KDM", "txt\r\n2\r\n5\r\n");
  WriteFile(temp_ / "r.txt", "old");
  Open();
  Select({"r.001"});
  ui_.Answer(TCall::Overwrite, mrKeep);
  window_->ActGlue->trigger();
  const TRecord* kept = ui_.Find("Hinweis.");
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Content, "Die Datei " + temp_ / "r.txt" + " wurde nicht zusammengesetzt.");
  EXPECT_EQ(ReadFile(temp_ / "r.txt"), "old");
  EXPECT_EQ(window_->LstSrc->SelCount(), 1);  // the selection stays
  EXPECT_FALSE(window_->Busy());

  ui_.Answer(TCall::Overwrite, mrOverwrite);
  window_->ActGlue->trigger();
  EXPECT_EQ(ReadFile(temp_ / "r.txt"), "abcde");
}

TEST_F(CommandsTest, JoinWaitsForAMissingPart) {
  TTempFolder elsewhere;
  WriteFile(temp_ / "r.001", "abc");
  WriteFile(elsewhere / "r.002", "de");
  WriteFile(temp_ / "r.KDM", "txt\r\n2\r\n5\r\n");
  Open();
  Select({"r.001"});
  ui_.Answer(TCall::Message, mrCancel);  // "Kardomel wartet.": give up
  window_->ActGlue->trigger();
  ASSERT_NE(ui_.Find("Kardomel wartet."), nullptr);
  EXPECT_EQ(ui_.Find("Kardomel wartet.")->Content,
            "Bitte legen Sie den nächsten Datenträger ein.\rKardomel wartet auf die Teildatei " +
                temp_ / "r.002" + ".");
  EXPECT_EQ(ui_.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_FALSE(FileExists(temp_ / "r.txt"));  // nothing partial under the final name
  EXPECT_EQ(window_->Gauge->Progress(), 0);

  Select({"r.001"});
  ui_.Answer(TCall::Message, mrOk, [&] { Move(elsewhere / "r.002", temp_ / "r.002"); });
  window_->ActGlue->trigger();
  ASSERT_NE(ui_.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_EQ(ReadFile(temp_ / "r.txt"), "abcde");
}

TEST_F(CommandsTest, AFailingEvaluationAfterAJoinLeavesTheWindowUsable) {
  TTempFolder elsewhere;
  WriteFile(temp_ / "r.001", "abc");
  WriteFile(elsewhere / "r.002", "de");
  WriteFile(temp_ / "r.KDM", "txt\r\n2\r\n5\r\n");
  Open();
  Select({"r.001"});
  // While the join waits for the missing part, the descriptor goes bad; the
  // selection evaluated at the end then fails to read it.
  ui_.Answer(TCall::Message, mrCancel, [&] { WriteFile(temp_ / "r.KDM", "txt\r\nzwei\r\n5\r\n"); });
  window_->ActGlue->trigger();
  ASSERT_NE(ui_.Find("Kardomel wartet."), nullptr);
  ASSERT_NE(ui_.Find("Fehlermeldung!"), nullptr);
  EXPECT_FALSE(window_->Busy());
  EXPECT_TRUE(window_->ActInfo->isEnabled());
  EXPECT_TRUE(window_->ActClose->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Under the closing report the status shows the whole size done, however
// quick the copy was; afterwards gauge and status are empty.
TEST_F(CommandsTest, TheStatusEndsWithTheFinalFigure) {
  WriteFile(temp_ / "r.bin", PatternBytes(5000000));
  Open();
  std::map<std::string, QString> status;
  ui_.OnMessage([&](const std::string& instruction) {
    status[instruction] = window_->LblStatus->text();
  });
  Split("r.bin", "1456128");
  ASSERT_EQ(std::remove((temp_ / "r.bin").c_str()), 0);
  // The lists are read again after the split; the part is selected once the
  // list shows the folder as it is now, or the re-reading takes it away.
  auto listed = [&](const QString& name) {
    QFileSystemModel* model = window_->LstSrc->Model();
    const QModelIndex folder = model->index(ToQString(temp_.Path()));
    for (int row = 0; row < model->rowCount(folder); ++row)
      if (model->index(row, 0, folder).data().toString() == name) return true;
    return false;
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return !listed("r.bin") && listed("r.001"); }, 5000));
  Select({"r.001"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_->ActGlue->isEnabled(); }, 5000));
  window_->ActGlue->trigger();
  ASSERT_NE(ui_.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_TRUE(status["Datei wurde geteilt."].startsWith("4,8 MiB von 4,8 MiB"))
      << status["Datei wurde geteilt."].toStdString();
  EXPECT_TRUE(status["Teildateien zusammengesetzt."].startsWith("4,8 MiB von 4,8 MiB"))
      << status["Teildateien zusammengesetzt."].toStdString();
  EXPECT_TRUE(window_->LblStatus->text().isEmpty());
  EXPECT_GE(window_->LblStatus->width(),
            window_->LblStatus->fontMetrics().horizontalAdvance(status["Datei wurde geteilt."]));
}

// After a command both lists and both free-space labels show the disk as it
// is now, without F5: here a join replaced a small file by a large one.
TEST_F(CommandsTest, ListsAndFreeSpaceAreCurrentAfterACommand) {
  TTempFolder out;
  const std::string data = PatternBytes(5000000);
  for (int k = 0; k < 4; ++k)
    WriteFile(temp_ / ("r.00" + std::to_string(k + 1)), data.substr(k * 1456128, 1456128));
  WriteFile(temp_ / "r.KDM", "txt\r\n4\r\n5000000\r\n");
  WriteFile(out / "r.txt", "old");
  env_.SetFreeSpace(temp_.Path(), 9000000000);
  env_.SetFreeSpace(out.Path(), 9100000000);
  Open();
  window_->RadOtherDir->click();
  window_->TreeDst->SetSelectedPathName(out.Path());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window_->LblDstDiskFree->text() == "9.100.000.000 Bytes frei"; }, 5000));
  auto sizeShown = [&] {
    const QModelIndex item = window_->LstDst->Model()->index(ToQString(out / "r.txt"));
    return item.siblingAtColumn(1).data().toString();
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return sizeShown() == "3 Bytes"; }, 5000)) << sizeShown().toStdString();
  Select({"r.001"});
  env_.SetFreeSpace(temp_.Path(), 8990000000);
  env_.SetFreeSpace(out.Path(), 9095000000);
  ui_.Answer(TCall::Overwrite, mrOverwrite);
  window_->ActGlue->trigger();
  ASSERT_NE(ui_.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_EQ(window_->LblSrcDiskFree->text(), "8.990.000.000 Bytes frei");
  EXPECT_EQ(window_->LblDstDiskFree->text(), "9.095.000.000 Bytes frei");
  EXPECT_TRUE(QTest::qWaitFor([&] { return sizeShown() == "4,77 MiB"; }, 5000))
      << sizeShown().toStdString();
}

// Escape and the status bar's "Abbrechen" button stop a copy in the middle:
// the window lets them through while it takes no other input.
TEST_F(CommandsTest, EscapeOrTheCancelButtonStopsTheCopy) {
  const std::string data = PatternBytes(2000000);
  WriteFile(temp_ / "big.bin", data);
  Open();
  bool buttonShown = false;
  ui_.OnProgress([&](const TProgress& progress) {
    if (progress.TotalDone < 700000) return;
    buttonShown = window_->BtnCancel->isVisible();
    QTest::keyClick(window_->LstSrc, Qt::Key_Escape);
  });
  Split("big.bin", "500000");
  EXPECT_TRUE(buttonShown);
  EXPECT_EQ(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_EQ(ListNames(temp_.Path()),
            (std::vector<std::string>{"big.001", "big.bin"}));
  EXPECT_EQ(ReadFile(temp_ / "big.001"), data.substr(0, 500000));
  EXPECT_FALSE(window_->Busy());
  EXPECT_FALSE(window_->BtnCancel->isVisible());
  EXPECT_TRUE(window_->LblStatus->text().isEmpty());

  // The join of the whole set, stopped by the button; the parts stay.
  ui_.OnProgress({});
  Split("big.bin", "500000");
  ASSERT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
  ASSERT_EQ(std::remove((temp_ / "big.bin").c_str()), 0);
  const std::vector<std::string> set = ListNames(temp_.Path());
  ui_.OnProgress([&](const TProgress& progress) {
    if (progress.TotalDone >= 700000 && window_->BtnCancel->isEnabled())
      QTest::mouseClick(window_->BtnCancel, Qt::LeftButton);
  });
  Select({"big.002"});
  window_->ChkDelete->setChecked(true);
  window_->ActGlue->trigger();
  EXPECT_EQ(ui_.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_EQ(ListNames(temp_.Path()), set);
  EXPECT_FALSE(window_->Busy());
}

TEST_F(CommandsTest, JoinWithoutExtensionIsRefused) {
  WriteFile(temp_ / "r.001", "abc");
  Open();
  Select({"r.001"});
  window_->ActGlue->trigger();
  ASSERT_NE(ui_.Find("Dateiendung fehlt."), nullptr);
  EXPECT_EQ(window_->focusWidget(), window_->CbxDstExt);
  EXPECT_EQ(ListNames(temp_.Path()), std::vector<std::string>{"r.001"});
}

}  // namespace
}  // namespace kardomel::testing
