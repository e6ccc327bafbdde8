// The part size and count fields: presets, the megabyte tooltip, the two
// derivations, the count warning and the lists that learn entered values.
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class SizeFieldsTest : public TWindowTest {
 protected:
  // Shows the window with a source of Size bytes selected (sparse, so that
  // large sizes cost nothing).
  void OpenWithSource(int64_t size) {
    ASSERT_EQ(Shell("truncate -s " + std::to_string(size) + " " + Quote(temp_ / "source.bin")), 0);
    Open();
    Select({"source.bin"});
    ASSERT_EQ(window_->SrcSize(), size);
  }
  QString Size() const { return window_->CbxDstSize->currentText(); }
  QString Count() const { return window_->CbxDstCount->currentText(); }
};

TEST_F(SizeFieldsTest, PresetBecomesBytesWithHintAndCount) {
  static const struct {
    int preset;
    int64_t source;
    const char* size;
    const char* hint;
    const char* count;
  } kCases[] = {
      {0, 10000000, "1456128", "ca. 1,4 MB", "7"},
      {13, 10000000000, "5046584000", "ca. 4812,8 MB", "2"},
      {3, 5242880, "5242880", "ca. 5,0 MB", "1"},  // exactly one part: no remainder
  };
  for (const auto& row : kCases) {
    window_ = std::make_unique<TFrmMain>(&env_);
    window_->SetResponder(&ui_);
    TTempFolder folder;
    ASSERT_EQ(Shell("truncate -s " + std::to_string(row.source) + " " + Quote(folder / "s")), 0);
    Open(folder.Path());
    Select({"s"});
    PickPreset(row.preset);
    EXPECT_EQ(Size(), row.size) << row.preset;
    EXPECT_EQ(window_->CbxDstSize->toolTip(), row.hint) << row.preset;
    EXPECT_EQ(Count(), row.count) << row.preset;
  }
}

TEST_F(SizeFieldsTest, CountGivesSize) {
  static const struct {
    int64_t source;
    const char* count;
    const char* size;
  } kCases[] = {
      {1000000, "4", "250001"},
      {10, "5", "3"},  // fewer than count² bytes: four parts of 3, not five
  };
  for (const auto& row : kCases) {
    window_ = std::make_unique<TFrmMain>(&env_);
    window_->SetResponder(&ui_);
    TTempFolder folder;
    WriteFile(folder / "s", std::string(static_cast<size_t>(row.source), 'x'));
    Open(folder.Path());
    Select({"s"});
    window_->CbxDstCount->setEditText(row.count);
    window_->BtnRecalc->click();
    EXPECT_EQ(Size(), row.size) << row.count;
  }
}

TEST_F(SizeFieldsTest, BadCountIsRefusedAndEmptied) {
  OpenWithSource(1000);
  for (const char* typed : {"0", "-3", "abc", ""}) {
    window_->CbxDstCount->setEditText(typed);
    window_->BtnRecalc->click();
    const TRecord* warning = ui_.Find("Fehlerhafte Eingabe.");
    ASSERT_NE(warning, nullptr) << typed;
    EXPECT_EQ(warning->Content, "Der Wert muss größer als 0 sein.") << typed;
    EXPECT_EQ(warning->Kind, TMsgKind::Warning) << typed;
    EXPECT_TRUE(Count().isEmpty()) << typed;
  }
}

TEST_F(SizeFieldsTest, TypedSizeWinsOverTheCountWhileItIsActive) {
  OpenWithSource(1000);
  TypeSize("300");
  window_->CbxDstCount->setEditText("9");
  window_->BtnRecalc->click();  // evaluates the active size field first: count 4
  EXPECT_EQ(Count(), "4");
  EXPECT_EQ(Size(), "251");
}

// A size typed with its unit is taken as the command line takes it.
TEST_F(SizeFieldsTest, SizeWithAUnitBecomesItsBytes) {
  OpenWithSource(20000000);
  for (const char* typed : {"5 MB", "5MB", "5 mb"}) {
    TypeSize(typed);
    window_->CbxDstSizeExit();
    EXPECT_EQ(Size(), "5242880") << typed;
    EXPECT_EQ(Count(), "4") << typed;
  }
  TypeSize("5 XB");  // no unit of sizes: left as typed, the split refuses it
  window_->CbxDstSizeExit();
  EXPECT_EQ(Size(), "5 XB");
}

TEST_F(SizeFieldsTest, ListsLearnEnteredValuesOnce) {
  OpenWithSource(1000);
  const int presets = window_->CbxDstSize->count();
  window_->CbxDstSize->setEditText("2000000");
  window_->CbxDstSizeExit();
  window_->CbxDstSizeExit();
  ASSERT_EQ(window_->CbxDstSize->count(), presets + 1);
  EXPECT_EQ(window_->CbxDstSize->itemText(0), "2000000");
  EXPECT_EQ(Size(), "2000000");

  PickPreset(1 + 1);  // "3.5\" HD 1,7MB", shifted by the learnt entry
  EXPECT_EQ(window_->CbxDstSize->itemText(0), "1726300");
  EXPECT_EQ(Size(), "1726300");

  // Text that is no number changes nothing and shows no hint.
  window_->CbxDstSize->setEditText("viel");
  const QString count = Count();
  window_->CbxDstSizeExit();
  EXPECT_TRUE(window_->CbxDstSize->toolTip().isEmpty());
  EXPECT_EQ(Count(), count);

  const int extensions = window_->CbxDstExt->count();
  window_->CbxDstExt->setEditText("TXT");  // already listed as "txt"
  window_->CbxDstExtExit();
  window_->CbxDstExt->setEditText("");
  window_->CbxDstExtExit();
  window_->CbxDstExtExit();
  EXPECT_EQ(window_->CbxDstExt->count(), extensions + 1);
  EXPECT_EQ(window_->CbxDstExt->itemText(0), "");
}

TEST_F(SizeFieldsTest, SizeTurnsRedWhenTheDestinationIsTooSmall) {
  env_.SetFreeSpace(temp_.Path(), 5000);
  OpenWithSource(100000);
  auto colour = [&] {
    return window_->CbxDstSize->lineEdit()->palette().color(QPalette::Active, QPalette::Text);
  };
  window_->CbxDstSize->setEditText("6000");
  window_->CbxDstSizeExit();
  EXPECT_EQ(colour(), QColor(Qt::red));
  window_->CbxDstSize->setEditText("5000");
  window_->CbxDstSizeExit();
  EXPECT_EQ(colour(), QColor(Qt::black));
}

}  // namespace
}  // namespace kardomel::testing
