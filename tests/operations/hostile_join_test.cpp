// The join of sets that arrive prepared to do harm, or just unlucky: an
// extension that is a path or hides a NUL, links and second names at the
// destination, a pipe among the parts, an existing file and a part missing.
// Whatever the set holds, no file outside the destination is touched, an
// existing file is replaced only by a complete one, and a refusal writes and
// deletes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kPart = 1000;

struct TPlaces {
  std::string Set;      // the set's folder, also the destination
  std::string Outside;  // a folder beside it with the user's other files
};

bool IsRegular(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1;
}

// Names of temporary files (hidden ones) in Folder.
std::vector<std::string> Hidden(const std::string& folder) {
  std::vector<std::string> hidden;
  for (const std::string& name : ListNames(folder))
    if (name[0] == '.') hidden.push_back(name);
  return hidden;
}

TEST(HostileJoin, NeverWritesOutsideNorLosesWhatTheUserHad) {
  const struct {
    const char* name;
    std::string ext;  // line 1 of the descriptor file
    std::function<void(const TPlaces&)> prepare;
    bool overwrite;        // the overwrite question comes and is answered yes
    bool waitCancelled;    // a part is waited for and the wait cancelled
    TOutcome outcome;
    const char* message;   // the last message shown
  } cases[] = {
      {"NUL in the extension", std::string("bat\0", 4), {}, false, false, TOutcome::Refused,
       "Ungültige Dateiendung."},
      {"slash climbing out", "x/../../outside/escape",
       [](const TPlaces& at) { ASSERT_EQ(::mkdir((at.Set + "r.x").c_str(), 0700), 0); }, false,
       false, TOutcome::Refused, "Ungültige Dateiendung."},
      {"dots only", "..", {}, false, false, TOutcome::Refused, "Ungültige Dateiendung."},
      {"control character", "a\tb", {}, false, false, TOutcome::Refused,
       "Ungültige Dateiendung."},
      {"link at the destination", "doc",
       [](const TPlaces& at) {
         ASSERT_EQ(::symlink((at.Outside + "victim").c_str(), (at.Set + "r.doc").c_str()), 0);
       },
       true, false, TOutcome::Done, "Teildateien zusammengesetzt."},
      {"dangling link at the destination", "doc",
       [](const TPlaces& at) {
         ASSERT_EQ(::symlink((at.Outside + "new").c_str(), (at.Set + "r.doc").c_str()), 0);
       },
       true, false, TOutcome::Done, "Teildateien zusammengesetzt."},
      {"second name of another file at the destination", "doc",
       [](const TPlaces& at) {
         ASSERT_EQ(::link((at.Outside + "victim").c_str(), (at.Set + "r.doc").c_str()), 0);
       },
       true, false, TOutcome::Done, "Teildateien zusammengesetzt."},
      {"pipe as a part", "doc",
       [](const TPlaces& at) {
         ASSERT_EQ(::unlink((at.Set + "r.002").c_str()), 0);
         ASSERT_EQ(::mkfifo((at.Set + "r.002").c_str(), 0600), 0);
       },
       false, false, TOutcome::Refused, "Keine gewöhnliche Datei."},
      {"existing file and a part missing", "doc",
       [](const TPlaces& at) {
         WriteFile(at.Set + "r.doc", "the user's old file");
         ASSERT_EQ(::unlink((at.Set + "r.003").c_str()), 0);
       },
       true, true, TOutcome::Cancelled, "Kardomel wartet."},
  };
  const std::string content = PatternBytes(3 * kPart);
  for (const auto& c : cases) {
    TTempFolder holder;
    const TPlaces at{holder / "set/", holder / "outside/"};
    ASSERT_EQ(::mkdir(at.Set.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(at.Outside.c_str(), 0700), 0);
    WriteFile(at.Outside + "victim", "someone else's file");
    WriteSet(at.Set + "r.x", content, kPart);
    WriteFile(at.Set + "r.KDM", c.ext + "\r\n3\r\n3000\r\n");
    WriteFile(at.Set + "r.bat", "echo off\r\n");
    if (c.prepare) c.prepare(at);
    const auto setBefore = ListNames(at.Set);
    const std::string oldFile = ReadFile(at.Set + "r.doc");

    TScriptedInteraction ui;
    if (c.overwrite) ui.Answer(TCall::Overwrite, mrOverwrite);
    if (c.waitCancelled) ui.Answer(TCall::Message, mrCancel);
    TJoinInput input = JoinInputFor(*TEnv::Default(), ui, at.Set + "r.KDM");
    input.DeleteParts = true;
    TJoinResult result = RunJoin(input, *TEnv::Default(), ui);

    EXPECT_EQ(result.Outcome, c.outcome) << c.name;
    ASSERT_FALSE(ui.Instructions().empty()) << c.name;
    EXPECT_EQ(ui.Instructions().back(), c.message) << c.name;
    EXPECT_EQ(ui.Unused(), 0u) << c.name;
    EXPECT_FALSE(ui.Busy()) << c.name;
    EXPECT_EQ(ListNames(at.Outside), std::vector<std::string>{"victim"}) << c.name;
    EXPECT_EQ(ReadFile(at.Outside + "victim"), "someone else's file") << c.name;
    EXPECT_EQ(ListNames(holder.Path()), (std::vector<std::string>{"outside", "set"})) << c.name;
    EXPECT_TRUE(Hidden(at.Set).empty()) << c.name;
    if (c.outcome == TOutcome::Done) {
      EXPECT_TRUE(IsRegular(at.Set + "r.doc")) << c.name;
      EXPECT_EQ(ReadFile(at.Set + "r.doc"), content) << c.name;
      EXPECT_EQ(ListNames(at.Set), std::vector<std::string>{"r.doc"}) << c.name;
    } else {
      EXPECT_EQ(ListNames(at.Set), setBefore) << c.name;
      EXPECT_EQ(ReadFile(at.Set + "r.doc"), oldFile) << c.name;
      EXPECT_EQ(ReadFile(at.Set + "r.001"), content.substr(0, kPart)) << c.name;
      EXPECT_EQ(ReadFile(at.Set + "r.bat"), "echo off\r\n") << c.name;
    }
  }
}

}  // namespace
}  // namespace kardomel::testing
