// TUrlLbl, the link label: its look and the colour its text takes as the
// mouse enters, presses, lets go and leaves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "ui/url_label.h"

namespace kardomel {
namespace {

const QColor kBlue = Qt::blue;
const QColor kRed = Qt::red;
const QColor kWhite = Qt::white;
const QColor kPurple(128, 0, 128);

enum class TMouse { Enter, Press, ReleaseInside, ReleaseOutside, Leave };

void Do(TUrlLbl& label, TMouse step) {
  switch (step) {
    case TMouse::Enter: {
      QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), label.mapToGlobal(QPointF(2, 2)));
      QApplication::sendEvent(&label, &enter);
      break;
    }
    case TMouse::Leave: {
      QEvent leave(QEvent::Leave);
      QApplication::sendEvent(&label, &leave);
      break;
    }
    case TMouse::Press: QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2)); break;
    case TMouse::ReleaseInside: QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(2, 2)); break;
    case TMouse::ReleaseOutside:
      QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(-10, -10));
      break;
  }
}

TEST(UrlLbl, LooksLikeALink) {
  TUrlLbl label("https://www.kardomel.example");
  EXPECT_EQ(label.FontColor(), kBlue);
  EXPECT_TRUE(label.font().underline());
  // The family and size stay the application's.
  EXPECT_EQ(label.font().family(), QApplication::font(&label).family());
  EXPECT_EQ(label.font().pointSizeF(), QApplication::font(&label).pointSizeF());
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(label.ActiveLbl());
  EXPECT_EQ(label.FontColorActiveLbl(), kPurple);
  EXPECT_EQ(label.FontColorMouseDown(), kWhite);
  EXPECT_EQ(label.FontColorMouseMove(), kRed);
  // As properties too, for forms that set them by name.
  EXPECT_EQ(label.property("FontColorMouseMove").value<QColor>(), kRed);
}

TEST(UrlLbl, ColoursFollowTheMouse) {
  const struct {
    const char* what;
    bool active;
    std::vector<TMouse> steps;
    std::vector<QColor> colours;  // after each step
    int clicks;
  } cases[] = {
      {"a click",
       false,
       {TMouse::Enter, TMouse::Press, TMouse::ReleaseInside, TMouse::Leave},
       {kRed, kWhite, kRed, kBlue},
       1},
      {"pressed, then dragged out",
       false,
       {TMouse::Enter, TMouse::Press, TMouse::Leave, TMouse::ReleaseOutside},
       {kRed, kWhite, kBlue, kBlue},
       0},
      {"active label",
       true,
       {TMouse::Enter, TMouse::Press, TMouse::ReleaseInside, TMouse::Leave},
       {kPurple, kWhite, kPurple, kPurple},
       1},
  };
  for (const auto& c : cases) {
    TUrlLbl label("info@kardomel.example");
    label.resize(100, 20);
    QSignalSpy clicked(&label, &TUrlLbl::clicked);
    label.SetActiveLbl(c.active);
    EXPECT_EQ(label.FontColor(), c.active ? kPurple : kBlue) << c.what;
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Do(label, c.steps[i]);
      EXPECT_EQ(label.FontColor(), c.colours[i]) << c.what << ", step " << i;
    }
    EXPECT_EQ(clicked.count(), c.clicks) << c.what;
  }
}

TEST(UrlLbl, ActiveLblAndOwnColours) {
  TUrlLbl label("x");
  label.resize(50, 20);
  label.SetActiveLbl(true);
  EXPECT_EQ(label.FontColor(), kPurple);
  label.SetActiveLbl(false);
  EXPECT_EQ(label.FontColor(), kBlue);  // back to the colour it was built with

  label.SetFontColorMouseMove(Qt::green);
  label.SetFontColorMouseDown(Qt::yellow);
  Do(label, TMouse::Enter);
  EXPECT_EQ(label.FontColor(), QColor(Qt::green));
  Do(label, TMouse::Press);
  EXPECT_EQ(label.FontColor(), QColor(Qt::yellow));
  label.SetFontColorActiveLbl(Qt::darkCyan);
  label.SetActiveLbl(true);
  EXPECT_EQ(label.FontColor(), QColor(Qt::darkCyan));
}

TEST(UrlLbl, OnlyTheLeftButtonClicks) {
  TUrlLbl label("x");
  label.resize(50, 20);
  QSignalSpy clicked(&label, &TUrlLbl::clicked);
  QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(2, 2));
  EXPECT_EQ(clicked.count(), 0);
  QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(clicked.count(), 1);
}

}  // namespace
}  // namespace kardomel
