// The split when the destination runs short of space (another folder, a disk
// change on a removable medium) and when a copy or a create fails.
#include <gtest/gtest.h>

#include <filesystem>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kPart = 10000;

class SplitMediaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = src / "film.mkv";
    WriteFile(source, PatternBytes(5 * kPart - 10));
  }
  TSplitResult Run(const std::string& dest) {
    return RunSplit(SplitInputFor(source, kPart, dest), env, ui);
  }
  std::string Base(const TTempFolder& folder) const { return folder / "film.mkv"; }

  TTempFolder src, dst, other;
  std::string source;
  TFaultEnv env;
  TScriptedInteraction ui;
};

TEST_F(SplitMediaTest, GivingUpAfterPartThreeKeepsWhatWasWritten) {
  env.SetCapacity(dst.Path(), 3 * kPart + 100);
  ui.Answer(TCall::Message, mrNo);
  TSplitResult result = Run(dst.Path());

  EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
  EXPECT_EQ(result.PartsWritten, 3);
  EXPECT_EQ(ListNames(dst.Path()),
            (std::vector<std::string>{"film.001", "film.002", "film.003", "film.KDM"}));
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Hinweis!"});
  const TRecord& question = ui.Records()[0];
  EXPECT_EQ(question.Kind, TMsgKind::Confirmation);
  EXPECT_EQ(question.Buttons, unsigned(mbYes | mbNo));
  EXPECT_EQ(question.Content, "Sie können keine weiteren Teildateien nach " + dst.Path() +
                                  " splitten.\rMöchten Sie den Zielordner wechseln?");
  EXPECT_FALSE(ui.Busy());
}

TEST_F(SplitMediaTest, AnotherFolderReceivesThatPartTheLaterOnesAndTheScript) {
  env.SetCapacity(dst.Path(), 2 * kPart + 100);
  // Escape and a cancelled browser only lead to the next pass.
  ui.Answer(TCall::Message, mrCancel);
  ui.AnswerBrowse(std::nullopt);
  ui.Answer(TCall::Message, mrYes);
  ui.AnswerBrowse(other.Path());
  TSplitResult result = Run(dst.Path());

  EXPECT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(result.BasePath, Base(other));
  EXPECT_EQ(ui.LastBrowsePreset(), "");
  EXPECT_EQ(ListNames(dst.Path()), (std::vector<std::string>{"film.001", "film.002", "film.KDM"}));
  EXPECT_EQ(ListNames(other.Path()),
            (std::vector<std::string>{"film.003", "film.004", "film.005", "film.bat"}));
  EXPECT_EQ(JoinedParts(Base(dst), 2) + ReadFile(other / "film.003") + ReadFile(other / "film.004") +
                ReadFile(other / "film.005"),
            ReadFile(source));
  ASSERT_NE(ui.Find("Datei wurde geteilt."), nullptr);
  EXPECT_EQ(ui.Find("Datei wurde geteilt.")->Content,
            source + " wurde im Ordner\r" + other.Path() + "\rin 5 Teile geteilt.");
  EXPECT_EQ(ui.Unused(), 0u);
}

TEST_F(SplitMediaTest, ChangeBeforeTheFirstPartTakesTheDescriptorAlong) {
  env.SetFreeSpace(dst.Path(), -1);  // a medium that cannot be measured
  ui.Answer(TCall::Message, mrYes);
  ui.AnswerBrowse(other.Path());
  EXPECT_EQ(Run(dst.Path()).Outcome, TOutcome::Done);
  EXPECT_TRUE(ListNames(dst.Path()).empty());
  EXPECT_EQ(ReadFile(other / "film.KDM"), "mkv\r\n5\r\n49990\r\n");
}

// Moves everything in Drive to Shelf and puts the content of Next into Drive.
void ChangeDisk(const std::string& drive, const std::string& shelf, const std::string& next) {
  for (const std::string& name : ListNames(drive))
    std::filesystem::rename(drive + name, shelf + name);
  for (const std::string& name : ListNames(next))
    std::filesystem::rename(next + name, drive + name);
}

