// The join against the worst the system does to it: the process killed in
// the middle of a part, and a second join of the same set running at the
// same time. Each join runs in a child process that stops at the start of
// its second part until the test lets it go on or kills it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kPart = 300000;

// Answers like the scripted interaction and, at the start of part 2, tells
// the test through Ready and waits for a byte on Go.
class TStoppingInteraction : public TScriptedInteraction {
 public:
  TStoppingInteraction(int ready, int go) : ready_(ready), go_(go) {}
  void Progress(const TProgress& progress) override {
    if (progress.Part != 2 || stopped_) return;
    stopped_ = true;
    char byte = 'r';
    if (::write(ready_, &byte, 1) != 1 || ::read(go_, &byte, 1) != 1) ::_exit(90);
  }

 private:
  int ready_, go_;
  bool stopped_ = false;
};

// A join of Member in a child process, stopped at the start of part 2.
class TStoppedJoin {
 public:
  // Overwrite: the answer to the overwrite question; CancelWait: cancel
  // when a part is missing.
  TStoppedJoin(const std::string& member, bool deleteParts, bool overwrite, bool cancelWait) {
    int ready[2], go[2];
    if (::pipe(ready) != 0 || ::pipe(go) != 0) ADD_FAILURE() << "pipe";
    pid_ = ::fork();
    if (pid_ == 0) {
      TStoppingInteraction ui(ready[1], go[0]);
      if (overwrite) ui.Answer(TCall::Overwrite, mrOverwrite);
      if (cancelWait) ui.Answer(TCall::Message, mrCancel);
      int code = 1;
      try {
        TJoinInput input = JoinInputFor(*TEnv::Default(), ui, member);
        input.DeleteParts = deleteParts;
        code = 10 + static_cast<int>(RunJoin(input, *TEnv::Default(), ui).Outcome);
      } catch (...) {
      }
      ::_exit(code);
    }
    ::close(ready[1]);
    ::close(go[0]);
    ready_ = ready[0];
    go_ = go[1];
    char byte;
    stopped_ = ::read(ready_, &byte, 1) == 1;
  }
  ~TStoppedJoin() {
    if (pid_ > 0 && !waited_) Kill();
    ::close(ready_);
    ::close(go_);
  }
  bool Stopped() const { return stopped_; }
  // Lets the join go on; returns its exit code (10 + outcome, 1 for an error).
  int Finish() {
    char byte = 'g';
    if (::write(go_, &byte, 1) != 1) return -1;
    return Wait();
  }
  void Kill() {
    ::kill(pid_, SIGKILL);
    Wait();
  }

 private:
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  pid_t pid_ = -1;
  int ready_ = -1, go_ = -1;
  bool stopped_ = false, waited_ = false;
};

constexpr int kCancelled = 10 + static_cast<int>(TOutcome::Cancelled);

class JoinRaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    content = PatternBytes(3 * kPart);
    WriteSet(set / "g1.x", content, kPart);
    WriteFile(set / "g1.KDM", "bin\r\n3\r\n" + std::to_string(3 * kPart) + "\r\n");
  }
  std::vector<std::string> Hidden() const {
    std::vector<std::string> hidden;
    for (const std::string& name : ListNames(set.Path()))
      if (name[0] == '.') hidden.push_back(name);
    return hidden;
  }
  TTempFolder set;
  std::string content;
};

TEST_F(JoinRaceTest, AKilledJoinLeavesTheFileAbsentOrOldAndTheNextJoinTidiesUp) {
  for (bool existing : {false, true}) {
    if (existing) WriteFile(set / "g1.bin", "the old g1.bin");
    {
      TStoppedJoin killed(set / "g1.KDM", /*deleteParts=*/true, /*overwrite=*/existing, false);
      ASSERT_TRUE(killed.Stopped()) << existing;
      killed.Kill();
    }
    if (existing)
      EXPECT_EQ(ReadFile(set / "g1.bin"), "the old g1.bin");
    else
      EXPECT_FALSE(FileExists(set / "g1.bin"));
    EXPECT_EQ(Hidden().size(), 1u) << existing;  // what the killed run was writing
    EXPECT_EQ(JoinedParts(set / "g1.x", 3), content) << existing;

    TScriptedInteraction ui;
    if (existing) ui.Answer(TCall::Overwrite, mrOverwrite);
    EXPECT_EQ(RunJoin(JoinInputFor(*TEnv::Default(), ui, set / "g1.KDM"), *TEnv::Default(), ui)
                  .Outcome,
              TOutcome::Done)
        << existing;
    EXPECT_EQ(ReadFile(set / "g1.bin"), content) << existing;
    EXPECT_TRUE(Hidden().empty()) << existing;
  }
}

TEST_F(JoinRaceTest, ASecondJoinThatFinishesFirstIsNeitherDestroyedNorLeftWithoutParts) {
  // The first join deletes the parts at its end; the second, started while
  // it copies, finishes first.
  TStoppedJoin first(set / "g1.KDM", /*deleteParts=*/true, /*overwrite=*/false, false);
  ASSERT_TRUE(first.Stopped());
  TScriptedInteraction ui;
  EXPECT_EQ(RunJoin(JoinInputFor(*TEnv::Default(), ui, set / "g1.KDM"), *TEnv::Default(), ui)
                .Outcome,
            TOutcome::Done);
  EXPECT_EQ(ReadFile(set / "g1.bin"), content);
  EXPECT_EQ(Hidden().size(), 1u);  // the first join's file, in use, was left alone

  // It did not see the file when it started, so it does not replace it now:
  // it fails, and keeps the parts.
  EXPECT_EQ(first.Finish(), 1);
  EXPECT_EQ(ReadFile(set / "g1.bin"), content);
  EXPECT_EQ(JoinedParts(set / "g1.x", 3), content);
  EXPECT_TRUE(Hidden().empty());
}

TEST_F(JoinRaceTest, AJoinThatLosesItsPartsToAnotherLeavesTheOthersFileAlone) {
  TStoppedJoin slow(set / "g1.KDM", /*deleteParts=*/false, /*overwrite=*/false,
                    /*cancelWait=*/true);
  ASSERT_TRUE(slow.Stopped());
  TScriptedInteraction ui;
  TJoinInput input = JoinInputFor(*TEnv::Default(), ui, set / "g1.KDM");
  input.DeleteParts = true;
  EXPECT_EQ(RunJoin(input, *TEnv::Default(), ui).Outcome, TOutcome::Done);
  EXPECT_EQ(ui.Find("Teildateien zusammengesetzt.")->Content,
            set / "g1.bin wurde zusammengesetzt.\rDie Teildateien wurden gelöscht.");

  // Part 3 is gone: the slow join waits for it, is cancelled, and leaves.
  EXPECT_EQ(slow.Finish(), kCancelled);
  EXPECT_EQ(ReadFile(set / "g1.bin"), content);
  EXPECT_EQ(ListNames(set.Path()), std::vector<std::string>{"g1.bin"});
}

}  // namespace
}  // namespace kardomel::testing
