// TqelBaseForm: screen fitting, key preview, the first activation and the
// gradient background.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <vector>

#include "modal_driver.h"
#include "ui/base_form.h"
#include "ui/form_look.h"

namespace kardomel {
namespace {

using test::WaitFor;

class TProbeForm : public TqelBaseForm {
 public:
  using TqelBaseForm::FFirstActivate;
  std::vector<int> keys;
  int activations = 0;

 protected:
  void FormKeyDown(QKeyEvent& event) override { keys.push_back(event.key()); }
  void FirstActivate() override { ++activations; }
};

TEST(BaseForm, ShowingKeepsTheFormOnThePrimaryScreen) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const struct {
    const char* name;
    QRect placed;
    QPoint expectedPos;
    QSize maxSize;
  } cases[] = {
      {"inside", QRect(10, 20, 200, 100), QPoint(10, 20), QSize(200, 100)},
      {"past the right edge", QRect(screen.width() - 50, 20, 200, 100), QPoint(0, 20), QSize(200, 100)},
      {"past the bottom edge", QRect(10, screen.height() - 50, 200, 100), QPoint(10, 0), QSize(200, 100)},
      {"past both", QRect(screen.width() - 50, screen.height() - 50, 200, 100), QPoint(0, 0), QSize(200, 100)},
      {"larger than the screen", QRect(0, 0, screen.width() + 300, screen.height() + 300), QPoint(0, 0), screen},
  };
  for (const auto& c : cases) {
    TProbeForm form;
    form.move(c.placed.topLeft());
    form.resize(c.placed.size());
    form.show();
    EXPECT_EQ(form.pos(), c.expectedPos) << c.name;
    EXPECT_LE(form.frameGeometry().width(), c.maxSize.width() + (form.frameGeometry().width() - form.width()))
        << c.name;
    EXPECT_LE(form.frameGeometry().right(), screen.width() - 1) << c.name;
    EXPECT_LE(form.frameGeometry().bottom(), screen.height() - 1) << c.name;
  }
}

TEST(BaseForm, KeyPreviewSeesKeysBeforeTheControlWhichStillGetsThem) {
  for (bool preview : {true, false}) {
    TProbeForm form;
    auto* edit = new QLineEdit(&form);
    QString textAtPreview = "none";
    form.SetKeyPreview(preview);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    edit->setFocus();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == edit; }));
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_F5);
    EXPECT_EQ(edit->text(), "a") << preview;
    // The modifier arrives as a key of its own, as it does in the control.
    const std::vector<int> expected =
        preview ? std::vector<int>{Qt::Key_Control, Qt::Key_X, Qt::Key_A, Qt::Key_F5} : std::vector<int>{};
    EXPECT_EQ(form.keys, expected) << preview;
  }
}

TEST(BaseForm, KeyPreviewIgnoresOtherWindows) {
  TProbeForm form;
  form.SetKeyPreview(true);
  QLineEdit other;
  other.show();
  QTest::keyClick(&other, Qt::Key_A);
  EXPECT_TRUE(form.keys.empty());
  EXPECT_EQ(other.text(), "a");
}

TEST(BaseForm, FirstActivateRunsOnce) {
  TProbeForm form;
  EXPECT_TRUE(form.FFirstActivate);
  QWidget other;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(form.activations, 1);
  EXPECT_FALSE(form.FFirstActivate);
}

TEST(BaseForm, PaintsAVerticalGradientBehindItsControls) {
  TProbeForm form;
  form.resize(200, 300);
  const QImage image = form.grab().toImage();
  const QColor top = image.pixelColor(100, 0);
  const QColor bottom = image.pixelColor(100, image.height() - 1);
  const QColor middleLeft = image.pixelColor(0, image.height() / 2);
  const QColor middleRight = image.pixelColor(image.width() - 1, image.height() / 2);
  auto near = [](QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
           std::abs(a.blue() - b.blue()) <= 3;
  };
  EXPECT_TRUE(near(top, Office2003GradientTop())) << top.name().toStdString();
  EXPECT_TRUE(near(bottom, Office2003GradientBottom())) << bottom.name().toStdString();
  EXPECT_EQ(middleLeft, middleRight);
  EXPECT_FALSE(near(image.pixelColor(100, image.height() / 2), top));
}

TEST(BaseForm, DisabledEditsGetTheLightGrey) {
  TProbeForm form;
  auto* edit = new QLineEdit(&form);
  edit->setEnabled(false);
  QPalette faceColoured = edit->palette();
  faceColoured.setColor(QPalette::Disabled, QPalette::Base, faceColoured.color(QPalette::Active, QPalette::Button));
  edit->setPalette(faceColoured);
  auto* custom = new QLineEdit(&form);
  QPalette red = custom->palette();
  red.setColor(QPalette::Disabled, QPalette::Base, Qt::red);
  custom->setPalette(red);
  form.show();
  EXPECT_EQ(edit->palette().color(QPalette::Disabled, QPalette::Base), QColor(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(custom->palette().color(QPalette::Disabled, QPalette::Base), QColor(Qt::red));
}

}  // namespace
}  // namespace kardomel
