// Cancels and failures of the writer: nothing left behind, never an archive
// that existed before touched, and the file at fault named.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "archive_helpers.h"
#include "delivery/archive/deflate_pool.h"

namespace kardomel::testing {
namespace {

// Three files of a size that makes libzip report progress many times.
struct TBusyFixture {
  TTempFolder Folder;
  TArchiveInput Input;
  TBusyFixture() {
    ::mkdir((Folder / "src").c_str(), 0755);
    for (int i = 0; i < 3; ++i) {
      std::string path = Folder / ("src/f" + std::to_string(i) + ".bin");
      WriteFile(path, PatternBytes(2000000, i + 1));
      Input.Items.push_back(path);
    }
    Input.ArchivePath = Folder / "archiv.zip";
  }
};

TEST(ArchiveFaultsTest, CancelLeavesNoArchiveAndNoTemporaryFile) {
  for (bool sfx : {false, true}) {
    TBusyFixture f;
    if (sfx) {
      WriteFile(f.Folder / "stub.bin", "MZ-stub");
      f.Input.SelfExtracting = true;
      f.Input.StubPath = f.Folder / "stub.bin";
      f.Input.ArchivePath = f.Folder / "archiv.exe";
    }
    const std::string before = FolderState(f.Folder.Path());
    TScriptedArchiveEvents events;
    events.CancelAfterPolls = 3;
    EXPECT_EQ(WriteArchive(f.Input, events).Outcome, TArchiveOutcome::Cancelled) << sfx;
    EXPECT_EQ(FolderState(f.Folder.Path()), before) << sfx;
  }
}

TEST(ArchiveFaultsTest, CancelLeavesAnExistingArchiveUntouched) {
  TBusyFixture f;
  ASSERT_EQ(WriteArchive(f.Input).Outcome, TArchiveOutcome::Created);
  WriteFile(f.Folder / "src/f1.bin", PatternBytes(2000000, 99));
  SetModTime(f.Folder / "src/f1.bin", ::time(nullptr) + 10);
  const std::string before = FolderState(f.Folder.Path());
  TScriptedArchiveEvents events;
  events.CancelAfterPolls = 2;
  EXPECT_EQ(WriteArchive(f.Input, events).Outcome, TArchiveOutcome::Cancelled);
  EXPECT_EQ(FolderState(f.Folder.Path()), before);
}

TEST(ArchiveFaultsTest, ProgressEndsAtHundred) {
  TBusyFixture f;
  TScriptedArchiveEvents events;
  EXPECT_EQ(WriteArchive(f.Input, events).Outcome, TArchiveOutcome::Created);
  EXPECT_EQ(events.LastPercent, 100);
}

TEST(ArchiveFaultsTest, UnreadableFileIsNamedAndLeavesNoArchive) {
  TBusyFixture f;
  const std::string broken = f.Folder / "src/verweist.txt";
  ASSERT_EQ(::symlink("/nonexistent/ziel", broken.c_str()), 0);
  const struct {
    const char* name;
    std::vector<std::string> items;
  } cases[] = {
      {"selected directly", {f.Input.Items[0], broken}},
      {"inside a selected folder", {f.Folder / "src"}},
  };
  for (const auto& c : cases) {
    TArchiveInput input = f.Input;
    input.Items = c.items;
    const std::string before = FolderState(f.Folder.Path());
    try {
      WriteArchive(input);
      ADD_FAILURE() << c.name << ": no failure";
    } catch (const EArchiveFault& fault) {
      EXPECT_EQ(fault.Path(), broken) << c.name;
      EXPECT_NE(std::string(fault.what()).find(broken), std::string::npos) << c.name;
    }
    EXPECT_EQ(FolderState(f.Folder.Path()), before) << c.name;
  }
}

TEST(ArchiveFaultsTest, FileVanishingBeforeTheArchiveIsClosedIsNamed) {
  // The file is readable when collected and gone when libzip reads it:
  // the case that only shows when the archive is written. Large, so that
  // libzip reads it itself, only while it writes.
  class TRemovingEvents : public TArchiveEvents {
   public:
    std::string Victim;
    void Progress(int percent) override {
      if (percent == 0) ::unlink(Victim.c_str());
    }
  };
  TBusyFixture f;
  ASSERT_EQ(WriteArchive(f.Input).Outcome, TArchiveOutcome::Created);
  const std::string existing = ReadFile(f.Input.ArchivePath);
  const std::string victim = f.Folder / "src/neu.bin";
  WriteFile(victim, "");
  ASSERT_EQ(::truncate(victim.c_str(), TDeflatePool::kMaxFileSize + 1), 0);
  f.Input.Items.push_back(victim);
  TRemovingEvents events;
  events.Victim = victim;
  try {
    WriteArchive(f.Input, events);
    ADD_FAILURE() << "no failure";
  } catch (const EArchiveFault& fault) {
    EXPECT_EQ(fault.Path(), victim);
  }
  EXPECT_EQ(ReadFile(f.Input.ArchivePath), existing);
  EXPECT_EQ(ListNames(f.Folder.Path()), (std::vector<std::string>{"archiv.zip", "src"}));
}

TEST(ArchiveFaultsTest, SameBareNameFromTwoFoldersIsRefused) {
  TTempFolder folder;
  ::mkdir((folder / "a").c_str(), 0755);
  ::mkdir((folder / "b").c_str(), 0755);
  WriteFile(folder / "a/liesmich.txt", "a");
  WriteFile(folder / "b/liesmich.txt", "b");
  TArchiveInput input;
  input.Items = {folder / "a", folder / "b"};
  input.ArchivePath = folder / "archiv.zip";
  input.StorePaths = false;
  EXPECT_THROW(WriteArchive(input), EArchiveFault);
  EXPECT_FALSE(FileExists(input.ArchivePath));
  input.StorePaths = true;
  EXPECT_EQ(WriteArchive(input).Added, 2);
}

TEST(ArchiveFaultsTest, AFileThatIsNoArchiveIsNeitherUpdatedNorReplaced) {
  TBusyFixture f;
  WriteFile(f.Input.ArchivePath, "kein Archiv");
  EXPECT_THROW(WriteArchive(f.Input), EArchiveFault);
  EXPECT_EQ(ReadFile(f.Input.ArchivePath), "kein Archiv");
}

TEST(ArchiveFaultsTest, EmptySelectionWritesNothing) {
  TTempFolder folder;
  ::mkdir((folder / "leer").c_str(), 0755);
  TArchiveInput input;
  input.Items = {folder / "leer"};
  input.ArchivePath = folder / "archiv.zip";
  input.StorePaths = false;
  EXPECT_EQ(WriteArchive(input).Outcome, TArchiveOutcome::Empty);
  EXPECT_FALSE(FileExists(input.ArchivePath));
}

}  // namespace
}  // namespace kardomel::testing
