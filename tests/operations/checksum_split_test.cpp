// The split with checksums: the same parts as without, the source read
// once (the checksums are taken from the bytes on their way), and the
// checksum files written from that one pass.
#include <gtest/gtest.h>

#include <memory>

#include "engine/checksum.h"
#include "engine/checksum_files.h"
#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

// A stream that forwards to the one it owns and counts the bytes read.
class TReadCounter : public TStream64 {
 public:
  TReadCounter(std::unique_ptr<TStream64> inner, int64_t& bytesRead)
      : inner_(std::move(inner)), bytesRead_(bytesRead) {}
  uint32_t Read(void* buffer, uint32_t count) override {
    const uint32_t got = inner_->Read(buffer, count);
    bytesRead_ += got;
    return got;
  }
  uint32_t Write(const void* buffer, uint32_t count) override { return inner_->Write(buffer, count); }
  int64_t Seek(int64_t offset, uint16_t origin) override { return inner_->Seek(offset, origin); }

 private:
  std::unique_ptr<TStream64> inner_;
  int64_t& bytesRead_;
};

// Counts what is read from one file.
class TSourceCountingEnv : public TFaultEnv {
 public:
  explicit TSourceCountingEnv(std::string source) : source_(std::move(source)) {}
  std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) override {
    std::unique_ptr<TStream64> stream = TFaultEnv::Open(path, mode);
    if (path != source_) return stream;
    return std::make_unique<TReadCounter>(std::move(stream), bytesRead);
  }
  int64_t bytesRead = 0;

 private:
  std::string source_;
};

TEST(ChecksumSplitTest, ReadsTheSourceOnceAndWritesTheSameParts) {
  const struct {
    const char* name;
    int64_t size, part;
  } cases[] = {
      {"last part shorter", 3 * 300000 + 7, 300000},
      {"exact multiple", 4 * 262144, 262144},
      {"empty file", 0, 1000},
  };
  for (const auto& c : cases) {
    TTempFolder src, plain, hashed;
    const std::string source = src / "data.bin";
    const std::string content = PatternBytes(c.size, 12);
    WriteFile(source, content);
    TScriptedInteraction ui;
    TSplitInput input = SplitInputFor(source, c.part, plain.Path());
    input.PartCount = 2;  // an empty file still makes one part
    ASSERT_EQ(RunSplit(input, *TEnv::Default(), ui).Outcome, TOutcome::Done) << c.name;

    TSourceCountingEnv env(source);
    input.DestFolder = hashed.Path();
    input.WriteChecksums = true;
    const TSplitResult result = RunSplit(input, env, ui);
    ASSERT_EQ(result.Outcome, TOutcome::Done) << c.name;
    EXPECT_EQ(env.bytesRead, c.size) << c.name;
    EXPECT_EQ(JoinedParts(hashed / "data.bin", result.PartsWritten), content) << c.name;
    for (int32_t k = 1; k <= result.PartsWritten; ++k)
      EXPECT_EQ(ReadFile(PartPath(hashed / "data.bin", k)), ReadFile(PartPath(plain / "data.bin", k)))
          << c.name << " part " << k;

    std::string expected;
    for (int32_t k = 1; k <= result.PartsWritten; ++k)
      expected += Sha256Hex(ReadFile(PartPath(hashed / "data.bin", k))) + "  data." +
                  FormatPartNumber(k) + "\n";
    expected += Sha256Hex(content) + "  data.bin\n";
    EXPECT_EQ(ReadFile(hashed / "data.sha256"), expected) << c.name;
    TCrc32 crc;
    crc.Update(content.data(), content.size());
    EXPECT_EQ(ReadFile(hashed / "data.crc"), FormatCrcFile({"data.bin", c.size, crc.Value()}))
        << c.name;
    // The files of the default split only.
    EXPECT_FALSE(FileExists(plain / "data.sha256")) << c.name;
    EXPECT_FALSE(FileExists(plain / "data.crc")) << c.name;
  }
}

}  // namespace
}  // namespace kardomel::testing
