#include "support/ini/window_placement.h"

#include <gtest/gtest.h>

namespace kardomel {
namespace {

TRect R(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

// One 1920x1080 screen with a 40-pixel panel at the bottom.
const std::vector<TScreenArea> kSingle = {{R(0, 0, 1920, 1080), R(0, 0, 1920, 1040)}};
// A second screen left of the primary, its panel on the left.
const std::vector<TScreenArea> kLeftPair = {
    {R(0, 0, 1920, 1080), R(0, 0, 1920, 1040)},
    {R(-1280, 0, 0, 1024), R(-1230, 0, 0, 1024)},
};
// A second screen below, and a top panel on the primary.
const std::vector<TScreenArea> kBelowPair = {
    {R(0, 0, 1920, 1080), R(0, 30, 1920, 1080)},
    {R(0, 1080, 1920, 2160), R(0, 1080, 1920, 2120)},
};

TEST(WindowPlacement, DesktopLimits) {
  EXPECT_EQ(DesktopLimits(kSingle), R(0, 0, 1920, 1040));
  EXPECT_EQ(DesktopLimits(kLeftPair), R(-1230, 0, 1920, 1040));
  // The top panel does not move the top limit: the bounds start at 0, not above it.
  EXPECT_EQ(DesktopLimits(kBelowPair), R(0, 0, 1920, 2120));
  EXPECT_EQ(DesktopLimits({}), R(0, 0, 0, 0));
}

TEST(WindowPlacement, KeepsTheWindowOnTheDesktop) {
  const TRect design = R(0, 0, 800, 600);
  struct {
    const char* name;
    const std::vector<TScreenArea>* screens;
    bool resizable;
    int left, top, width, height;
    TRect expected;
  } cases[] = {
      {"inside", &kSingle, true, 100, 50, 1000, 700, R(100, 50, 1100, 750)},
      {"fixed border keeps design size", &kSingle, false, 100, 50, 1000, 700, R(100, 50, 900, 650)},
      {"left of desktop", &kSingle, true, -300, 10, 900, 700, R(0, 10, 900, 710)},
      {"above desktop", &kSingle, true, 10, -50, 900, 700, R(10, 0, 910, 700)},
      {"past the right edge", &kSingle, true, 1500, 10, 900, 700, R(1120, 10, 1920, 710)},
      {"past the bottom panel", &kSingle, true, 10, 500, 900, 700, R(10, 440, 910, 1040)},
      {"exactly flush", &kSingle, true, 1020, 340, 900, 700, R(1020, 340, 1920, 1040)},
      {"on the left screen", &kLeftPair, true, -1000, 0, 900, 700, R(-1000, 0, -100, 700)},
      {"left of the left screen's panel", &kLeftPair, true, -1280, 0, 900, 700,
       R(-1230, 0, -330, 700)},
      {"on the screen below", &kBelowPair, true, 0, 1200, 900, 700, R(0, 1200, 900, 1900)},
      {"hand-edited zero size", &kSingle, true, 10, 10, 0, -5, R(10, 10, 810, 610)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RestorePlacement(design, c.resizable, c.left, c.top, c.width, c.height, *c.screens),
              c.expected)
        << c.name;
  }
}

TEST(WindowPlacement, NeverRestoresMinimised) {
  EXPECT_EQ(RestoredWindowState(0, TWindowState::Normal), TWindowState::Normal);
  EXPECT_EQ(RestoredWindowState(2, TWindowState::Normal), TWindowState::Maximized);
  EXPECT_EQ(RestoredWindowState(1, TWindowState::Normal), TWindowState::Normal);
  EXPECT_EQ(RestoredWindowState(7, TWindowState::Normal), TWindowState::Normal);
  EXPECT_EQ(RestoredWindowState(-1, TWindowState::Maximized), TWindowState::Maximized);
}

}  // namespace
}  // namespace kardomel
