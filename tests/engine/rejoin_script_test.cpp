#include "engine/rejoin_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/utf8.h"

namespace kardomel {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the text ends with CR LF";
  return lines;
}

// The quoted names of a copy line, in order.
std::vector<std::string> QuotedNames(const std::string& line) {
  std::vector<std::string> names;
  for (size_t open = line.find('"'); open != std::string::npos; open = line.find('"', open)) {
    size_t close = line.find('"', open + 1);
    names.push_back(line.substr(open + 1, close - open - 1));
    open = close + 1;
  }
  return names;
}

std::vector<std::string> PartNames(const std::string& stem, int count) {
  std::vector<std::string> names;
  for (int k = 1; k <= count; ++k) {
    std::string number = std::to_string(k);
    names.push_back(stem + "." + std::string(3 - std::min<size_t>(3, number.size()), '0') + number);
  }
  return names;
}

TEST(CopyLines, ASetWhoseLineFitsGetsTheOneCopyLine) {
  static const struct {
    std::vector<std::string> parts;
    const char* target;
    const char* lines;
  } cases[] = {
      {{"Urlaub.001", "Urlaub.002", "Urlaub.003", "Urlaub.004"}, "Urlaub.avi",
       "copy /b \"Urlaub.001\" + \"Urlaub.002\" + \"Urlaub.003\" + \"Urlaub.004\" \"Urlaub.avi\"\r\n"},
      {{"README.001", "README.002"}, "README", "copy /b \"README.001\" + \"README.002\" \"README\"\r\n"},
      {{"archiv.tar.001"}, "archiv.tar.gz", "copy /b \"archiv.tar.001\" \"archiv.tar.gz\"\r\n"},
      {{"50%.001", "50%.002"}, "50%.txt", "copy /b \"50%%.001\" + \"50%%.002\" \"50%%.txt\"\r\n"},
  };
  for (const auto& c : cases) {
    std::string lines = CopyLines(c.parts, c.target);
    EXPECT_EQ(lines, c.lines) << c.target;
  }
}

TEST(CopyLines, ALongLineBecomesLinesThatAppendToTheTarget) {
  // The target's length moves the one line to exactly the limit and one past it.
  const std::vector<std::string> shortSet = PartNames("Teil", 500);
  const size_t base = DecodeUtf8(CopyLines(shortSet, "")).size() - 2;
  ASSERT_LT(base, kMaxCopyLine);
  const std::string fits(kMaxCopyLine - base, 'x');
  static const std::string umlauts = "Größe Übergänge ä ö ü ß ";
  const struct {
    const char* name;
    std::vector<std::string> parts;
    std::string target;
    size_t minLines;
  } cases[] = {
      {"exactly at the limit", shortSet, fits, 1},
      {"one past the limit", shortSet, fits + "x", 2},
      {"999 long names", PartNames(umlauts + std::string(200, 'n'), 999),
       umlauts + std::string(200, 'n') + ".mkv", 25},
      {"999 names with percent", PartNames("100% Urlaub", 999), "100% Urlaub.avi", 2},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> lines = SplitLines(CopyLines(c.parts, c.target));
    ASSERT_GE(lines.size(), c.minLines) << c.name;
    if (c.minLines == 1) {
      EXPECT_EQ(lines.size(), 1u) << c.name;
    }
    // Every part once, in order: the first line copies into the target, each
    // further one starts from the target and writes it again.
    std::vector<std::string> sources;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      EXPECT_LE(DecodeUtf8(line).size(), kMaxCopyLine) << c.name << " line " << i;
      EXPECT_EQ(line.rfind("copy /b \"", 0), 0u) << c.name << " line " << i;
      std::vector<std::string> names = QuotedNames(line);
      ASSERT_GE(names.size(), i == 0 ? 2u : 3u) << c.name << " line " << i;
      std::string quotedTarget = names.back();
      EXPECT_EQ(quotedTarget, QuotedNames(CopyLines({"p"}, c.target))[1]) << c.name;
      if (i > 0) {
        EXPECT_EQ(names.front(), quotedTarget) << c.name << " line " << i;
      }
      sources.insert(sources.end(), names.begin() + (i == 0 ? 0 : 1), names.end() - 1);
    }
    std::vector<std::string> expected;
    for (const std::string& part : c.parts) expected.push_back(QuotedNames(CopyLines({part}, "t"))[0]);
    EXPECT_EQ(sources, expected) << c.name;
  }
}

TEST(IsScriptSafeName, RefusesWhatTheInterpreterCannotFind) {
  static const struct {
    const char* name;
    bool safe;
  } cases[] = {
      {"Urlaub.avi", true},
      {"Übergröße äöü ÄÖÜ ß.pdf", true},
      {"Smørrebrød à la française.txt", true},
      {"50% & mehr (x) ^!.txt", true},
      {"Preis 5€.txt", false},  // code page 850 has no euro sign
      {"say \"hi\".txt", false},
      {"tab\there.txt", false},
      {"line\rbreak.txt", false},
      {"del\x7F.txt", false},
      {"c1\xC2\x81.txt", false},  // U+0081, a C1 control character
      {"back\\slash.txt", false},
      {"a:b.txt", false},
      {"star*.txt", false},
      {"why?.txt", false},
      {"<in>.txt", false},
      {"pipe|.txt", false},
      {"中文.txt", false},
      {"smile\xF0\x9F\x98\x80.txt", false},
      {"latin1 M\xFCnchen.txt", false},  // not UTF-8: no character to look for
  };
  for (const auto& c : cases) EXPECT_EQ(IsScriptSafeName(c.name), c.safe) << c.name;
}

TEST(RejoinScriptText, TwelveFixedLinesThenTheCopyLinesInCodePage850) {
  const std::string text =
      RejoinScriptText("www.example.org", CopyLines({"Größe ÄÖÜ äöü ß.001"}, "Größe ÄÖÜ äöü ß.txt"));
  EXPECT_EQ(text,
            "echo off\r\n"
            "cls\r\n"
            "echo .\r\n"
            "echo    Diese Datei wurde mit\r\n"
            "echo          Kardomel\r\n"
            "echo    Version 9.00 geteilt.\r\n"
            "echo .\r\n"
            "echo  Aktuelle Versionen finden Sie unter\r\n"
            "echo  www.example.org\r\n"
            "echo .\r\n"
            "echo .\r\n"
            "pause\r\n"
            "copy /b \"Gr\x94\xE1" "e \x8E\x99\x9A \x84\x94\x81 \xE1.001\" "
            "\"Gr\x94\xE1" "e \x8E\x99\x9A \x84\x94\x81 \xE1.txt\"\r\n");
}

}  // namespace
}  // namespace kardomel
