// The split and the join onto a real medium that fills up: a small tmpfs
// mounted for the test, limited in bytes or in files. Needs root; skipped
// where mounting is not allowed.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kMiB = 1048576;

class FullMediaTest : public ::testing::Test {
 protected:
  // Mounts a tmpfs with Options at a fresh folder; skips when that is not allowed.
  void Mount(const std::string& options) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    medium_ = holder / "medium/";
    ASSERT_EQ(Shell("mkdir " + Quote(medium_)), 0);
    if (::mount("tmpfs", medium_.c_str(), "tmpfs", 0, options.c_str()) != 0)
      GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount2(medium_.c_str(), MNT_DETACH);
  }
  const std::string& Medium() const { return medium_; }
  std::string Source(int64_t size) {
    const std::string path = src / "data.bin";
    WriteFile(path, PatternBytes(size));
    return path;
  }

  TTempFolder holder, src;
  TScriptedInteraction ui;

 private:
  std::string medium_;
  bool mounted_ = false;
};

TEST_F(FullMediaTest, SplitUntilTheBytesRunOut) {
  Mount("size=1m,nr_inodes=64");
  const std::string source = Source(3 * kMiB);
  // The free space says one part fits; the descriptor file then takes a page.
  EXPECT_THROW(RunSplit(SplitInputFor(source, kMiB, Medium()), *TEnv::Default(), ui), EKardomel);
  EXPECT_EQ(ui.Find("Datei wurde geteilt."), nullptr);
  EXPECT_FALSE(ui.Busy());
  EXPECT_EQ(ListNames(Medium()), std::vector<std::string>{"data.KDM"});
  EXPECT_EQ(ReadFile(source), PatternBytes(3 * kMiB));
}

TEST_F(FullMediaTest, SplitAsksForAnotherFolderWhenThePartWouldNotFit) {
  Mount("size=1m,nr_inodes=64");
  const std::string source = Source(3 * kMiB);
  ui.Answer(TCall::Message, mrNo);
  TSplitResult result = RunSplit(SplitInputFor(source, 400000, Medium()), *TEnv::Default(), ui);
  EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Hinweis!"});
  EXPECT_EQ(ListNames(Medium()), (std::vector<std::string>{"data.001", "data.002", "data.KDM"}));
  EXPECT_EQ(JoinedParts(Medium() + "data.bin", 2), PatternBytes(800000));
}

TEST_F(FullMediaTest, SplitUntilTheFilesRunOut) {
  Mount("size=8m,nr_inodes=3");  // the root and two files
  const std::string source = Source(300000);
  try {
    RunSplit(SplitInputFor(source, 100000, Medium()), *TEnv::Default(), ui);
    ADD_FAILURE() << "the third file was created";
  } catch (const EKardomel& error) {
    EXPECT_EQ(std::string(error.what()), "Datei kann nicht erstellt werden: " + Medium() +
                                             "data.002 (Kein Speicherplatz mehr auf dem Gerät)");
  }
  EXPECT_EQ(ui.Find("Datei wurde geteilt."), nullptr);
  EXPECT_EQ(ListNames(Medium()), (std::vector<std::string>{"data.001", "data.KDM"}));
  EXPECT_EQ(ReadFile(source), PatternBytes(300000));
}

TEST_F(FullMediaTest, JoinOntoTheMedium) {
  Mount("size=1m,nr_inodes=64");
  TTempFolder set;
  const std::string small = PatternBytes(600000);
  WriteSet(set / "small.x", small, 250000);
  WriteFile(set / "small.KDM", "bin\r\n3\r\n600000\r\n");
  TJoinInput input = JoinInputFor(*TEnv::Default(), ui, set / "small.KDM");
  input.SameDir = false;
  input.DestFolder = Medium();
  EXPECT_EQ(RunJoin(input, *TEnv::Default(), ui).Outcome, TOutcome::Done);
  EXPECT_EQ(ReadFile(Medium() + "small.bin"), small);

  // A set larger than the medium whose size field understates it gets past
  // the space check and meets the full medium while copying.
  const std::string large = PatternBytes(2 * kMiB, 5);
  WriteSet(set / "large.x", large, kMiB);
  WriteFile(set / "large.KDM", "bin\r\n2\r\n" + std::to_string(2 * kMiB) + "\r\n");
  TScriptedInteraction local;
  input = JoinInputFor(*TEnv::Default(), local, set / "large.KDM");
  input.TotalSize = 1000;
  input.SameDir = false;
  input.DestFolder = Medium();
  input.DeleteParts = true;
  EXPECT_THROW(RunJoin(input, *TEnv::Default(), local), EKardomel);
  EXPECT_EQ(local.Find("Teildateien zusammengesetzt."), nullptr);
  EXPECT_EQ(JoinedParts(set / "large.x", 2), large);
  EXPECT_TRUE(FileExists(set / "large.KDM"));
  // Neither a partial large.bin nor its temporary file is left on the medium.
  EXPECT_EQ(ListNames(Medium()), std::vector<std::string>{"small.bin"});
}

TEST_F(FullMediaTest, DeletingFromAReadOnlyMediumIsNotClaimed) {
  Mount("size=1m,nr_inodes=64");
  const std::string content = PatternBytes(600000);
  WriteSet(Medium() + "small.x", content, 250000);
  WriteFile(Medium() + "small.KDM", "bin\r\n3\r\n600000\r\n");
  ASSERT_EQ(::mount("tmpfs", Medium().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
  TTempFolder dest;
  TJoinInput input = JoinInputFor(*TEnv::Default(), ui, Medium() + "small.KDM");
  input.SameDir = false;
  input.DestFolder = dest.Path();
  input.DeleteParts = true;
  TJoinResult result = RunJoin(input, *TEnv::Default(), ui);
  EXPECT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(ReadFile(dest / "small.bin"), content);
  EXPECT_EQ(result.NotDeleted.size(), 4u);
  const TRecord* report = ui.Find("Teildateien zusammengesetzt.");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->Kind, TMsgKind::Warning);
  EXPECT_EQ(report->Content.find("Die Teildateien wurden gelöscht."), std::string::npos);
  EXPECT_NE(report->Content.find(Medium() + "small.003"), std::string::npos) << report->Content;
  EXPECT_EQ(ListNames(Medium()).size(), 4u);
}

}  // namespace
}  // namespace kardomel::testing
