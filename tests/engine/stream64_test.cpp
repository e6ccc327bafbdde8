#include "engine/stream64.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "counting_stream.h"
#include "fakes/temp_folder.h"
#include "support/errors.h"

namespace kardomel {
namespace {

using testing::PatternBytes;
using testing::ReadFile;
using testing::TTempFolder;
using testing::WriteFile;

TEST(FileStream64, OpeningFailsWhereThereIsNoFileToOpenAndSaysWhy) {
  TTempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const struct {
    const char* name;
    std::string path;
    TOpenMode mode;
    const char* message;  // after the path
  } cases[] = {
      {"missing file for reading", dir / "missing.bin", TOpenMode::Read,
       "Datei kann nicht geöffnet werden: # (Datei oder Verzeichnis nicht gefunden)"},
      {"folder for reading", dir.Path(), TOpenMode::Read,
       "Datei kann nicht geöffnet werden: # (Ist ein Verzeichnis)"},
      // Opening a pipe for reading would wait for a writer forever.
      {"pipe for reading", dir / "fifo", TOpenMode::Read,
       "Datei kann nicht geöffnet werden: # (keine gewöhnliche Datei)"},
      {"folder for writing", dir.Path(), TOpenMode::Write,
       "Datei kann nicht erstellt werden: # (Ist ein Verzeichnis)"},
      {"missing folder for writing", dir / "no/such.bin", TOpenMode::Write,
       "Datei kann nicht erstellt werden: # (Datei oder Verzeichnis nicht gefunden)"},
      {"missing file for appending", dir / "missing.bin", TOpenMode::Append,
       "Datei kann nicht geöffnet werden: # (Datei oder Verzeichnis nicht gefunden)"},
  };
  for (const auto& c : cases) {
    try {
      TFileStream64 stream(c.path, c.mode);
      ADD_FAILURE() << c.name << ": opened";
    } catch (const EFileError& e) {
      std::string expected = c.message;
      expected.replace(expected.find('#'), 1, c.path);
      EXPECT_EQ(e.what(), expected) << c.name;
    }
  }
  EXPECT_FALSE(testing::FileExists(dir / "missing.bin")) << "reading must not create the file";
}

TEST(FileStream64, WritingReplacesLinksAndSecondNamesInsteadOfWritingThroughThem) {
  TTempFolder dir, elsewhere;
  WriteFile(elsewhere / "v1", "other file");
  ASSERT_EQ(::symlink((elsewhere / "v1").c_str(), (dir / "link.bin").c_str()), 0);
  ASSERT_EQ(::symlink((elsewhere / "dangling").c_str(), (dir / "dangling.bin").c_str()), 0);
  ASSERT_EQ(::link((elsewhere / "v1").c_str(), (dir / "hard.bin").c_str()), 0);
  for (const char* name : {"link.bin", "dangling.bin", "hard.bin"}) {
    {
      TFileStream64 writer(dir / name, TOpenMode::Write);
      writer.WriteBuffer("new", 3);
    }
    EXPECT_EQ(ReadFile(dir / name), "new") << name;
    struct stat info;
    ASSERT_EQ(::lstat((dir / name).c_str(), &info), 0) << name;
    EXPECT_TRUE(S_ISREG(info.st_mode)) << name;
    EXPECT_EQ(info.st_nlink, 1u) << name;
  }
  EXPECT_EQ(ReadFile(elsewhere / "v1"), "other file");
  EXPECT_FALSE(testing::FileExists(elsewhere / "dangling"));
  // Appending refuses the same entries, as it cannot replace them.
  ASSERT_EQ(::link((elsewhere / "v1").c_str(), (dir / "hard2.bin").c_str()), 0);
  EXPECT_THROW(TFileStream64(dir / "hard2.bin", TOpenMode::Append), EFileError);
  ASSERT_EQ(::symlink((elsewhere / "v1").c_str(), (dir / "link2.bin").c_str()), 0);
  EXPECT_THROW(TFileStream64(dir / "link2.bin", TOpenMode::Append), EFileError);
  EXPECT_EQ(ReadFile(elsewhere / "v1"), "other file");
}

TEST(FileStream64, WritingEmptiesAnExistingFileAndReadingKeepsIt) {
  TTempFolder dir;
  WriteFile(dir / "a.bin", "old content");
  { TFileStream64 reader(dir / "a.bin", TOpenMode::Read); }
  EXPECT_EQ(ReadFile(dir / "a.bin"), "old content");
  {
    TFileStream64 writer(dir / "a.bin", TOpenMode::Write);
    EXPECT_EQ(writer.Size(), 0);
    writer.WriteBuffer("new", 3);
    writer.Flush();
  }
  EXPECT_EQ(ReadFile(dir / "a.bin"), "new");
}

TEST(FileStream64, SeekMovesFromEachOriginAndTreatsUnknownOnesAsCurrent) {
  TTempFolder dir;
  WriteFile(dir / "a.bin", PatternBytes(1000));
  TFileStream64 stream(dir / "a.bin", TOpenMode::Read);
  static const struct {
    int64_t offset;
    uint16_t origin;
    int64_t position;
  } cases[] = {
      {10, 0, 10}, {10, 1, 110}, {-10, 2, 990}, {0, 2, 1000},
      {10, 5, 110}, {-50, 65535, 50}, {5000, 0, 5000},  // behind the end is allowed
  };
  for (const auto& c : cases) {
    stream.SetPosition(100);
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.position) << c.offset << " from " << c.origin;
    EXPECT_EQ(stream.Position(), c.position) << c.offset << " from " << c.origin;
  }
  EXPECT_THROW(stream.Seek(-1, 0), ESystemError);
}

TEST(FileStream64, PositionsBeyond32BitsAreOrdinary) {
  TTempFolder dir;
  WriteFile(dir / "a.bin", "x");
  TFileStream64 stream(dir / "a.bin", TOpenMode::Read);
  for (int k : {31, 32, 33, 40, 43}) {
    const int64_t power = int64_t{1} << k;
    for (int64_t position : {power - 1, power, power + 1}) {
      stream.SetPosition(position);
      EXPECT_EQ(stream.Position(), position) << position;
    }
  }
  stream.SetPosition(4294967295);
  EXPECT_EQ(stream.Position(), 4294967295);
}

TEST(FileStream64, ReadsAndWritesBytesBehindFourGigabytes) {
  TTempFolder dir;
  const int64_t far = (int64_t{1} << 32) + 1;
  {
    TFileStream64 writer(dir / "sparse.bin", TOpenMode::Write);
    writer.SetPosition(far);
    writer.WriteBuffer("XY", 2);
  }
  TFileStream64 reader(dir / "sparse.bin", TOpenMode::Read);
  EXPECT_EQ(reader.Size(), far + 2);
  char bytes[3] = {};
  reader.SetPosition(far - 1);
  reader.ReadBuffer(bytes, 3);
  EXPECT_EQ(std::string(bytes, 3), std::string("\0XY", 3));
}

TEST(FileStream64, SizeOfASixGigabyteFileLeavesThePosition) {
  TTempFolder dir;
  const int64_t size = 6442450944;
  {
    TFileStream64 writer(dir / "big.bin", TOpenMode::Write);
    writer.SetSize(size);  // sparse: costs no disk space
  }
  TFileStream64 stream(dir / "big.bin", TOpenMode::Read);
  stream.SetPosition(4294967299);
  EXPECT_EQ(stream.Size(), size);
  EXPECT_EQ(stream.Position(), 4294967299);
}

TEST(FileStream64, SetSizeCutsOrExtendsAndLeavesThePosition) {
  TTempFolder dir;
  const std::string content = PatternBytes(1000);
  WriteFile(dir / "a.bin", content);
  {
    // Opening for writing empties; rebuild the content through the stream.
    TFileStream64 stream(dir / "a.bin", TOpenMode::Write);
    stream.WriteBuffer(content.data(), 1000);
    stream.SetPosition(800);
    stream.SetSize(500);
    EXPECT_EQ(stream.Size(), 500);
    EXPECT_EQ(stream.Position(), 800) << "the position stays behind the new end";
    stream.SetSize(600);
    EXPECT_EQ(stream.Size(), 600);
    EXPECT_EQ(stream.Position(), 800);
  }
  EXPECT_EQ(ReadFile(dir / "a.bin"), content.substr(0, 500) + std::string(100, '\0'));

  TFileStream64 reader(dir / "a.bin", TOpenMode::Read);
  reader.SetPosition(800);
  char byte;
  EXPECT_EQ(reader.Read(&byte, 1), 0u) << "behind the end a read gives nothing";
}

TEST(Stream64, ReadBufferAndWriteBufferRefuseShortTransfers) {
  TTempFolder dir;
  WriteFile(dir / "a.bin", "12345");
  TFileStream64 reader(dir / "a.bin", TOpenMode::Read);
  char bytes[10];
  reader.ReadBuffer(bytes, 3);
  try {
    reader.ReadBuffer(bytes, 3);
    FAIL() << "two bytes were left";
  } catch (const EStream64Fault& e) {
    EXPECT_STREQ(e.what(), "Read buffer at Stream64 failed.");
  }

  TFileStream64 file(dir / "b.bin", TOpenMode::Write);
  testing::TCountingStream writer(file);
  writer.room = 4;
  writer.WriteBuffer("abc", 3);
  try {
    writer.WriteBuffer("abc", 3);
    FAIL() << "only one byte had room";
  } catch (const EStream64Fault& e) {
    EXPECT_STREQ(e.what(), "Write buffer at Stream64 failed.");
  }
}

TEST(FileStream64, AFailedSystemCallRaisesTheSystemErrorNamingTheFile) {
  TTempFolder dir;
  WriteFile(dir / "a.bin", "12345");
  TFileStream64 reader(dir / "a.bin", TOpenMode::Read);
  TFileStream64 writer(dir / "b.bin", TOpenMode::Write);
  char byte = 'x';
  try {
    reader.Write(&byte, 1);
    FAIL() << "wrote into a file opened for reading";
  } catch (const ESystemError& e) {
    EXPECT_EQ(e.Code(), EBADF);
    EXPECT_EQ(std::string(e.what()), "Datei kann nicht geschrieben werden: " + dir / "a.bin" +
                                         " (" + SystemErrorReason(EBADF) + ")");
  }
  EXPECT_THROW(writer.Read(&byte, 1), ESystemError);
  EXPECT_THROW(reader.SetSize(1), ESystemError);
}

}  // namespace
}  // namespace kardomel
