#include "support/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kardomel {
namespace {

TEST(SplitTextLines, TakesAnyLineEnd) {
  static const struct {
    const char* bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"avi\r\n4\r\n5000000\r\n", {"avi", "4", "5000000"}},
      {"avi\n4\n5000000", {"avi", "4", "5000000"}},
      {"\r\n3\r\n", {"", "3"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitTextLines(c.bytes), c.lines) << c.bytes;
}

}  // namespace
}  // namespace kardomel
