// The environment's file work that the split and the join rely on for
// safety: fresh small files, reading without blocking, temporary files that
// a later run tidies up only when left behind, and renames that replace
// only when told.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "engine/env.h"
#include "fakes/fault_env.h"
#include "fakes/temp_folder.h"
#include "support/errors.h"

namespace kardomel {
namespace {

using testing::FileExists;
using testing::ListNames;
using testing::PatternBytes;
using testing::ReadFile;
using testing::TFaultEnv;
using testing::TTempFolder;
using testing::WriteFile;

TEST(StringFiles, WriteFreshAppendAndReadBack) {
  TTempFolder dir;
  TEnv& env = *TEnv::Default();
  WriteFile(dir / "a.txt", "a very long first content");
  WriteStringToFile(env, dir / "a.txt", "one\r\n");
  AppendStringToFile(env, dir / "a.txt", "two\r\n");
  std::string bytes = "stale";
  ASSERT_TRUE(ReadFileToString(env, dir / "a.txt", 1000, bytes));
  EXPECT_EQ(bytes, "one\r\ntwo\r\n");
  ASSERT_TRUE(ReadFileToString(env, dir / "a.txt", 4, bytes));
  EXPECT_EQ(bytes, "one\r");  // the limit holds
}

TEST(StringFiles, ReadingRefusesWhatIsNoFileWithoutWaiting) {
  TTempFolder dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::string bytes;
  for (const std::string& path : {dir / "fifo", dir / "missing", dir.Path()})
    EXPECT_FALSE(ReadFileToString(*TEnv::Default(), path, 100, bytes)) << path;
}

TEST(StringFiles, AWriteThatFailsLeavesNoHalfFile) {
  TTempFolder dir;
  TFaultEnv env;
  env.FailNthWrite(2);  // the second block of 256 KiB
  try {
    WriteStringToFile(env, dir / "big.KDM", PatternBytes(300000));
    ADD_FAILURE() << "written";
  } catch (const EFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Datei kann nicht geschrieben werden: " + dir /
                                             "big.KDM (Kein Speicherplatz mehr auf dem Gerät)");
  }
  EXPECT_TRUE(ListNames(dir.Path()).empty());

  TFaultEnv full;
  full.SetCapacity(dir.Path(), 10);  // writes stop short without an error
  EXPECT_THROW(WriteStringToFile(full, dir / "a.KDM", "avi\r\n4\r\n5000000\r\n"), EFileError);
  EXPECT_TRUE(ListNames(dir.Path()).empty());
}

TEST(TempFiles, ALeftBehindOneIsRemovedALiveOneIsKept) {
  TTempFolder dir;
  TEnv& env = *TEnv::Default();
  std::string live, leftBehind, next;
  std::unique_ptr<TStream64> liveStream = env.CreateTempFor(dir / "film.avi", live);
  env.CreateTempFor(dir / "film.avi", leftBehind).reset();  // as if its run was killed
  EXPECT_EQ(live.substr(0, dir.Path().size() + 19), dir / ".film.avi.kardomel-") << live;
  EXPECT_TRUE(FileExists(leftBehind));

  std::unique_ptr<TStream64> nextStream = env.CreateTempFor(dir / "film.avi", next);
  EXPECT_FALSE(FileExists(leftBehind));
  EXPECT_TRUE(FileExists(live));
  EXPECT_NE(next, live);
  // Another target's temporary file is none of this one's business.
  std::string other;
  env.CreateTempFor(dir / "film.avi.x", other).reset();
  env.CreateTempFor(dir / "film.avi", next).reset();
  EXPECT_TRUE(FileExists(other));
}

TEST(RenameEntry, ReplacesOnlyWhenTold) {
  TTempFolder dir;
  TEnv& env = *TEnv::Default();
  WriteFile(dir / "new", "new");
  WriteFile(dir / "old", "old");
  try {
    env.RenameEntry(dir / "new", dir / "old", false);
    ADD_FAILURE() << "replaced";
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Code(), EEXIST);
  }
  EXPECT_EQ(ReadFile(dir / "old"), "old");
  env.RenameEntry(dir / "new", dir / "old", true);
  EXPECT_EQ(ReadFile(dir / "old"), "new");
  EXPECT_EQ(ListNames(dir.Path()), std::vector<std::string>{"old"});
}

}  // namespace
}  // namespace kardomel
