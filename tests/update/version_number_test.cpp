#include "dialogs/update/version_number.h"

#include <gtest/gtest.h>

namespace kardomel {
namespace {

TEST(VersionNumber, ReadsDecimalPointNumbersOnly) {
  struct {
    const char* text;
    std::optional<double> expected;
  } cases[] = {
      {"9.00", 9.0},    {"9.01", 9.01},   {"  9.10", 9.1},  {"+9", 9.0},
      {"-1.5", -1.5},   {"9.", 9.0},      {".5", 0.5},      {"1e1", 10.0},
      {"1.5E-1", 0.15}, {"9,01", {}},     {"9.00 beta", {}}, {"Undefiniert", {}},
      {"", {}},         {".", {}},        {"1e", {}},       {"9.0.1", {}},
      {"\t9", {}},      {"9 ", {}},       {"0x10", {}},     {"+", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseVersionNumber(c.text), c.expected) << '"' << c.text << '"';
  EXPECT_LT(*ParseVersionNumber("9.10"), *ParseVersionNumber("9.9"));
  EXPECT_EQ(VersionBeforeBlank("9.00 beta 2"), "9.00");
  EXPECT_EQ(VersionBeforeBlank("9.00"), "9.00");
}

}  // namespace
}  // namespace kardomel
