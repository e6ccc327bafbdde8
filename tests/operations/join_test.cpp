// The join on the real file system: which set it reads, where it writes,
// its questions, its failures and the deletion of the set afterwards.
#include <gtest/gtest.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

constexpr int64_t kPart = 1000;

class JoinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    content = PatternBytes(4 * kPart + 321);
    WriteSet(base, content, kPart);
    WriteFile(set / "report.KDM", "doc\r\n5\r\n" + std::to_string(content.size()) + "\r\n");
    WriteFile(set / "report.bat", "echo off\r\n");
  }
  TJoinInput Input(const std::string& selected, const std::string& ext = "") {
    return JoinInputFor(env, ui, set / selected, ext);
  }
  TJoinResult Run(const TJoinInput& input) { return RunJoin(input, env, ui); }
  // The set as it lies, so that a test can tell it was not touched.
  std::vector<std::string> SetFiles() const { return ListNames(set.Path()); }

  TTempFolder set, dst, other;
  std::string base = set / "report.x";
  std::string content;
  TFaultEnv env;
  TScriptedInteraction ui;
};

TEST_F(JoinTest, ByAnyPartOrTheDescriptorRebuildsTheSameFile) {
  for (const char* selected : {"report.001", "report.003", "report.KDM", "report.kdm"}) {
    TScriptedInteraction local;
    TJoinInput input = JoinInputFor(env, local, set / selected);
    input.SameDir = false;
    input.DestFolder = dst.Path();
    TJoinResult result = RunJoin(input, env, local);
    EXPECT_EQ(result.Outcome, TOutcome::Done) << selected;
    EXPECT_EQ(result.DestPath, dst / "report.doc") << selected;
    EXPECT_EQ(ReadFile(dst / "report.doc"), content) << selected;
    ASSERT_NE(local.Find("Teildateien zusammengesetzt."), nullptr) << selected;
    EXPECT_EQ(local.Find("Teildateien zusammengesetzt.")->Content,
              dst / "report.doc wurde zusammengesetzt.")
        << selected;
    EXPECT_FALSE(local.Busy()) << selected;
    std::remove((dst / "report.doc").c_str());
  }
  EXPECT_EQ(SetFiles().size(), 7u);
}

TEST_F(JoinTest, TypedExtensionGetsTheDotInserted) {
  std::remove((set / "report.KDM").c_str());
  const struct {
    const char* typed;
    const char* dest;
  } cases[] = {{"txt", "report.txt"}, {".txt", "report..txt"}};
  for (const auto& c : cases) {
    TScriptedInteraction local;
    TJoinInput input = JoinInputFor(env, local, set / "report.002", c.typed);
    EXPECT_EQ(local.Instructions(), std::vector<std::string>{"Dateiendung unbekannt."}) << c.typed;
    EXPECT_EQ(input.PartCount, 5) << c.typed;
    EXPECT_EQ(RunJoin(input, env, local).Outcome, TOutcome::Done) << c.typed;
    EXPECT_EQ(ReadFile(set / c.dest), content) << c.typed;
  }
  TJoinInput missing = JoinInputFor(env, ui, set / "report.002", "");
  TJoinResult result = Run(missing);
  EXPECT_EQ(result.Outcome, TOutcome::Refused);
  EXPECT_EQ(result.Focus, TField::Extension);
  EXPECT_NE(ui.Find("Dateiendung fehlt."), nullptr);
}

TEST_F(JoinTest, ZeroPartsGiveAnEmptyFile) {
  WriteFile(set / "report.KDM", "doc\r\n0\r\n0\r\n");
  EXPECT_EQ(Run(Input("report.KDM")).Outcome, TOutcome::Done);
  EXPECT_EQ(FileSize(set / "report.doc"), 0);
  EXPECT_NE(ui.Find("Teildateien zusammengesetzt."), nullptr);
}

TEST_F(JoinTest, DeletingAfterSuccessTakesTheSetWhateverItsCaseAndNothingElse) {
  // The descriptor says three parts: parts 4 and 5 are neither read nor deleted.
  std::remove((set / "report.KDM").c_str());
  std::remove((set / "report.bat").c_str());
  WriteFile(set / "report.kdm", "doc\r\n3\r\n3000\r\n");
  WriteFile(set / "report.BAT", "echo off\r\n");
  WriteFile(set / "other.001", "o");
  TJoinInput input = Input("report.002");
  input.DeleteParts = true;
  EXPECT_EQ(Run(input).Outcome, TOutcome::Done);
  EXPECT_EQ(ReadFile(set / "report.doc"), content.substr(0, 3 * kPart));
  EXPECT_EQ(SetFiles(),
            (std::vector<std::string>{"other.001", "report.004", "report.005", "report.doc"}));
  EXPECT_EQ(ui.Find("Teildateien zusammengesetzt.")->Content,
            set / "report.doc wurde zusammengesetzt.\rDie Teildateien wurden gelöscht.");
}

