// The join of a set against what the files beside it say: one table over
// the checksum files a set has and the faults a set suffers, asserting that
// the refusal names the part (or file) at fault, that no result is left and
// that nothing is deleted.
#include <gtest/gtest.h>

#include <cstdio>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kPart = 1000;
constexpr int64_t kSize = 3 * kPart + 500;  // parts 1000, 1000, 1000, 500

enum class TFiles { Descriptor, Sha256, Crc, Nothing };
enum class TFault { None, Flipped, Short, Missing, StaleDescriptor, ExtraPart };

const char* FilesName(TFiles files) {
  switch (files) {
    case TFiles::Descriptor: return "descriptor only";
    case TFiles::Sha256: return "descriptor and .sha256";
    case TFiles::Crc: return ".crc only";
    case TFiles::Nothing: return "no file beside the parts";
  }
  return "";
}

// What the set holds after the split: the files of Files, every other
// member removed.
void KeepOnly(const TTempFolder& set, TFiles files) {
  std::remove((set / "film.bat").c_str());
  if (files != TFiles::Sha256) std::remove((set / "film.sha256").c_str());
  if (files != TFiles::Crc) std::remove((set / "film.crc").c_str());
  if (files == TFiles::Crc || files == TFiles::Nothing) std::remove((set / "film.KDM").c_str());
}

void Apply(const TTempFolder& set, TFault fault) {
  switch (fault) {
    case TFault::None: break;
    case TFault::Flipped: {
      std::string part = ReadFile(set / "film.002");
      part[123] = static_cast<char>(part[123] ^ 0x20);
      WriteFile(set / "film.002", part);
      break;
    }
    case TFault::Short: {
      const std::string part = ReadFile(set / "film.002");
      WriteFile(set / "film.002", part.substr(0, part.size() - 1));
      break;
    }
    case TFault::Missing: std::remove((set / "film.002").c_str()); break;
    case TFault::StaleDescriptor:
      // From an earlier split of a longer file of the same name.
      WriteFile(set / "film.KDM", "mkv\r\n5\r\n" + std::to_string(kSize + kPart) + "\r\n");
      break;
    case TFault::ExtraPart:
      // Left over from that earlier split.
      WriteFile(set / "film.005", PatternBytes(kPart, 9));
      break;
  }
}

