#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "counting_stream.h"
#include "engine/stream64.h"
#include "fakes/temp_folder.h"

namespace kardomel {
namespace {

using testing::PatternBytes;
using testing::ReadFile;
using testing::TCountingStream;
using testing::TTempFolder;
using testing::WriteFile;

constexpr int64_t kBlock = kCopyBufferSize;

// A file stream that counts its own reads and writes: as a file stream it
// still takes the in-kernel copy, so counts of zero prove that it did.
class TWatchedFileStream : public TFileStream64 {
 public:
  using TFileStream64::TFileStream64;
  uint32_t Read(void* buffer, uint32_t count) override {
    ++reads;
    return TFileStream64::Read(buffer, count);
  }
  uint32_t Write(const void* buffer, uint32_t count) override {
    ++writes;
    return TFileStream64::Write(buffer, count);
  }
  int reads = 0;
  int writes = 0;
};

class TRecordingObserver : public TCopyObserver {
 public:
  void Copied(int64_t done) override { reports.push_back(done); }
  std::vector<int64_t> reports;
};

// Whether the kernel copies between two files of this folder at all.
bool KernelCopies(const TTempFolder& dir) {
  WriteFile(dir / "probe.in", "probe");
  int in = ::open((dir / "probe.in").c_str(), O_RDONLY);
  int out = ::open((dir / "probe.out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ssize_t moved = ::copy_file_range(in, nullptr, out, nullptr, 5, 0);
  ::close(in);
  ::close(out);
  return moved == 5;
}

// The same copies between two files, once in the kernel and once through
// the block loop, must agree in bytes, positions and results.
TEST(CopyFrom, KernelCopyAndBlockLoopGiveTheSameResults) {
  static const struct {
    const char* name;
    int64_t size;    // of the source
    int64_t start;   // source position before the copy
    int64_t count;   // asked for
    int64_t copied;  // returned
  } cases[] = {
      {"count 0 from the middle copies all from offset 0", 1000, 500, 0, 1000},
      {"count 0 of an empty source", 0, 0, 0, 0},
      {"source at its end", 1000, 1000, 10, 0},
      {"source behind its end", 1000, 2000, 10, 0},
      {"count larger than left", 1000, 300, 5000, 700},
      {"mid-file over several blocks", 3 * kBlock + 17, 12345, 2 * kBlock + 1, 2 * kBlock + 1},
      {"exactly three blocks", 3 * kBlock, 0, 3 * kBlock, 3 * kBlock},
      {"more than a kernel chunk", 9 * 1024 * 1024 + 3, 1, 0, 9 * 1024 * 1024 + 3},
  };
  TTempFolder dir;
  const bool kernelCopies = KernelCopies(dir);
  const std::string head = "head:";
  for (const auto& c : cases) {
    const std::string content = PatternBytes(c.size, 7);
    WriteFile(dir / "source.bin", content);
    const int64_t from = c.count == 0 ? 0 : c.start;
    const std::string expected = head + content.substr(std::min(from, c.size), c.copied);
    for (bool kernel : {true, false}) {
      const std::string label = std::string(c.name) + (kernel ? " (kernel)" : " (blocks)");
      TWatchedFileStream source(dir / "source.bin", TOpenMode::Read);
      TWatchedFileStream target(dir / "target.bin", TOpenMode::Write);
      target.WriteBuffer(head.data(), static_cast<uint32_t>(head.size()));
      target.writes = 0;
      source.SetPosition(c.start);
      TCountingStream wrapped(source);
      TRecordingObserver observer;

      int64_t copied = kernel ? target.CopyFrom(source, c.count, &observer)
                              : target.CopyFrom(wrapped, c.count, &observer);

      EXPECT_EQ(copied, c.copied) << label;
      EXPECT_EQ(source.Position(), from + c.copied) << label;
      EXPECT_EQ(target.Position(), static_cast<int64_t>(head.size()) + c.copied) << label;
      EXPECT_EQ(ReadFile(dir / "target.bin"), expected) << label;
      if (c.copied > 0) {
        ASSERT_FALSE(observer.reports.empty()) << label;
        EXPECT_EQ(observer.reports.back(), c.copied) << label;
        for (size_t i = 1; i < observer.reports.size(); ++i)
          EXPECT_LT(observer.reports[i - 1], observer.reports[i]) << label;
      } else {
        EXPECT_TRUE(observer.reports.empty()) << label;
      }
      if (kernel && kernelCopies) {
        EXPECT_EQ(source.reads + target.writes, 0) << label << ": the kernel did not copy";
      }
    }
  }
}

TEST(CopyFrom, ThreeBlocksTakeThreeReadsAndThreeWrites) {
  TTempFolder dir;
  WriteFile(dir / "source.bin", PatternBytes(3 * kBlock + 100));
  TFileStream64 sourceFile(dir / "source.bin", TOpenMode::Read);
  TFileStream64 targetFile(dir / "target.bin", TOpenMode::Write);
  TCountingStream source(sourceFile);
  TCountingStream target(targetFile);

  EXPECT_EQ(target.CopyFrom(source, 3 * kBlock), 3 * kBlock);
  EXPECT_EQ(source.readSizes, (std::vector<uint32_t>{kCopyBufferSize, kCopyBufferSize,
                                                     kCopyBufferSize}));
  EXPECT_EQ(target.writes, 3);
}

TEST(CopyFrom, NegativeCountRaisesBeforeTouchingEitherStream) {
  TTempFolder dir;
  WriteFile(dir / "source.bin", PatternBytes(1000));
  TFileStream64 sourceFile(dir / "source.bin", TOpenMode::Read);
  TFileStream64 targetFile(dir / "target.bin", TOpenMode::Write);
  sourceFile.SetPosition(100);
  for (bool wrapped : {true, false}) {
    TCountingStream source(sourceFile);
    TCountingStream target(targetFile);
    try {
      if (wrapped)
        target.CopyFrom(source, -1);
      else
        targetFile.CopyFrom(sourceFile, -1);
      ADD_FAILURE() << "no exception";
    } catch (const EStream64Fault& e) {
      EXPECT_STREQ(e.what(), "Invalid Count parameter for CopyFrom.");
    }
    EXPECT_EQ(source.Calls() + target.Calls(), 0);
    EXPECT_EQ(sourceFile.Position(), 100);
    EXPECT_EQ(targetFile.Size(), 0);
  }
}

TEST(CopyFrom, AWriteThatStopsShortEndsTheCopyAndMovesTheSourceBack) {
  static const struct {
    int64_t room;
  } cases[] = {{0}, {5}, {kBlock}, {kBlock + 5}, {300000}};
  TTempFolder dir;
  const std::string content = PatternBytes(1000000);
  WriteFile(dir / "source.bin", content);
  for (const auto& c : cases) {
    TFileStream64 source(dir / "source.bin", TOpenMode::Read);
    TFileStream64 targetFile(dir / "target.bin", TOpenMode::Write);
    TCountingStream target(targetFile);
    target.room = c.room;
    source.SetPosition(1000);

    EXPECT_EQ(target.CopyFrom(source, 900000), c.room) << c.room;
    EXPECT_EQ(source.Position(), 1000 + c.room) << c.room;
    EXPECT_EQ(ReadFile(dir / "target.bin"), content.substr(1000, c.room)) << c.room;
  }
}

TEST(CopyFrom, AReadErrorPassesThroughUnchanged) {
  TTempFolder dir;
  WriteFile(dir / "source.bin", PatternBytes(3 * kBlock));
  TFileStream64 sourceFile(dir / "source.bin", TOpenMode::Read);
  TFileStream64 target(dir / "target.bin", TOpenMode::Write);
  TCountingStream source(sourceFile);
  source.failingRead = 2;
  try {
    target.CopyFrom(source, 0);
    FAIL() << "no exception";
  } catch (const ESystemError& e) {
    EXPECT_EQ(e.Code(), EIO);
  }
  EXPECT_EQ(target.Size(), kBlock) << "the first block stays written";
}

TEST(CopyFrom, IntoAStreamOpenedForReadingFailsAsAWriteWould) {
  // The kernel refuses this copy; the block loop's write then reports it.
  TTempFolder dir;
  WriteFile(dir / "source.bin", PatternBytes(100));
  WriteFile(dir / "target.bin", "keep");
  TFileStream64 source(dir / "source.bin", TOpenMode::Read);
  TFileStream64 target(dir / "target.bin", TOpenMode::Read);
  EXPECT_THROW(target.CopyFrom(source, 0), ESystemError);
  EXPECT_EQ(ReadFile(dir / "target.bin"), "keep");
}

}  // namespace
}  // namespace kardomel