TEST_F(JoinTest, ExistingDestinationIsOverwrittenOrKept) {
  // The old file stays until the new one is complete, so the new one needs
  // its full size besides it: one byte less brings the space question, and
  // cancelling it leaves the old file whole.
  const std::string old = PatternBytes(20000, 3);
  WriteFile(set / "report.doc", old);
  const int64_t setBytes = 4 * kPart + 321 + FileSize(set / "report.KDM") +
                           FileSize(set / "report.bat");
  env.SetCapacity(set.Path(), 20000 + setBytes + 4 * kPart + 320);
  ui.Answer(TCall::Overwrite, mrOverwrite);
  ui.Answer(TCall::Message, mrCancel);
  EXPECT_EQ(Run(Input("report.001")).Outcome, TOutcome::Cancelled);
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Nachfrage."});
  EXPECT_EQ(ReadFile(set / "report.doc"), old);

  env.SetCapacity(set.Path(), 20000 + setBytes + 4 * kPart + 321);
  ui.Answer(TCall::Overwrite, mrOverwrite);
  EXPECT_EQ(Run(Input("report.001")).Outcome, TOutcome::Done);
  EXPECT_EQ(ReadFile(set / "report.doc"), content);
  EXPECT_EQ(SetFiles().size(), 8u);  // no temporary file is left

  for (int answer : {int(mrKeep), int(mrCancel)}) {
    TScriptedInteraction local;
    local.Answer(TCall::Overwrite, answer);
    TJoinResult result = RunJoin(JoinInputFor(env, local, set / "report.001"), env, local);
    EXPECT_EQ(result.Outcome, TOutcome::Cancelled) << answer;
    const TRecord* note = local.Find("Hinweis.");
    ASSERT_NE(note, nullptr) << answer;
    EXPECT_EQ(note->Content, "Die Datei " + set / "report.doc" + " wurde nicht zusammengesetzt.");
    EXPECT_FALSE(note->Busy) << answer;
    EXPECT_EQ(ReadFile(set / "report.doc"), content) << answer;
  }
}

TEST_F(JoinTest, SpaceQuestionLeadsToAnotherFolderOrEndsTheJoin) {
  env.SetFreeSpace(dst.Path(), 10);
  TJoinInput input = Input("report.KDM");
  input.SameDir = false;
  input.DestFolder = dst.Path();
  ui.Answer(TCall::Message, mrYes);
  ui.AnswerBrowse(std::nullopt);  // the question comes back
  ui.Answer(TCall::Message, mrYes);
  ui.AnswerBrowse(other.Path());
  TJoinResult result = Run(input);
  EXPECT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(result.DestPath, other / "report.doc");
  EXPECT_EQ(ReadFile(other / "report.doc"), content);
  EXPECT_EQ(ui.LastBrowsePreset(), dst / "report.doc");
  const TRecord* question = ui.Find("Nachfrage.");
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->Content, "Sie können keine Dateien nach " + dst.Path() +
                                   " kitten.\rMöchten Sie den Zielordner wechseln?");
  EXPECT_EQ(question->Buttons, unsigned(mbYes | mbCancel));

  TScriptedInteraction local;
  local.Answer(TCall::Message, mrCancel);
  EXPECT_EQ(RunJoin(input, env, local).Outcome, TOutcome::Cancelled);
  EXPECT_EQ(local.Instructions(), std::vector<std::string>{"Nachfrage."});
  EXPECT_TRUE(ListNames(dst.Path()).empty());
  EXPECT_FALSE(local.Busy());
}