TEST(VerifiedJoinTest, RefusalsNameThePartAtFaultAndDeleteNothing) {
  // The text each cell's warning must contain; empty where the join goes
  // through (nothing beside the parts can show the fault).
  const struct {
    TFiles files;
    TFault fault;
    const char* named;
  } cases[] = {
      {TFiles::Descriptor, TFault::None, ""},
      {TFiles::Descriptor, TFault::Flipped, ""},
      {TFiles::Descriptor, TFault::Short, "Teildatei film.002 ist beschädigt."},
      {TFiles::Descriptor, TFault::Missing, "Teildatei film.002 fehlt."},
      {TFiles::Descriptor, TFault::StaleDescriptor, "film.004 ist beschädigt."},
      {TFiles::Descriptor, TFault::ExtraPart, ""},
      {TFiles::Sha256, TFault::None, ""},
      {TFiles::Sha256, TFault::Flipped, "Teildatei film.002 ist beschädigt."},
      {TFiles::Sha256, TFault::Short, "Teildatei film.002 ist beschädigt."},
      {TFiles::Sha256, TFault::Missing, "Teildatei film.002 fehlt."},
      {TFiles::Sha256, TFault::StaleDescriptor, "Die KDM-Datei film.KDM passt nicht"},
      {TFiles::Sha256, TFault::ExtraPart, ""},
      {TFiles::Crc, TFault::None, ""},
      {TFiles::Crc, TFault::Flipped, "Datei film.mkv ist beschädigt."},
      {TFiles::Crc, TFault::Short, "Teildatei film.002 ist beschädigt."},
      {TFiles::Crc, TFault::Missing, "Teildatei film.002 fehlt."},
      {TFiles::Crc, TFault::StaleDescriptor, "Die KDM-Datei film.KDM passt nicht"},
      {TFiles::Crc, TFault::ExtraPart, ""},
      {TFiles::Nothing, TFault::None, ""},
      {TFiles::Nothing, TFault::Flipped, ""},
      {TFiles::Nothing, TFault::Short, "Teildatei film.002 ist beschädigt."},
      {TFiles::Nothing, TFault::Missing, "Teildatei film.002 fehlt."},
      {TFiles::Nothing, TFault::StaleDescriptor, "film.004 ist beschädigt."},
      {TFiles::Nothing, TFault::ExtraPart, "Teildatei film.004 ist beschädigt."},
  };
  int row = 0;
  for (const auto& c : cases) {
    ++row;
    const std::string name = std::string(FilesName(c.files)) + ", fault " + std::to_string(row);
    TTempFolder src, set;
    const std::string content = PatternBytes(kSize, 5);
    WriteFile(src / "film.mkv", content);
    TScriptedInteraction splitUi;
    TSplitInput split = SplitInputFor(src / "film.mkv", kPart, set.Path());
    split.WriteChecksums = true;
    ASSERT_EQ(RunSplit(split, *TEnv::Default(), splitUi).Outcome, TOutcome::Done) << name;
    KeepOnly(set, c.files);
    Apply(set, c.fault);
    const std::vector<std::string> before = ListNames(set.Path());
    std::vector<std::string> bytesBefore;
    for (const std::string& file : before) bytesBefore.push_back(ReadFile(set / file));

    TFaultEnv env;
    TScriptedInteraction ui;
    TJoinInput input =
        JoinInputFor(env, ui, set / "film.001", c.files == TFiles::Nothing ? "mkv" : "");
    input.DeleteParts = true;
    TJoinResult result = RunJoin(input, env, ui);

    if (*c.named == '\0') {
      EXPECT_EQ(result.Outcome, TOutcome::Done) << name;
      std::string expected = content;
      if (c.fault == TFault::Flipped) expected[kPart + 123] ^= 0x20;
      EXPECT_EQ(ReadFile(set / "film.mkv"), expected) << name;
      // The parts of the set are gone; one that does not belong to it stays.
      EXPECT_FALSE(FileExists(set / "film.001")) << name;
      EXPECT_EQ(FileExists(set / "film.005"), c.fault == TFault::ExtraPart) << name;
      continue;
    }
    EXPECT_EQ(result.Outcome, TOutcome::Refused) << name;
    std::string warnings;
    for (const TRecord& record : ui.Records()) {
      if (record.Kind == TMsgKind::Warning) warnings += record.Instruction + "\n" + record.Content + "\n";
    }
    EXPECT_NE(warnings.find(c.named), std::string::npos) << name << ":\n" << warnings;
    EXPECT_NE(warnings.find("nichts gelöscht"), std::string::npos) << name;
    EXPECT_EQ(ListNames(set.Path()), before) << name;
    for (size_t i = 0; i < before.size() && i < bytesBefore.size(); ++i)
      EXPECT_EQ(ReadFile(set / before[i]), bytesBefore[i]) << name << " " << before[i];
    EXPECT_FALSE(ui.Busy()) << name;
  }
}

TEST(VerifiedJoinTest, CountedPartsWarnAndKeepASetThatMayGoOn) {
  // Without a file that gives the count, parts on a further disk cannot be
  // told from the end of the set: a last part as large as the others keeps
  // the parts, a shorter one lets them go.
  const struct {
    const char* name;
    int64_t size;
    bool deleted;
  } cases[] = {
      {"last part shorter", 2 * kPart + 1, true},
      {"last part full", 3 * kPart, false},
  };
  for (const auto& c : cases) {
    TTempFolder set;
    const int32_t count = WriteSet(set / "film.x", PatternBytes(c.size), kPart);
    TFaultEnv env;
    TScriptedInteraction ui;
    TJoinInput input = JoinInputFor(env, ui, set / "film.001", "mkv");
    input.DeleteParts = true;
    TJoinResult result = RunJoin(input, env, ui);
    EXPECT_EQ(result.Outcome, TOutcome::Done) << c.name;
    const TRecord* warning = ui.Find("Anzahl der Teile nicht geprüft.");
    ASSERT_NE(warning, nullptr) << c.name;
    EXPECT_EQ(warning->Kind, TMsgKind::Warning) << c.name;
    EXPECT_EQ(warning->Buttons, static_cast<unsigned>(mbOK)) << c.name;
    EXPECT_EQ(FileExists(PartPath(set / "film.x", count)), !c.deleted) << c.name;
    EXPECT_EQ(result.NotDeleted.empty(), c.deleted) << c.name;
  }
}

