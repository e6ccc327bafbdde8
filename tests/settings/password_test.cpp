#include "support/ini/password_scramble.h"

#include <gtest/gtest.h>

namespace kardomel {
namespace {

TEST(PasswordScramble, EveryTextSurvives) {
  const char* cases[] = {
      "",
      "abc",
      "P@ss w0rd!~",
      "Grüße",             // U+00FC etc.: in the old form some of these were lost
      "\xC2\xB5\xC2\xBF",  // U+00B5 U+00BF: scramble to 0x00 and 0x0A
      "\xC2\x80",          // U+0080 scrambles to 0x35, stays two digits
      "€ 日本",            // beyond U+00FF
      "😀",                // a surrogate pair
      "X9",                // the marker letter as plain text
      "\x01\x7F",          // control characters
  };
  for (const char* text : cases) {
    std::string stored = ScrambleText(text);
    EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEFX"), std::string::npos) << text;
    EXPECT_EQ(UnscrambleText(stored), text) << text;
  }
}

TEST(PasswordScramble, OldTwoDigitFilesReadTheSame) {
  // The key is 0xB5: 'a' 0x61 -> D4, 'b' -> D7, 'c' -> D6.
  EXPECT_EQ(ScrambleText("abc"), "D4D7D6");
  struct {
    const char* stored;
    const char* plain;
  } cases[] = {
      {"D4D7D6", "abc"},
      {"d4d7d6", "abc"},    // lower-case digits read as well
      {"D4D7D", "ab"},      // an odd last digit is ignored
      {"", ""},
      {"D4G7", ""},         // hand-edited garbage: the empty password
      {"X00", ""},          // a cut-off long unit
      {"D4 D7", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UnscrambleText(c.stored), c.plain) << c.stored;
}

}  // namespace
}  // namespace kardomel
