#include "support/globals.h"

#include <gtest/gtest.h>

#include <string>

namespace kardomel {
namespace {

TEST(FormatPartNumber, PadsToThreeDigitsAndKeepsLongerNumbers) {
  static const struct {
    int32_t number;
    const char* text;
  } cases[] = {{1, "001"}, {7, "007"}, {42, "042"}, {100, "100"}, {999, "999"}, {1000, "1000"}};
  for (const auto& c : cases) EXPECT_EQ(FormatPartNumber(c.number), c.text) << c.number;
}

TEST(AddBackslash, AppendsTheSeparatorOnlyWhereItIsMissing) {
  static const struct {
    const char* path;
    const char* result;
  } cases[] = {{"", ""}, {"/", "/"}, {"/tmp", "/tmp/"}, {"/tmp/", "/tmp/"}, {"Teile", "Teile/"}};
  for (const auto& c : cases) EXPECT_EQ(AddBackslash(c.path), c.result) << c.path;
}

TEST(ExtractField, CountsFromOneAndGivesEmptyTextOutsideTheFields) {
  static const struct {
    const char* text;
    int n;
    const char* field;
  } cases[] = {
      {"a;bb;ccc", 0, ""},  {"a;bb;ccc", 1, "a"}, {"a;bb;ccc", 2, "bb"}, {"a;bb;ccc", 3, "ccc"},
      {"a;bb;ccc", 4, ""},  {"a;bb;ccc", -1, ""}, {"a;;c", 2, ""},       {"a;;c", 3, "c"},
      {";x", 1, ""},        {"x;", 2, ""},        {"x;", 3, ""},         {"", 1, ""},
      {"whole", 1, "whole"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtractField(c.text, ';', c.n), c.field) << c.text << " field " << c.n;
}

TEST(CleanFileName, RemovesTheListedCodesAndKeepsEverythingElse) {
  // Every code from 0x00 to 0xFF except the dot, which would start an
  // extension, then three characters beyond Latin-1.
  std::u32string all;
  for (char32_t c = 0; c <= 0xFF; ++c)
    if (c != '.') all.push_back(c);
  std::string input;
  for (char32_t c : all) {
    if (c < 0x80) {
      input.push_back(static_cast<char>(c));
    } else {
      input.push_back(static_cast<char>(0xC0 | (c >> 6)));
      input.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  input += "\xC4\x80\xE2\x82\xAC\xE4\xB8\xAD";  // U+0100, U+20AC, U+4E2D
  EXPECT_EQ(CleanFileName(input, ".zip"),
            " ()+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ[]_abcdefghijklmnopqrstuvwxyz"
            "ÄÖÜßäöü\xC4\x80\xE2\x82\xAC\xE4\xB8\xAD.zip");
}

TEST(CleanFileName, CutsEmptiesAndSetsTheExtension) {
  static const struct {
    const char* name;
    std::string text;
    const char* extension;
    std::string result;
  } cases[] = {
      {"extension replaced", "foto.jpg", ".zip", "foto.zip"},
      {"last extension replaced", "archiv.tar.gz", ".zip", "archiv.tar.zip"},
      {"extension appended", "Urlaub 2024", ".exe", "Urlaub 2024.exe"},
      {"empty text", "", ".zip", "unbenannt.zip"},
      {"nothing left", "?*:<>|\"", ".zip", "unbenannt.zip"},
      {"cut to 255 characters", std::string(300, 'a'), ".zip", std::string(255, 'a') + ".zip"},
      // The cut counts characters, not the two bytes of each umlaut.
      {"cut counts characters", [] {
         std::string s;
         for (int i = 0; i < 300; ++i) s += "ä";
         return s;
       }(), ".zip", [] {
         std::string s;
         for (int i = 0; i < 255; ++i) s += "ä";
         return s + ".zip";
       }()},
      // The cut comes before the extension is set: it leaves a bare dot,
      // which then starts the extension that is replaced.
      {"cut before extension", std::string(254, 'b') + ".txt", ".zip",
       std::string(254, 'b') + ".zip"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanFileName(c.text, c.extension), c.result) << c.name;
}

TEST(FilePathParts, ExtensionIsTheLastComponentsLastDot) {
  static const struct {
    const char* path;
    const char* ext;
    const char* changed;  // ChangeFileExt(path, ".001")
    const char* name;
    const char* folder;
  } cases[] = {
      {"archiv.tar.gz", ".gz", "archiv.tar.001", "archiv.tar.gz", ""},
      {"README", "", "README.001", "README", ""},
      {"/home/a.b/README", "", "/home/a.b/README.001", "README", "/home/a.b/"},
      {"/home/a.b/Urlaub.avi", ".avi", "/home/a.b/Urlaub.001", "Urlaub.avi", "/home/a.b/"},
      {"/x/name.", ".", "/x/name.001", "name.", "/x/"},
      {"/x/", "", "/x/.001", "", "/x/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    EXPECT_EQ(ChangeFileExt(c.path, ".001"), c.changed) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
  }
}

TEST(FormatThousands, GroupsEveryThreeDigitsLeavingTheSignAlone) {
  static const struct {
    int64_t value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1.000"},
      {-100, "-100"},
      {-1234, "-1.234"},
      {5046584000, "5.046.584.000"},
      {INT64_MIN, "-9.223.372.036.854.775.808"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatThousands(c.value, "."), c.text) << c.value;
}

TEST(SameTextAscii, IgnoresOnlyTheCaseOfAsciiLetters) {
  EXPECT_TRUE(SameTextAscii("report.KDM", "Report.kdm"));
  EXPECT_FALSE(SameTextAscii("report.kdm", "report.kdm "));
  EXPECT_FALSE(SameTextAscii("a", "b"));
  EXPECT_TRUE(SameTextAscii("", ""));
}

}  // namespace
}  // namespace kardomel
