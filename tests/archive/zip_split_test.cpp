// Zip before split with real files: the selection packed, the archive cut
// into parts and removed when this step made it; the user's own archive
// updated and kept; every refusal and fault leaving the disk as it should.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "archive_helpers.h"
#include "delivery/zip/zip_split.h"
#include "fakes/fault_env.h"
#include "fakes/scripted_interaction.h"
#include "support/globals.h"

namespace kardomel::testing {
namespace {

class ZipSplitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(temp_ / "a.bin", PatternBytes(30000, 1));
    WriteFile(temp_ / "b.txt", std::string(20000, 'x') + PatternBytes(20000, 2));
    ::mkdir((temp_ / "ordner").c_str(), 0755);
    WriteFile(temp_ / "ordner/.versteckt", PatternBytes(12000, 3));
    input_.Items = {temp_ / "a.bin", temp_ / "b.txt", temp_ / "ordner"};
    input_.SourceFolder = temp_.Path();
    input_.ArchiveName = "_a.zip";
    input_.Texts.Size = "10000";
    input_.Split.WriteBatch = false;
  }

  TZipSplitResult Run() {
    auto writer = MakeLibzipArchiveWriter();
    return RunZipSplit(input_, env_, ui_, *writer);
  }
  // Joins the parts of _a back and returns what unzip lists in it.
  std::string JoinedListing(const std::string& base, int parts) {
    std::string joined = temp_ / "joined.zip";
    std::string command = "cat";
    for (int k = 1; k <= parts; ++k) command += " " + Quote(base + "." + FormatPartNumber(k));
    EXPECT_EQ(Shell(command + " > " + Quote(joined)), 0);
    return ShellOutput("unzip -Z1 " + Quote(joined) + " | sort");
  }

  TTempFolder temp_;
  TFaultEnv env_;
  TScriptedInteraction ui_;
  TZipSplitInput input_;
};

TEST_F(ZipSplitTest, SelectionIsPackedSplitAndTheArchiveRemoved) {
  if (!HaveTool("unzip")) GTEST_SKIP() << "unzip fehlt";
  input_.ArchiveName = "mein:Archiv?";  // cleaned to a safe name
  input_.Zip.StorePaths = false;
  const TZipSplitResult result = Run();
  ASSERT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_TRUE(result.ArchiveDeleted);
  const std::string archive = temp_ / "meinArchiv.zip";
  EXPECT_EQ(result.Archive.ArchivePath, archive);
  EXPECT_FALSE(FileExists(archive));
  const int parts = result.Split.PartsWritten;
  EXPECT_EQ(parts, static_cast<int>((result.Archive.Size + 9999) / 10000));
  EXPECT_EQ(result.Texts.Count, std::to_string(parts));
  EXPECT_TRUE(FileExists(temp_ / "meinArchiv.KDM"));
  EXPECT_EQ(JoinedListing(temp_ / "meinArchiv", parts), ".versteckt\na.bin\nb.txt\n");
  // The gauge ran from 0 to 100 while packing, then over the parts.
  const std::vector<int32_t>& shown = ui_.Parts();
  EXPECT_NE(std::find(shown.begin(), shown.end(), 100), shown.end());
  const TRecord* done = ui_.Find("Datei wurde geteilt.");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(done->Content.find("aktualisiert"), std::string::npos);
}

// A stop asked for while packing ends the command as cancelled: no archive,
// no part, the selection as it was.
TEST_F(ZipSplitTest, AStopWhilePackingLeavesNothing) {
  ui_.CancelAfter(1);
  const TZipSplitResult result = Run();
  EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
  EXPECT_EQ(ListNames(temp_.Path()), (std::vector<std::string>{"a.bin", "b.txt", "ordner"}));
  EXPECT_EQ(ui_.Find("Datei wurde geteilt."), nullptr);
}