TEST(VerifiedJoinTest, APartFromTheNextDiskIsCheckedWhenItArrives) {
  TTempFolder src, set;
  const std::string content = PatternBytes(kSize, 3);
  WriteFile(src / "film.mkv", content);
  TScriptedInteraction splitUi;
  TSplitInput split = SplitInputFor(src / "film.mkv", kPart, set.Path());
  split.WriteChecksums = true;
  ASSERT_EQ(RunSplit(split, *TEnv::Default(), splitUi).Outcome, TOutcome::Done);
  const std::string part4 = ReadFile(set / "film.004");
  std::remove((set / "film.004").c_str());
  TFaultEnv env;
  TScriptedInteraction ui;
  TJoinInput input = JoinInputFor(env, ui, set / "film.001");
  // The next disk brings part 4 damaged.
  ui.Answer(TCall::Message, mrOk, [&] {
    std::string damaged = part4;
    damaged[7] ^= 1;
    WriteFile(set / "film.004", damaged);
  });
  input.DeleteParts = true;
  TJoinResult result = RunJoin(input, env, ui);
  EXPECT_EQ(result.Outcome, TOutcome::Refused);
  ASSERT_NE(ui.Find("Teildatei film.004 ist beschädigt."), nullptr);
  EXPECT_FALSE(FileExists(set / "film.mkv"));
  EXPECT_TRUE(FileExists(set / "film.001"));
}

TEST(VerifiedJoinTest, AFileNamedLikeAMemberIsRebuiltAndKept) {
  // install.sh split without shell script, notes.crc without checksums:
  // the rebuilt file carries a member's name and must survive --delete.
  for (const char* name : {"install.sh", "notes.crc", "list.sha256"}) {
    TTempFolder set;
    const std::string content = PatternBytes(2500, 6);
    WriteFile(set / name, content);
    TScriptedInteraction splitUi;
    ASSERT_EQ(RunSplit(SplitInputFor(set / name, 1000), *TEnv::Default(), splitUi).Outcome,
              TOutcome::Done)
        << name;
    std::remove((set / name).c_str());
    TFaultEnv env;
    TScriptedInteraction ui;
    TJoinInput input = JoinInputFor(env, ui, PartPath(set / name, 1));
    input.DeleteParts = true;
    EXPECT_EQ(RunJoin(input, env, ui).Outcome, TOutcome::Done) << name;
    EXPECT_EQ(ReadFile(set / name), content) << name;
    EXPECT_EQ(ListNames(set.Path()), std::vector<std::string>{name}) << name;
  }
}

TEST(VerifiedJoinTest, TheSha256NamesTheFileOfASetWithoutDescriptor) {
  TTempFolder src, set;
  const std::string content = PatternBytes(2500, 6);
  WriteFile(src / "clip.webm", content);
  TScriptedInteraction splitUi;
  TSplitInput split = SplitInputFor(src / "clip.webm", 1000, set.Path());
  split.WriteChecksums = true;
  split.WriteDescriptor = false;
  ASSERT_EQ(RunSplit(split, *TEnv::Default(), splitUi).Outcome, TOutcome::Done);
  std::remove((set / "clip.crc").c_str());
  TFaultEnv env;
  TScriptedInteraction ui;
  EXPECT_EQ(RunJoin(JoinInputFor(env, ui, set / "clip.002"), env, ui).Outcome, TOutcome::Done);
  EXPECT_EQ(ReadFile(set / "clip.webm"), content);
  EXPECT_EQ(ui.Find("Anzahl der Teile nicht geprüft."), nullptr);
}

}  // namespace
}  // namespace kardomel::testing
