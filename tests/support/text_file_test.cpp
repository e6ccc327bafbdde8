#include "support/text_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/errors.h"

namespace kardomel {
namespace {

class TextFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kardomel-text-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string dir_;
};

TEST_F(TextFile, WritesBytesAsGivenAndAppends) {
  const std::string path = dir_ + "/a.txt";
  WriteTextFile(path, "a very long first content\r\n");
  WriteTextFile(path, "one\r\n");  // empties what was there
  WriteTextFile(path, "two\r\n", /*append=*/true);
  EXPECT_EQ(Bytes(path), "one\r\ntwo\r\n");
}

TEST_F(TextFile, ReadsLinesWithAnyLineEnd) {
  static const struct {
    const char* bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"avi\r\n4\r\n5000000\r\n", {"avi", "4", "5000000"}},
      {"avi\n4\n5000000", {"avi", "4", "5000000"}},
      {"\r\n3\r\n", {"", "3"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    const std::string path = dir_ + "/lines.txt";
    WriteTextFile(path, c.bytes);
    std::vector<std::string> lines = {"stale"};
    ASSERT_TRUE(ReadTextLines(path, lines)) << c.bytes;
    EXPECT_EQ(lines, c.lines) << c.bytes;
  }
}

TEST_F(TextFile, FailuresAreReported) {
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadTextLines(dir_ + "/missing.txt", lines));
  EXPECT_FALSE(ReadTextLines(dir_, lines));  // a folder is no text file
  EXPECT_THROW(WriteTextFile(dir_ + "/no/such/folder.txt", "x"), EInOutError);
  EXPECT_THROW(WriteTextFile(dir_, "x"), EInOutError);
}

}  // namespace
}  // namespace kardomel
