#include "engine/descriptor_text.h"

#include <gtest/gtest.h>

#include "support/errors.h"

namespace kardomel {
namespace {

TEST(ParseDescriptor, ReadsTheThreeLinesAsTheFileHoldsThem) {
  static const struct {
    const char* name;
    const char* bytes;
    const char* extension;
    int32_t count;
    int64_t size;
  } cases[] = {
      {"CR LF", "avi\r\n4\r\n5000000\r\n", "avi", 4, 5000000},
      {"LF, no end on the last line", "avi\n4\n5000000", "avi", 4, 5000000},
      {"no extension", "\r\n2\r\n10\r\n", "", 2, 10},
      {"Windows-1252 umlauts", "\xE4\xF6\xFC\r\n999\r\n6442450944\r\n", "äöü", 999, 6442450944},
      {"count keeps its low 32 bits", "x\r\n4294967301\r\n1\r\n", "x", 5, 1},
      {"lines after the third are ignored", "x\r\n1\r\n2\r\nmore\r\n", "x", 1, 2},
  };
  for (const auto& c : cases) {
    TDescriptor d = ParseDescriptor(c.bytes);
    EXPECT_EQ(d.Extension, c.extension) << c.name;
    EXPECT_EQ(d.Count, c.count) << c.name;
    EXPECT_EQ(d.Size, c.size) << c.name;
  }
  for (const char* bytes : {"", "avi\r\n", "avi\r\n4\r\n", "avi\r\nvier\r\n1\r\n", "a\r\n4\r\n5.000\r\n"})
    EXPECT_THROW(ParseDescriptor(bytes), EConvertError) << bytes;
}

}  // namespace
}  // namespace kardomel