TEST_F(ZipSplitTest, ExistingArchiveIsUpdatedKeptAndNamedSo) {
  if (!HaveTool("unzip")) GTEST_SKIP() << "unzip fehlt";
  input_.Zip.StorePaths = false;
  TArchiveInput earlier;
  WriteFile(temp_ / "alt.txt", "alt");
  earlier.Items = {temp_ / "alt.txt"};
  earlier.ArchivePath = temp_ / "_a.zip";
  earlier.StorePaths = false;
  ASSERT_EQ(WriteArchive(earlier).Outcome, TArchiveOutcome::Created);
  const TZipSplitResult result = Run();
  ASSERT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(result.Archive.Outcome, TArchiveOutcome::Updated);
  EXPECT_FALSE(result.ArchiveDeleted);
  ASSERT_TRUE(FileExists(temp_ / "_a.zip"));
  EXPECT_EQ(ShellOutput("unzip -Z1 " + Quote(temp_ / "_a.zip") + " | sort"),
            ".versteckt\na.bin\nalt.txt\nb.txt\n");
  const TRecord* done = ui_.Find("Datei wurde geteilt.");
  ASSERT_NE(done, nullptr);
  EXPECT_NE(done->Content.find("\rDas vorhandene Archiv wurde aktualisiert und bleibt erhalten."),
            std::string::npos);
}

TEST_F(ZipSplitTest, RefusalsChangeNothing) {
  const struct {
    const char* name;
    std::function<void(TZipSplitInput&)> set;
    const char* instruction;
  } cases[] = {
      {"password outside Windows-1252",
       [](TZipSplitInput& in) {
         in.Zip.Encrypt = true;
         in.Zip.Password = "geheim€日本";
       },
       "Ungültiges Passwort."},
      {"archive among the items",
       [this](TZipSplitInput& in) { in.Items.push_back(temp_ / "_a.zip"); },
       "Ungültiger Archivname."},
      {"nothing to pack",
       [this](TZipSplitInput& in) {
         ::mkdir((temp_ / "leer").c_str(), 0755);
         in.Items = {temp_ / "leer"};
         in.Zip.StorePaths = false;
       },
       "Keine Dateien."},
  };
  for (const auto& c : cases) {
    TZipSplitInput saved = input_;
    c.set(input_);
    const std::string before = FolderState(temp_.Path());
    EXPECT_EQ(Run().Outcome, TOutcome::Refused) << c.name;
    EXPECT_NE(ui_.Find(c.instruction), nullptr) << c.name;
    EXPECT_EQ(FolderState(temp_.Path()), before) << c.name;
    input_ = saved;
  }
}

TEST_F(ZipSplitTest, FailedSizeCheckRemovesTheNewArchiveOnly) {
  input_.Texts.Size = "100000000";  // one part: the split refuses
  EXPECT_EQ(Run().Outcome, TOutcome::Refused);
  EXPECT_NE(ui_.Find("Eingabe erwartet."), nullptr);
  EXPECT_FALSE(FileExists(temp_ / "_a.zip"));

  // The user's own archive stays, also when the split refuses.
  TArchiveInput earlier;
  earlier.Items = {temp_ / "a.bin"};
  earlier.ArchivePath = temp_ / "_a.zip";
  ASSERT_EQ(WriteArchive(earlier).Outcome, TArchiveOutcome::Created);
  EXPECT_EQ(Run().Outcome, TOutcome::Refused);
  EXPECT_TRUE(FileExists(temp_ / "_a.zip"));
}

TEST_F(ZipSplitTest, UnreadableFileIsNamedAndNothingIsLeft) {
  const std::string broken = temp_ / "ordner/kaputt";
  ASSERT_EQ(::symlink("/nonexistent/ziel", broken.c_str()), 0);
  const std::string before = FolderState(temp_.Path());
  try {
    Run();
    ADD_FAILURE() << "no failure";
  } catch (const EArchiveFault& fault) {
    EXPECT_NE(std::string(fault.what()).find(broken), std::string::npos);
  }
  EXPECT_EQ(FolderState(temp_.Path()), before);
  EXPECT_FALSE(ui_.Busy());
}

