// The checksums and the two checksum files as text: known digests, names
// that sha256sum writes escaped, and .crc files of other tools.
#include <gtest/gtest.h>

#include "engine/checksum.h"
#include "engine/checksum_files.h"

namespace kardomel {
namespace {

TEST(ChecksumTest, KnownDigests) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  TSha256 sha;
  sha.Update("a", 1);
  sha.Update("bc", 2);
  EXPECT_EQ(sha.HexDigest(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // The digest starts afresh after it was read.
  EXPECT_EQ(sha.HexDigest(), Sha256Hex(""));
  TCrc32 crc;
  crc.Update("123456789", 9);
  EXPECT_EQ(crc.Value(), 0xCBF43926u);
}

TEST(Sha256FileTest, NamesComeBackAsTheyWereWhateverTheyHold) {
  const char* const names[] = {"film.001", "it's a $x.mkv", "back\\slash.002", "line\nfeed.003",
                               "carriage\rreturn", " leading blank", "*star"};
  std::vector<TChecksumLine> lines;
  for (const char* name : names) lines.push_back({Sha256Hex(name), name});
  const std::string text = FormatSha256File(lines);
  const std::vector<TChecksumLine> back = ParseSha256File(text);
  ASSERT_EQ(back.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(back[i].Name, lines[i].Name) << i;
    EXPECT_EQ(back[i].Hex, lines[i].Hex) << i;
  }
  // As GNU sha256sum writes them: plain names plainly, others escaped.
  EXPECT_EQ(text.substr(0, 75), Sha256Hex("film.001") + "  film.001\n");
  EXPECT_NE(text.find("\\" + Sha256Hex("back\\slash.002") + "  back\\\\slash.002\n"),
            std::string::npos);
}

TEST(Sha256FileTest, ReadsBinaryModeUpperCaseAndCrLfAndSkipsOtherLines) {
  const std::string hex = Sha256Hex("x");
  std::string upper = hex;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string text = "# comment\n" + hex + " *bin.001\r\n" + upper + "  up.002\n" +
                           hex.substr(1) + "  short.003\n" + "\\" + hex + "  bad\\qescape\n";
  const std::vector<TChecksumLine> lines = ParseSha256File(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Name, "bin.001");
  EXPECT_EQ(lines[1].Name, "up.002");
  EXPECT_EQ(lines[1].Hex, hex);
}

TEST(CrcFileTest, WritesTheThreeLinesAndReadsOtherToolsVariants) {
  TCrcFile crc{"Urlaub.avi", 5000000, 0x0A1B2C3D};
  EXPECT_EQ(FormatCrcFile(crc), "filename=Urlaub.avi\r\nsize=5000000\r\ncrc32=0A1B2C3D\r\n");
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"filename=Urlaub.avi\r\nsize=5000000\r\ncrc32=0A1B2C3D\r\n", true},
      {"FILENAME=Urlaub.avi\nSize=5000000\ncrc32=0a1b2c3d", true},
      {"size=5000000\r\ncrc32=0A1B2C3D\r\nfilename=Urlaub.avi\r\n", true},
      {"filename=Urlaub.avi\r\nsize=5000000\r\n", false},
      {"filename=Urlaub.avi\r\nsize=viel\r\ncrc32=0A1B2C3D\r\n", false},
      {"filename=Urlaub.avi\r\nsize=5000000\r\ncrc32=0A1B2C3DE\r\n", false},
      {"filename=Urlaub.avi\r\nsize=5000000\r\ncrc32=XYZ\r\n", false},
      {"filename=../Urlaub.avi\r\nsize=5000000\r\ncrc32=0A1B2C3D\r\n", false},
      {"filename=\r\nsize=5000000\r\ncrc32=0A1B2C3D\r\n", false},
      {"filename=Url\taub.avi\r\nsize=5000000\r\ncrc32=0A1B2C3D\r\n", false},
  };
  for (const auto& c : cases) {
    std::optional<TCrcFile> read = ParseCrcFile(c.text);
    ASSERT_EQ(read.has_value(), c.valid) << c.text;
    if (!c.valid) continue;
    EXPECT_EQ(read->FileName, "Urlaub.avi") << c.text;
    EXPECT_EQ(read->Size, 5000000) << c.text;
    EXPECT_EQ(read->Crc, 0x0A1B2C3Du) << c.text;
  }
}

}  // namespace
}  // namespace kardomel
