// The window's keyboard commands: one run per key press, wherever the focus
// is. A real modal dialog takes the focus away while it is open and the
// window gets it back only when the window manager activates it again, so
// the responder here clears the focus at each question as such a dialog does.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <vector>

#include "app/gui/shell_view.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class TFocusTakingInteraction : public TScriptedInteraction {
 public:
  int ShowMessageDialog(const std::string& instruction, const std::string& content,
                        TMsgKind kind, unsigned buttons) override {
    TakeFocus();
    return TScriptedInteraction::ShowMessageDialog(instruction, content, kind, buttons);
  }
  int AskOverwrite(const std::string& path) override {
    TakeFocus();
    return TScriptedInteraction::AskOverwrite(path);
  }

 private:
  static void TakeFocus() {
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
  }
};

struct TFocusCase {
  const char* Name;
  std::function<QWidget*(TFrmMain&)> Widget;
};

const TFocusCase kFocusCases[] = {
    {"size field", [](TFrmMain& w) -> QWidget* { return w.CbxDstSize; }},
    {"count field", [](TFrmMain& w) -> QWidget* { return w.CbxDstCount; }},
    {"source list", [](TFrmMain& w) -> QWidget* { return w.LstSrc; }},
    {"source tree", [](TFrmMain& w) -> QWidget* { return w.TreeSrc; }},
    {"destination tree", [](TFrmMain& w) -> QWidget* { return w.TreeDst; }},
    {"batch box", [](TFrmMain& w) -> QWidget* { return w.ChkBatch; }},
};

class KeyboardTest : public TWindowTest {
 protected:
  void SetUp() override {
    TWindowTest::SetUp();
    window_->SetResponder(&questions_);
  }
  void TearDown() override {
    EXPECT_EQ(questions_.Unused(), 0u) << "answers left unused";
    TWindowTest::TearDown();
  }
  // Presses Key with Modifiers in the control of Case, which must take the focus.
  void Press(const TFocusCase& focusCase, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* widget = focusCase.Widget(*window_);
    widget->setFocus();
    Settle();
    ASSERT_TRUE(widget->hasFocus()) << focusCase.Name;
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    Settle();
  }
  int Count(const std::string& instruction) const {
    int count = 0;
    for (const std::string& seen : questions_.Instructions()) count += seen == instruction;
    return count;
  }

  TFocusTakingInteraction questions_;
};

TEST_F(KeyboardTest, CtrlSRunsTheSplitOncePerPress) {
  WriteFile(temp_ / "a.bin", PatternBytes(3000));
  Open();
  Select({"a.bin"});
  int expected = 0;
  window_->RadOtherDir->click();  // the destination tree takes part
  for (const TFocusCase& focusCase : kFocusCases) {
    window_->CbxDstSize->setEditText(QString());  // refused: "Eingabe erwartet."
    Press(focusCase, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Count("Eingabe erwartet."), ++expected) << focusCase.Name;
  }
  EXPECT_EQ(expected, 6);
  EXPECT_FALSE(FileExists(temp_ / "a.001"));
}

TEST_F(KeyboardTest, CtrlKRunsTheJoinOncePerPress) {
  WriteFile(temp_ / "r.001", "abc");
  WriteFile(temp_ / "r.002", "de");
  WriteFile(temp_ / "r.KDM", "txt\r\n2\r\n5\r\n");
  WriteFile(temp_ / "r.txt", "old");
  Open();
  Select({"r.001"});
  int expected = 0;
  for (const TFocusCase& focusCase : kFocusCases) {
    if (!focusCase.Widget(*window_)->isEnabled()) continue;  // no count or size in join mode
    // A second run would ask again and find no answer scripted.
    questions_.Answer(TCall::Overwrite, mrKeep);
    Press(focusCase, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(Count("Hinweis."), ++expected) << focusCase.Name;
    Select({"r.001"});
  }
  EXPECT_GE(expected, 3);
  EXPECT_EQ(ReadFile(temp_ / "r.txt"), "old");
}

// Alt and the underlined letter run a toolbar command once, also from a
// text field, which does not type the letter.
TEST_F(KeyboardTest, AltAndTheLetterRunTheCommand) {
  WriteFile(temp_ / "a.bin", PatternBytes(3000));
  Open();
  Select({"a.bin"});
  window_->CbxDstSize->setEditText(QString());
  window_->CbxDstSize->setFocus();
  Settle();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
  Settle();
  EXPECT_EQ(Count("Eingabe erwartet."), 1);
  EXPECT_TRUE(window_->CbxDstSize->currentText().isEmpty());
}

// Tab reaches the small buttons beside the fields, in reading order.
TEST_F(KeyboardTest, TabReachesTheButtonsBesideTheFields) {
  WriteFile(temp_ / "a.bin", PatternBytes(3000));
  Open();
  Select({"a.bin"});
  window_->CbxDstSize->setFocus();
  Settle();
  std::vector<QWidget*> reached;
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(reached, (std::vector<QWidget*>{window_->BtnUnit, window_->CbxDstCount,
                                            window_->BtnRecalc, window_->ChkBatch}));
}

}  // namespace
}  // namespace kardomel::testing
