#include "support/ansi.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf8.h"

namespace kardomel {
namespace {

TEST(Utf8ToAnsi, WritesWindows1252SingleBytes) {
  static const struct {
    const char* utf8;
    const char* ansi;
  } cases[] = {
      {"äöü", "\xE4\xF6\xFC"},
      {"ÄÖÜß", "\xC4\xD6\xDC\xDF"},
      {"€ „x“ – é", "\x80 \x84x\x93 \x96 \xE9"},
      {"plain", "plain"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
    EXPECT_EQ(Utf8ToAnsiExact(c.utf8), std::string(c.ansi)) << c.utf8;
    EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.utf8;
  }
}

TEST(Utf8ToAnsi, ACharacterOutsideTheCodePageIsReplacedOrRefused) {
  static const struct {
    const char* utf8;
    const char* replaced;
  } cases[] = {
      {"中", "?"},
      {"a中b", "a?b"},
      {"Ä\xF0\x9F\x98\x80Ö", "\xC4?\xD6"},  // a character outside the BMP
      {"x\xFFy", "x?y"},                   // a byte that is no UTF-8
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.replaced) << c.replaced;
    EXPECT_EQ(Utf8ToAnsiExact(c.utf8), std::nullopt) << c.replaced;
  }
}

TEST(AnsiToUtf8, EveryByteRoundTrips) {
  for (int byte = 1; byte < 256; ++byte) {
    std::string ansi(1, static_cast<char>(byte));
    std::string utf8 = AnsiToUtf8(ansi);
    EXPECT_EQ(DecodeUtf8(utf8).size(), 1u) << byte;
    EXPECT_EQ(Utf8ToAnsi(utf8), ansi) << byte;
  }
}

TEST(Utf8, DecodesAndEncodesEveryLength) {
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
  EXPECT_EQ(DecodeUtf8(text), (std::u32string{U'a', 0xE4, 0x20AC, 0x1F600}));
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
  // A cut-off sequence and a stray continuation byte each become U+FFFD.
  EXPECT_EQ(DecodeUtf8("\x80x\xE2\x82"), (std::u32string{0xFFFD, U'x', 0xFFFD, 0xFFFD}));
}

}  // namespace
}  // namespace kardomel

namespace kardomel {
namespace {

TEST(Utf8, FormsThatAreNoCharactersBecomeReplacementCharacters) {
  static const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"overlong NUL", std::string("\xC0\x80", 2)},
      {"overlong slash", "\xE0\x80\xAF"},
      {"surrogate", "\xED\xA0\x80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
      {"cut short", "\xE2\x82"},
  };
  for (const auto& c : cases) {
    std::u32string decoded = DecodeUtf8(c.bytes);
    ASSERT_FALSE(decoded.empty()) << c.name;
    for (char32_t ch : decoded) EXPECT_EQ(ch, 0xFFFDu) << c.name;
  }
}

}  // namespace
}  // namespace kardomel