TEST_F(JoinTest, MissingPartIsWaitedFor) {
  // Only the last parts can be on the next disk: one missing between two
  // present ones is refused instead (VerifiedJoinTest).
  const std::string fifth = ReadFile(set / "report.005");
  std::remove((set / "report.005").c_str());
  ui.Answer(TCall::Message, mrOk);  // nothing changed: asked again
  ui.Answer(TCall::Message, mrOk, [&] { WriteFile(set / "report.005", fifth); });
  EXPECT_EQ(Run(Input("report.KDM")).Outcome, TOutcome::Done);
  EXPECT_EQ(ReadFile(set / "report.doc"), content);
  EXPECT_EQ(ui.Instructions(), (std::vector<std::string>{"Kardomel wartet.", "Kardomel wartet.",
                                                         "Teildateien zusammengesetzt."}));
  EXPECT_EQ(ui.Records()[0].Buttons, unsigned(mbOK | mbCancel));

  std::remove((set / "report.005").c_str());
  std::remove((set / "report.doc").c_str());
  TScriptedInteraction local;
  local.Answer(TCall::Message, mrCancel);
  TJoinInput input = JoinInputFor(env, local, set / "report.KDM");
  input.DeleteParts = true;
  EXPECT_EQ(RunJoin(input, env, local).Outcome, TOutcome::Cancelled);
  // Nothing partial under the final name, and no temporary file either.
  EXPECT_EQ(SetFiles(), (std::vector<std::string>{"report.001", "report.002", "report.003",
                                                  "report.004", "report.KDM", "report.bat"}));
  EXPECT_EQ(local.Find("Teildateien zusammengesetzt."), nullptr);
}

TEST_F(JoinTest, IncompleteResultEndsWithAnErrorAndKeepsTheParts) {
  // A short copy fails while copying; a descriptor whose size the parts
  // cannot make is refused before, naming the part that does not fit.
  const struct {
    const char* name;
    int64_t shortWrite;       // -1: none
    int64_t descriptorSize;   // what the descriptor file claims
    const char* refusal;      // the warning of a refusal; "" for an error
  } cases[] = {
      {"short copy", 2500, static_cast<int64_t>(4 * kPart + 321), ""},
      {"descriptor larger", -1, static_cast<int64_t>(4 * kPart + 322),
       "Teildatei report.005 ist beschädigt."},
      {"descriptor smaller", -1, static_cast<int64_t>(4 * kPart),
       "Die KDM-Datei report.KDM passt nicht zum Teilesatz."},
  };
  for (const auto& c : cases) {
    TFaultEnv faulty;
    if (c.shortWrite >= 0) faulty.ShortWriteAt(set / "report.doc", c.shortWrite);
    WriteFile(set / "report.KDM", "doc\r\n5\r\n" + std::to_string(c.descriptorSize) + "\r\n");
    TScriptedInteraction local;
    TJoinInput input = JoinInputFor(faulty, local, set / "report.KDM");
    input.TotalSize = 0;  // the space check is not what this is about
    input.DeleteParts = true;
    if (FileExists(set / "report.doc")) local.Answer(TCall::Overwrite, mrOverwrite);
    if (*c.refusal != '\0') {
      EXPECT_EQ(RunJoin(input, faulty, local).Outcome, TOutcome::Refused) << c.name;
      EXPECT_NE(local.Find(c.refusal), nullptr) << c.name;
    } else {
      EXPECT_THROW(RunJoin(input, faulty, local), EKardomel) << c.name;
    }
    EXPECT_EQ(local.Find("Teildateien zusammengesetzt."), nullptr) << c.name;
    EXPECT_FALSE(local.Busy()) << c.name;
    EXPECT_EQ(SetFiles().size(), 7u) << c.name;  // the set, and no incomplete file
    EXPECT_EQ(JoinedParts(base, 5), content) << c.name;
  }
}

TEST_F(JoinTest, DestinationInsideItsOwnSetIsRefused) {
  const auto before = SetFiles();
  for (const char* ext : {"001", "005", "KDM", "bat", "kdm"}) {
    TScriptedInteraction local;
    TJoinInput input = Input("report.002");
    input.Extension = ext;
    TJoinResult result = RunJoin(input, env, local);
    EXPECT_EQ(result.Outcome, TOutcome::Refused) << ext;
    EXPECT_EQ(local.Instructions().back(), "Ungültiges Ziel.") << ext;
    EXPECT_EQ(local.BusyChanges(), 0) << ext;
    EXPECT_EQ(SetFiles(), before) << ext;
    EXPECT_EQ(JoinedParts(base, 5), content) << ext;
  }
}

TEST_F(JoinTest, DestinationThatIsAPartUnderAnotherNameIsRefused) {
  // A link from the destination folder onto part 1 of the set.
  ASSERT_EQ(Shell("ln -s " + Quote(set / "report.001") + " " + Quote(dst / "report.doc")), 0);
  TJoinInput input = Input("report.KDM");
  input.SameDir = false;
  input.DestFolder = dst.Path();
  EXPECT_EQ(Run(input).Outcome, TOutcome::Refused);
  EXPECT_EQ(JoinedParts(base, 5), content);
}

}  // namespace
}  // namespace kardomel::testing
