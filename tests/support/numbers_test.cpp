#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "support/errors.h"
#include "support/globals.h"

namespace kardomel {
namespace {

TEST(ParseInt64, ReadsBothSignsAroundEveryPowerOfTwo) {
  for (int k = 0; k <= 62; ++k) {
    const int64_t power = int64_t{1} << k;
    for (int64_t value : {power - 1, power, power + 1}) {
      for (int64_t signedValue : {value, -value}) {
        std::string text = std::to_string(signedValue);
        EXPECT_EQ(ParseInt64(text), signedValue) << text;
      }
    }
  }
}

TEST(ParseInt64, AcceptsTheLimitsAndRefusesOneBeyond) {
  static const struct {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {
      {"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"9223372036854775810", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"00000000000000000000009223372036854775807", std::numeric_limits<int64_t>::max()},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInt64(c.text), c.value) << c.text;
}

TEST(ParseInt64, AllowsLeadingBlanksAndASignButNothingElse) {
  static const struct {
    const char* text;
    std::optional<int64_t> value;
  } cases[] = {
      {"42", 42},           {"  42", 42},        {"+7", 7},           {"-0", 0},
      {"007", 7},           {"", std::nullopt},  {" ", std::nullopt}, {"+", std::nullopt},
      {"-", std::nullopt},  {"42 ", std::nullopt}, {"4 2", std::nullopt}, {"12a", std::nullopt},
      {"1.5", std::nullopt}, {"1.000", std::nullopt}, {"--1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInt64(c.text), c.value) << "'" << c.text << "'";
}

TEST(StrToInt64, RaisesTheConversionErrorNamingTheText) {
  EXPECT_EQ(StrToInt64("5000000"), 5000000);
  EXPECT_EQ(StrToInt64Def("abc", -1), -1);
  EXPECT_EQ(StrToInt64Def("12", -1), 12);
  try {
    StrToInt64("vier");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'vier' ist kein gültiger Integerwert");
  }
  EXPECT_THROW(StrToInt64(""), EConvertError);
}

}  // namespace
}  // namespace kardomel
