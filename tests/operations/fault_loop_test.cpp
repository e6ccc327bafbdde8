// A small split and a small join run again and again, the N-th write (and,
// separately, the N-th open) failing, for every N until the command gets
// through: each time nothing the user had is lost, no success is reported,
// and the error names the file it failed on.
#include <gtest/gtest.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

// Two blocks of the copy per full part, so that a part can fail halfway.
constexpr int64_t kPart = 300000;
constexpr int64_t kSize = 2 * kPart + 100000;

enum class TFault { Write, Open };

const char* NameOf(TFault fault) { return fault == TFault::Write ? "write" : "open"; }

void Inject(TFaultEnv& env, TFault fault, int n) {
  if (fault == TFault::Write)
    env.FailNthWrite(n);
  else
    env.FailNthOpen(n);
}

std::vector<std::string> Hidden(const std::string& folder) {
  std::vector<std::string> hidden;
  for (const std::string& name : ListNames(folder))
    if (name[0] == '.') hidden.push_back(name);
  return hidden;
}

TEST(FaultLoop, SplitLosesNothingAndClaimsNothingUntilItGetsThrough) {
  const std::string content = PatternBytes(kSize);
  for (TFault fault : {TFault::Write, TFault::Open}) {
    int n = 1;
    for (;; ++n) {
      ASSERT_LT(n, 100) << NameOf(fault) << ": never got through";
      TTempFolder folder;
      const std::string source = folder / "film.bin";
      WriteFile(source, content);
      WriteFile(folder / "keep.txt", "the user's other file");
      TFaultEnv env;
      Inject(env, fault, n);
      TScriptedInteraction ui;
      bool failed = false;
      try {
        EXPECT_EQ(RunSplit(SplitInputFor(source, kPart), env, ui).Outcome, TOutcome::Done);
      } catch (const EKardomel& error) {
        failed = true;
        EXPECT_NE(std::string(error.what()).find(folder.Path()), std::string::npos)
            << NameOf(fault) << " " << n << ": " << error.what();
      }
      const std::string at = std::string(NameOf(fault)) + " " + std::to_string(n);
      EXPECT_EQ(ReadFile(source), content) << at;
      EXPECT_EQ(ReadFile(folder / "keep.txt"), "the user's other file") << at;
      EXPECT_FALSE(ui.Busy()) << at;
      if (!failed) {
        EXPECT_EQ(JoinedParts(source, 3), content) << at;
        EXPECT_EQ(ReadFile(folder / "film.KDM"), "bin\r\n3\r\n" + std::to_string(kSize) + "\r\n");
        break;
      }
      EXPECT_EQ(ui.Find("Datei wurde geteilt."), nullptr) << at;
      // What is there is whole: a part or descriptor cut short would mislead a join.
      for (int32_t k = 1; k <= 3; ++k) {
        if (FileExists(PartPath(source, k))) {
          EXPECT_EQ(ReadFile(PartPath(source, k)), content.substr((k - 1) * kPart, kPart))
              << at << " part " << k;
        }
      }
      if (FileExists(folder / "film.KDM")) {
        EXPECT_EQ(ReadFile(folder / "film.KDM"), "bin\r\n3\r\n" + std::to_string(kSize) + "\r\n")
            << at;
      }
    }
    EXPECT_GT(n, 4) << NameOf(fault);  // the loop did reach the faults
    RecordProperty(std::string("runs_") + NameOf(fault), n);
  }
}

TEST(FaultLoop, JoinLosesNothingAndClaimsNothingUntilItGetsThrough) {
  const std::string content = PatternBytes(kSize);
  for (TFault fault : {TFault::Write, TFault::Open}) {
    int n = 1;
    for (;; ++n) {
      ASSERT_LT(n, 100) << NameOf(fault) << ": never got through";
      TTempFolder set;
      WriteSet(set / "film.x", content, kPart);
      WriteFile(set / "film.KDM", "bin\r\n3\r\n" + std::to_string(kSize) + "\r\n");
      WriteFile(set / "film.bat", "echo off\r\n");
      WriteFile(set / "film.bin", "the old film.bin");
      const auto before = ListNames(set.Path());
      TFaultEnv env;
      Inject(env, fault, n);
      TScriptedInteraction ui;
      ui.Answer(TCall::Overwrite, mrOverwrite);
      TOutcome outcome = TOutcome::Done;
      bool failed = false;
      try {
        TJoinInput input = JoinInputFor(env, ui, set / "film.KDM");
        input.DeleteParts = true;
        outcome = RunJoin(input, env, ui).Outcome;
      } catch (const EKardomel& error) {
        failed = true;
        EXPECT_NE(std::string(error.what()).find(set.Path()), std::string::npos)
            << NameOf(fault) << " " << n << ": " << error.what();
      }
      const std::string at = std::string(NameOf(fault)) + " " + std::to_string(n);
      EXPECT_TRUE(Hidden(set.Path()).empty()) << at;
      EXPECT_FALSE(ui.Busy()) << at;
      if (!failed && outcome == TOutcome::Done) {
        EXPECT_EQ(ReadFile(set / "film.bin"), content) << at;
        EXPECT_EQ(ListNames(set.Path()), std::vector<std::string>{"film.bin"}) << at;
        break;
      }
      // An open of the descriptor that fails leaves the extension unknown:
      // a refusal, not an error.
      EXPECT_EQ(ui.Find("Teildateien zusammengesetzt."), nullptr) << at;
      EXPECT_EQ(ListNames(set.Path()), before) << at;
      EXPECT_EQ(ReadFile(set / "film.bin"), "the old film.bin") << at;
      EXPECT_EQ(JoinedParts(set / "film.x", 3), content) << at;
    }
    EXPECT_GT(n, 4) << NameOf(fault);
    RecordProperty(std::string("runs_") + NameOf(fault), n);
  }
}

}  // namespace
}  // namespace kardomel::testing
