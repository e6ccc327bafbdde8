#include "app/startup/windows_version.h"

#include <gtest/gtest.h>

namespace kardomel {
namespace {

TEST(WindowsVersion, UpToTheMaximumIsAccepted) {
  struct {
    uint32_t major, minor;
    bool accepted;
  } cases[] = {
      {5, 1, true}, {6, 0, true}, {6, 1, true}, {6, 2, false},
      {6, 3, false}, {10, 0, false}, {0, 99, true}, {7, 0, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckWindowsVersion(c.major, c.minor, 6, 1), c.accepted) << c.major << "." << c.minor;
  EXPECT_TRUE(CheckWindowsVersion(10, 0, 10, 0));
}

}  // namespace
}  // namespace kardomel