TEST_F(ZipSplitTest, FailingSplitStillRemovesTheNewArchive) {
  auto writer = MakeLibzipArchiveWriter();
  auto failing = [](const TSplitInput& split, TEnv&, TInteraction&) -> TSplitResult {
    EXPECT_TRUE(FileExists(split.SourcePath));
    throw EKardomel("Datenträger voll");
  };
  EXPECT_THROW(RunZipSplit(input_, env_, ui_, *writer, failing), EKardomel);
  EXPECT_FALSE(FileExists(temp_ / "_a.zip"));
  EXPECT_FALSE(ui_.Busy());
}

TEST_F(ZipSplitTest, SelfExtractingReplacesAnEarlierFileOnlyAfterYes) {
  WriteFile(temp_ / "stub.bin", "MZ-stub");
  input_.Zip.Sfx = true;
  input_.StubPath = temp_ / "stub.bin";
  input_.ArchiveName = "_a.zip";  // the extension follows the kind
  WriteFile(temp_ / "_a.exe", "Programm des Benutzers");
  const std::string before = FolderState(temp_.Path());

  ui_.Answer(TCall::Message, mrNo);
  EXPECT_EQ(Run().Outcome, TOutcome::Cancelled);
  EXPECT_NE(ui_.Find("Datei ersetzen?"), nullptr);
  EXPECT_EQ(FolderState(temp_.Path()), before);

  ui_.Answer(TCall::Message, mrYes);
  const TZipSplitResult result = Run();
  ASSERT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(result.Archive.Outcome, TArchiveOutcome::Replaced);
  EXPECT_FALSE(FileExists(temp_ / "_a.exe"));
  EXPECT_EQ(ReadFile(temp_ / "_a.001").substr(0, 7), "MZ-stub");
  EXPECT_FALSE(FileExists(temp_ / "_a.zip"));
}

TEST_F(ZipSplitTest, ArchiveOfAnotherPasswordIsReplacedOnlyAfterYes) {
  if (!HaveTool("unzip")) GTEST_SKIP() << "unzip fehlt";
  TArchiveInput earlier;
  earlier.Items = {temp_ / "a.bin"};
  earlier.ArchivePath = temp_ / "_a.zip";
  earlier.StorePaths = false;
  ASSERT_EQ(WriteArchive(earlier).Outcome, TArchiveOutcome::Created);
  const std::string old = ReadFile(earlier.ArchivePath);
  input_.Zip.Encrypt = true;
  input_.Zip.Password = "Geheimnis-ä";
  input_.Zip.StorePaths = false;

  ui_.Answer(TCall::Message, mrNo);
  EXPECT_EQ(Run().Outcome, TOutcome::Cancelled);
  ASSERT_NE(ui_.Find("Anderes Passwort."), nullptr);
  EXPECT_EQ(ui_.Find("Anderes Passwort.")->Kind, TMsgKind::Warning);
  EXPECT_EQ(ReadFile(earlier.ArchivePath), old);

  ui_.Answer(TCall::Message, mrYes);
  input_.Split.SameDir = false;
  TTempFolder out;
  input_.Split.DestFolder = out.Path();
  const TZipSplitResult result = Run();
  ASSERT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_TRUE(result.ArchiveDeleted);
  std::string joined = out / "joined.zip";
  std::string command = "cat";
  for (int k = 1; k <= result.Split.PartsWritten; ++k)
    command += " " + Quote(out / ("_a." + FormatPartNumber(k)));
  ASSERT_EQ(Shell(command + " > " + Quote(joined)), 0);
  // Every entry opens with the one password, in its Windows-1252 bytes.
  int status = 0;
  ShellOutput("unzip -tqq -P $(printf 'Geheimnis-\\344') " + Quote(joined), &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ShellOutput("unzip -Z1 " + Quote(joined) + " | sort"), ".versteckt\na.bin\nb.txt\n");
}

}  // namespace
}  // namespace kardomel::testing
