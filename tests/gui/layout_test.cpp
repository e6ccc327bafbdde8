// The window at its minimum size: every caption whole, the Name columns of
// both lists wide enough to read, also after maximise and restore.
#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

#include "app/gui/shell_view.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class LayoutTest : public TWindowTest {
 protected:
  // The captions narrower than their text, by object name or text.
  QStringList CutCaptions() const {
    QStringList cut;
    auto check = [&](QWidget* widget, const QString& text) {
      if (text.isEmpty() || !widget->isVisibleTo(window_.get())) return;
      if (widget->width() < widget->sizeHint().width())
        cut << QStringLiteral("%1 (%2 < %3)")
                   .arg(text)
                   .arg(widget->width())
                   .arg(widget->sizeHint().width());
    };
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>())
      check(button, button->text());
    for (QLabel* label : window_->findChildren<QLabel*>()) check(label, label->text());
    return cut;
  }
  void ExpectReadableNames(const char* when) {
    for (TShellList* list : {window_->LstSrc, window_->LstDst})
      EXPECT_GE(list->header()->sectionSize(0), list->MinNameWidth())
          << list->objectName().toStdString() << " " << when;
  }
};

TEST_F(LayoutTest, NothingIsCutOffAtTheMinimumSize) {
  WriteFile(temp_ / "Urlaub.avi", PatternBytes(5000));
  Open();
  window_->resize(window_->minimumSize());
  Settle();
  Select({"Urlaub.avi"});
  ASSERT_EQ(window_->size(), window_->minimumSize());
  EXPECT_GE(window_->minimumWidth(), 611);
  EXPECT_TRUE(CutCaptions().isEmpty()) << CutCaptions().join(", ").toStdString();
  ExpectReadableNames("at the minimum size");

  window_->showMaximized();
  Settle();
  window_->showNormal();
  window_->resize(window_->minimumSize());
  Settle();
  EXPECT_TRUE(CutCaptions().isEmpty()) << CutCaptions().join(", ").toStdString();
  ExpectReadableNames("after maximise and restore");
  // In a wide list the name takes the room the other columns leave.
  window_->resize(1400, 700);
  Settle();
  TShellList& list = *window_->LstSrc;
  int others = 0;
  for (int column = 1; column < list.header()->count(); ++column)
    others += list.header()->sectionSize(column);
  EXPECT_EQ(list.header()->sectionSize(0), list.viewport()->width() - others);
}

}  // namespace
}  // namespace kardomel::testing
