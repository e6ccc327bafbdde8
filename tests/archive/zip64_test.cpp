// An entry over 4 GiB: the writer switches to ZIP64, unzip reads it and the
// self-extractor unpacks it under wine. A sparse file keeps the source
// cheap; the unpacked copy takes real disk space.
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "archive_helpers.h"
#include "wine_runner.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kBigSize = (int64_t{1} << 32) + 65537;

int64_t FreeBytes(const std::string& path) {
  struct statvfs info;
  return ::statvfs(path.c_str(), &info) == 0
             ? static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize)
             : 0;
}

TEST(Zip64Test, EntryOverFourGibibytesRoundTrips) {
  const std::string stub = StubPath();
  if (stub.empty()) GTEST_SKIP() << "no sfx32pro.bin (x86_64-w64-mingw32-gcc missing)";
  if (!HaveTool("unzip")) GTEST_SKIP() << "unzip is missing";
  TTempFolder folder;
  if (FreeBytes(folder.Path()) < 3 * kBigSize) GTEST_SKIP() << "less than 13 GB free";
  const std::string big = folder / "gross.img";
  WriteFile(big, "");
  ASSERT_EQ(::truncate(big.c_str(), kBigSize), 0);
  WriteFile(folder / "klein.txt", "klein");

  TArchiveInput input;
  input.Items = {big, folder / "klein.txt"};
  input.ArchivePath = folder / "gross.exe";
  input.StorePaths = false;
  input.SelfExtracting = true;
  input.StubPath = stub;
  input.Level = 1;  // the zeros pack the same, in a fraction of the time
  ASSERT_EQ(WriteArchive(input).Outcome, TArchiveOutcome::Created);

  int status = 0;
  // unzip reads the ZIP64 directory; inflating 4 GiB once is left to the
  // stub below, which checks the CRC as unzip -t would.
  std::string out = ShellOutput("unzip -lv " + Quote(input.ArchivePath) + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out.find("warning"), std::string::npos) << out;
  EXPECT_NE(out.find(std::to_string(kBigSize)), std::string::npos) << out;

  if (!WineReady()) GTEST_SKIP() << "wine is missing";
  const std::string target = folder / "ziel/";
  ASSERT_EQ(RunUnderWine(input.ArchivePath, "/S " + Quote("/D=" + WinePath(target))), 0);
  // The stub checked size and CRC of the entry; the size here shows it
  // did not stop at 4 GiB.
  EXPECT_EQ(FileSize(target + "gross.img"), kBigSize);
  EXPECT_EQ(ReadFile(target + "klein.txt"), "klein");
}

}  // namespace
}  // namespace kardomel::testing