TEST_F(SplitMediaTest, DiskChangeOnARemovableDrive) {
  TTempFolder shelf, nextDisk;
  env.SetRemovable(dst.Path());
  env.SetCapacity(dst.Path(), 2 * kPart + 100);
  // The next disk holds an old part of the same name and a note.
  WriteFile(nextDisk / "film.001", PatternBytes(kPart, 9));
  WriteFile(nextDisk / "note.txt", "x");
  // Disk 1 is full after two parts: "&Nein", then OK with disk 2 inserted;
  // disk 2 is too full, "&Ja" clears it, sparing nothing of this run on it.
  ui.Answer(TCall::DeleteFiles, 0);
  ui.Answer(TCall::Message, mrOk, [&] { ChangeDisk(dst.Path(), shelf.Path(), nextDisk.Path()); });
  ui.Answer(TCall::DeleteFiles, 1);
  // Disk 2 full after parts 3 and 4: disk 3 is empty.
  ui.Answer(TCall::DeleteFiles, 0);
  ui.Answer(TCall::Message, mrOk, [&] { ChangeDisk(dst.Path(), nextDisk.Path(), other.Path()); });
  TSplitResult result = Run(dst.Path());

  EXPECT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(ui.Unused(), 0u);
  EXPECT_EQ(ListNames(shelf.Path()), (std::vector<std::string>{"film.001", "film.002", "film.KDM"}));
  EXPECT_EQ(ListNames(nextDisk.Path()), (std::vector<std::string>{"film.003", "film.004"}));
  EXPECT_EQ(ListNames(dst.Path()), (std::vector<std::string>{"film.005", "film.bat"}));
  EXPECT_EQ(ReadFile(shelf / "film.001") + ReadFile(shelf / "film.002") +
                ReadFile(nextDisk / "film.003") + ReadFile(nextDisk / "film.004") +
                ReadFile(dst / "film.005"),
            ReadFile(source));
  const TRecord* next = ui.Find("Eingabe erwartet.");
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->Content, "Bitte legen Sie den nächsten Datenträger ein.");
  EXPECT_EQ(next->Buttons, unsigned(mbOK | mbCancel));
}

TEST_F(SplitMediaTest, DeletingOnTheSameDiskSparesTheSourceAndThisRun) {
  // The source lies on the removable medium itself, beside a stale file.
  env.SetRemovable(src.Path());
  env.SetCapacity(src.Path(), FileSize(source) + 2 * kPart + 5000);
  WriteFile(src / "stale.bin", PatternBytes(4000));
  std::filesystem::create_directory(src / "sub");
  WriteFile(src / "sub/deep.txt", "deep");
  ui.Answer(TCall::DeleteFiles, 1);  // frees only the stale file: still too little
  ui.Answer(TCall::DeleteFiles, 0);
  ui.Answer(TCall::Message, mrCancel);
  TSplitResult result = Run("");

  EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
  EXPECT_EQ(ListNames(src.Path()),
            (std::vector<std::string>{"film.001", "film.002", "film.KDM", "film.mkv"}));
  EXPECT_EQ(ReadFile(source), PatternBytes(5 * kPart - 10));
  EXPECT_EQ(ui.Find("Datei wurde geteilt."), nullptr);
}

TEST_F(SplitMediaTest, FailedCopyEndsWithAnErrorAndRemovesTheIncompletePart) {
  const int64_t part = 300000;  // more than one copy block per part
  const struct {
    const char* name;
    std::function<void(TFaultEnv&, const std::string& dest, const std::string& source)> fault;
  } cases[] = {
      {"short write in part 2",
       [](TFaultEnv& e, const std::string& d, const std::string&) { e.ShortWriteAt(d + "big.002", 1000); }},
      {"read error at block 3",
       [](TFaultEnv& e, const std::string&, const std::string& s) { e.ReadErrorAt(s, 3); }},
      {"part 2 cannot be opened",
       [](TFaultEnv& e, const std::string& d, const std::string&) { e.FailOpen(d + "big.002"); }},
      {"part 2 is a folder",
       [](TFaultEnv&, const std::string& d, const std::string&) {
         std::filesystem::create_directory(d + "big.002");
       }},
  };
  for (const auto& c : cases) {
    TTempFolder folder, dest;
    const std::string big = folder / "big.iso";
    WriteFile(big, PatternBytes(3 * part));
    TFaultEnv faulty;
    c.fault(faulty, dest.Path(), big);
    TScriptedInteraction local;
    EXPECT_THROW(RunSplit(SplitInputFor(big, part, dest.Path()), faulty, local), EKardomel)
        << c.name;
    EXPECT_EQ(local.Find("Datei wurde geteilt."), nullptr) << c.name;
    EXPECT_FALSE(local.Busy()) << c.name;
    EXPECT_EQ(FileSize(dest / "big.001"), part) << c.name;
    EXPECT_FALSE(FileExists(dest / "big.003")) << c.name;
    EXPECT_FALSE(FileExists(dest / "big.bat")) << c.name;
    if (std::string(c.name) != "part 2 is a folder") {
      EXPECT_FALSE(FileExists(dest / "big.002")) << c.name;
    }
    EXPECT_EQ(ReadFile(big), PatternBytes(3 * part)) << c.name;
  }
}

}  // namespace
}  // namespace kardomel::testing
