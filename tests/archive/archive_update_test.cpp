// Updating an existing archive: an entry is replaced only when its file is
// newer at the two-second resolution of ZIP times, every other entry stays,
// and an archive is never mixed from two passwords.
#include <gtest/gtest.h>

#include "archive_helpers.h"

namespace kardomel::testing {
namespace {

// An even second, so that +1 s stays within the same DOS time step.
constexpr time_t kBase = 1700000000;

struct TUpdateFixture {
  TTempFolder Folder;
  TArchiveInput Input;
  explicit TUpdateFixture(const std::string& password = "") {
    WriteFile(Folder / "same.txt", "unverändert");
    WriteFile(Folder / "late.txt", "alt");
    WriteFile(Folder / "gone.txt", "nur im Archiv");
    for (const char* name : {"same.txt", "late.txt", "gone.txt"}) SetModTime(Folder / name, kBase);
    Input.Items = {Folder / "same.txt", Folder / "late.txt", Folder / "gone.txt"};
    Input.ArchivePath = Folder / "archiv.zip";
    Input.StorePaths = false;
    Input.Password = password;
    EXPECT_EQ(WriteArchive(Input).Outcome, TArchiveOutcome::Created);
  }
};

TEST(ArchiveUpdateTest, ReplacesOnlyNewerFilesAddsNewOnesAndKeepsTheRest) {
  if (!HaveTool("python3")) GTEST_SKIP() << "python3 is missing";
  TUpdateFixture f;
  // Touched within the same two seconds: must not count as newer.
  WriteFile(f.Folder / "same.txt", "innerhalb zwei Sekunden");
  SetModTime(f.Folder / "same.txt", kBase + 1);
  WriteFile(f.Folder / "late.txt", "neu");
  SetModTime(f.Folder / "late.txt", kBase + 2);
  WriteFile(f.Folder / "new.txt", "hinzu");
  f.Input.Items = {f.Folder / "same.txt", f.Folder / "late.txt", f.Folder / "new.txt"};

  TArchiveResult result = WriteArchive(f.Input);
  EXPECT_EQ(result.Outcome, TArchiveOutcome::Updated);
  EXPECT_FALSE(result.MadeByThisStep());
  EXPECT_EQ(result.Added, 1);
  EXPECT_EQ(result.Replaced, 1);
  EXPECT_EQ(result.Kept, 1);
  static const char script[] = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    for n in sorted(z.namelist()): print(n, z.read(n).decode())
)";
  EXPECT_EQ(Python(script, f.Input.ArchivePath, ""),
            "gone.txt nur im Archiv\nlate.txt neu\nnew.txt hinzu\nsame.txt unverändert\n");
}

TEST(ArchiveUpdateTest, UnchangedSelectionLeavesTheArchiveAsItWas) {
  TUpdateFixture f;
  const std::string before = ReadFile(f.Input.ArchivePath);
  TArchiveResult result = WriteArchive(f.Input);
  EXPECT_EQ(result.Outcome, TArchiveOutcome::Updated);
  EXPECT_EQ(result.Kept, 3);
  EXPECT_EQ(ReadFile(f.Input.ArchivePath), before);
}

TEST(ArchiveUpdateTest, AnotherPasswordIsReportedAndChangesNothing) {
  const struct {
    const char* name;
    std::string before, now;
  } cases[] = {
      {"plain archive, now a password", "", "geheim"},
      {"encrypted archive, now none", "geheim", ""},
      {"encrypted archive, other password", "geheim", "anders"},
  };
  for (const auto& c : cases) {
    TUpdateFixture f(c.before);
    WriteFile(f.Folder / "late.txt", "neu");
    SetModTime(f.Folder / "late.txt", kBase + 10);
    f.Input.Password = c.now;
    const std::string before = FolderState(f.Folder.Path());
    EXPECT_EQ(WriteArchive(f.Input).Outcome, TArchiveOutcome::PasswordMismatch) << c.name;
    EXPECT_EQ(FolderState(f.Folder.Path()), before) << c.name;

    // What the caller does after its warning: a new archive in its place.
    f.Input.ReplaceExisting = true;
    TArchiveResult result = WriteArchive(f.Input);
    EXPECT_EQ(result.Outcome, TArchiveOutcome::Replaced) << c.name;
    EXPECT_EQ(result.Added, 3) << c.name;
    if (HaveTool("unzip")) {
      EXPECT_EQ(Shell("unzip -t -P " + Quote(c.now) + " " + Quote(f.Input.ArchivePath) +
                      " >/dev/null 2>&1"),
                0)
          << c.name;
    }
  }
}

TEST(ArchiveUpdateTest, SamePasswordUpdatesTheEncryptedArchive) {
  TUpdateFixture f("geheim");
  WriteFile(f.Folder / "late.txt", "neu");
  SetModTime(f.Folder / "late.txt", kBase + 10);
  TArchiveResult result = WriteArchive(f.Input);
  EXPECT_EQ(result.Outcome, TArchiveOutcome::Updated);
  EXPECT_EQ(result.Replaced, 1);
  if (HaveTool("unzip")) {
    EXPECT_EQ(Shell("unzip -t -P geheim " + Quote(f.Input.ArchivePath) + " >/dev/null 2>&1"), 0);
  }
}

}  // namespace
}  // namespace kardomel::testing
