// The split with "Datei(en) vorher zippen" pressed in the window: several
// files become one archive that is split and removed, and a cancelled name
// query changes nothing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <sys/stat.h>

#include "app/gui/led_gauge.h"
#include "dialogs/frm_info.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class ZipWindowTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    WriteFile(temp_ / "a.bin", PatternBytes(30000, 1));
    WriteFile(temp_ / "b.bin", PatternBytes(25000, 2));
    Open();
    Select({"a.bin", "b.bin"});
  }
};

TEST_F(ZipWindowTest, SeveralFilesBecomeOneArchiveThatIsSplitAndRemoved) {
  EXPECT_TRUE(window_->ChkZip->isChecked());
  EXPECT_FALSE(window_->ChkZip->isEnabled());
  ASSERT_TRUE(window_->ActSplit->isEnabled());
  TypeSize("20000");
  ui_.AnswerInput("_paket.zip");
  window_->ActSplit->trigger();

  ASSERT_FALSE(ui_.Records().empty());
  const TRecord& query = ui_.Records().front();
  EXPECT_EQ(query.Call, TCall::Input);
  EXPECT_EQ(query.Instruction, "ZIP-Archiv Name eingeben.");
  EXPECT_EQ(query.Content,
            "Die Dateien werden vor dem Teilen gezippt. Geben Sie den Namen des ZIP-Archivs ein.");
  ASSERT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_EQ(ListNames(temp_.Path()),
            (std::vector<std::string>{"_paket.001", "_paket.002", "_paket.003", "_paket.KDM",
                                      "a.bin", "b.bin"}));
  // The gauge showed the packing in percent, then the parts, and is idle again.
  const std::vector<int32_t>& shown = ui_.Parts();
  EXPECT_NE(std::find(shown.begin(), shown.end(), 100), shown.end());
  EXPECT_EQ(window_->Gauge->Progress(), 0);
  EXPECT_FALSE(window_->Busy());
  if (Shell("command -v unzip > /dev/null") != 0) GTEST_SKIP() << "unzip fehlt";
  const std::string joined = temp_ / "joined.zip";
  ASSERT_EQ(Shell("cat " + Quote(temp_ / "_paket.001") + " " + Quote(temp_ / "_paket.002") + " " +
                  Quote(temp_ / "_paket.003") + " > " + Quote(joined)),
            0);
  EXPECT_EQ(Shell("unzip -tqq " + Quote(joined) + " > /dev/null"), 0);
}

TEST_F(ZipWindowTest, AFolderAmongSeveralItemsIsPackedWhole) {
  ::mkdir((temp_ / "ordner").c_str(), 0755);
  WriteFile(temp_ / "ordner/.versteckt", PatternBytes(15000, 3));
  Select({"a.bin", "ordner"});  // the folder is the current item
  ASSERT_TRUE(window_->ActSplit->isEnabled());
  TypeSize("20000");
  ui_.AnswerInput("_ordner.zip");
  window_->ActSplit->trigger();
  ASSERT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_FALSE(FileExists(temp_ / "_ordner.zip"));
  EXPECT_TRUE(FileExists(temp_ / "_ordner.003"));
  if (Shell("command -v unzip > /dev/null") != 0) GTEST_SKIP() << "unzip fehlt";
  const std::string joined = temp_ / "joined.zip";
  ASSERT_EQ(Shell("cat " + Quote(temp_.Path()) + "_ordner.0* > " + Quote(joined)), 0);
  EXPECT_EQ(Shell("unzip -Z1 " + Quote(joined) + " | grep -q 'ordner/.versteckt$'"), 0);
}

TEST_F(ZipWindowTest, CancelledNameQueryChangesNothing) {
  TypeSize("20000");
  const std::vector<std::string> before = ListNames(temp_.Path());
  ui_.AnswerInput(std::nullopt);
  EXPECT_TRUE(window_->BtnSplitClick(window_->ActSplit));
  EXPECT_EQ(ListNames(temp_.Path()), before);
  EXPECT_EQ(ui_.Instructions(), std::vector<std::string>{});
  EXPECT_FALSE(window_->Busy());
  EXPECT_EQ(window_->CbxDstSize->currentText(), "20000");
}

TEST_F(ZipWindowTest, EncryptingWithoutAStoredPasswordAsksForIt) {
  window_->FrmInfo()->ChkEncrypt->setChecked(true);
  window_->FrmInfo()->EdtPsw->setText("   ");
  TypeSize("20000");
  const std::vector<std::string> before = ListNames(temp_.Path());
  // Cancelling the password query ends the command with nothing changed.
  ui_.AnswerInput("_paket.zip");
  ui_.AnswerInput(std::nullopt);
  EXPECT_TRUE(window_->BtnSplitClick(window_->ActSplit));
  ASSERT_EQ(ui_.Records().size(), 2u);
  EXPECT_EQ(ui_.Records()[1].Instruction, "ZIP-Archiv Passwort eingeben.");
  EXPECT_EQ(ui_.Records()[1].Content,
            "Das Archiv wird mit einem Passwort geschützt. Geben Sie das Passwort des "
            "ZIP-Archivs ein.");
  EXPECT_EQ(ListNames(temp_.Path()), before);

  ui_.AnswerInput("_paket.zip");
  ui_.AnswerInput("Geheim");
  window_->ActSplit->trigger();
  ASSERT_NE(ui_.Find("Datei wurde geteilt."), nullptr);
  EXPECT_FALSE(FileExists(temp_ / "_paket.zip"));
  // The typed password is for this archive only; the option keeps its own.
  EXPECT_EQ(window_->FrmInfo()->EdtPsw->text(), "   ");
  if (Shell("command -v unzip > /dev/null") != 0) GTEST_SKIP() << "unzip fehlt";
  const std::string joined = temp_ / "joined.zip";
  ASSERT_EQ(Shell("cat " + Quote(temp_ / "_paket.001") + " " + Quote(temp_ / "_paket.002") + " " +
                  Quote(temp_ / "_paket.003") + " > " + Quote(joined)),
            0);
  EXPECT_EQ(Shell("unzip -tqq -P Geheim " + Quote(joined) + " > /dev/null"), 0);
  EXPECT_NE(Shell("unzip -tqq -P anders " + Quote(joined) + " > /dev/null 2>&1"), 0);
}

}  // namespace
}  // namespace kardomel::testing
