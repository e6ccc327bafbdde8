// The split on the real file system: names, sizes, descriptor, script,
// report and refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

class SplitTest : public ::testing::Test {
 protected:
  std::string Source(const std::string& name, int64_t size, uint32_t seed = 1) {
    const std::string path = src / name;
    WriteFile(path, PatternBytes(size, seed));
    return path;
  }
  TSplitResult Run(const TSplitInput& input) { return RunSplit(input, env, ui); }

  TTempFolder src;
  TTempFolder dst;
  TFaultEnv env;
  TScriptedInteraction ui;
};

TEST_F(SplitTest, UrlaubExampleIntoDestinationFolder) {
  const std::string source = Source("Urlaub.avi", 5000000);
  const std::string before = ReadFile(source);
  TSplitResult result = Run(SplitInputFor(source, 1456128, dst.Path()));

  EXPECT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(result.PartsWritten, 4);
  const int64_t sizes[] = {1456128, 1456128, 1456128, 631616};
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(FileSize(PartPath(dst / "Urlaub.avi", k)), sizes[k - 1]) << k;
  EXPECT_EQ(JoinedParts(dst / "Urlaub.avi", 4), before);
  EXPECT_EQ(ReadFile(dst / "Urlaub.KDM"), "avi\r\n4\r\n5000000\r\n");
  const std::string script = ReadFile(dst / "Urlaub.bat");
  EXPECT_NE(script.find("\r\ncopy /b \"Urlaub.001\" + \"Urlaub.002\" + \"Urlaub.003\" + "
                        "\"Urlaub.004\" \"Urlaub.avi\"\r\n"),
            std::string::npos)
      << script;
  EXPECT_EQ(ListNames(dst.Path()).size(), 6u);

  const TRecord* report = ui.Find("Datei wurde geteilt.");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->Content, source + " wurde im Ordner\r" + dst.Path() + "\rin 4 Teile geteilt.");
  EXPECT_EQ(report->Kind, TMsgKind::Information);
  EXPECT_EQ(report->Buttons, unsigned(mbOK));
  EXPECT_EQ(ui.MaxPartCount(), 4);
  EXPECT_EQ(ui.Parts(), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_FALSE(ui.Busy());
  EXPECT_EQ(ReadFile(source), before);
  EXPECT_EQ(ListNames(src.Path()), std::vector<std::string>{"Urlaub.avi"});
}

TEST_F(SplitTest, SizeNotBelowTheFileSaysItFitsInOnePart) {
  const std::string source = Source("kurz.txt", 3000);
  for (int64_t size : {3000, 5000}) {
    TScriptedInteraction local;
    TSplitResult result = RunSplit(SplitInputFor(source, size), env, local);
    EXPECT_EQ(result.Outcome, TOutcome::Refused);
    EXPECT_EQ(result.Focus, TField::Size);
    const TRecord* refusal = local.Find("Eingabe erwartet.");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(refusal->Content, "Die Datei kurz.txt ist mit 3000 Bytes nicht größer als die "
                                "Teilgröße von " + std::to_string(size) +
                                " Bytes und passt in eine einzige Teildatei.\rBitte geben Sie "
                                "eine kleinere Größe oder eine Anzahl von mindestens 2 an.");
  }
  EXPECT_EQ(ListNames(src.Path()), std::vector<std::string>{"kurz.txt"});
}

TEST_F(SplitTest, SameDirPutsPartsBesideTheSource) {
  const std::string source = Source("report.pdf", 2500);
  const std::string before = ReadFile(source);
  EXPECT_EQ(Run(SplitInputFor(source, 1000)).Outcome, TOutcome::Done);
  EXPECT_EQ(ListNames(src.Path()),
            (std::vector<std::string>{"report.001", "report.002", "report.003", "report.KDM",
                                      "report.bat", "report.pdf"}));
  EXPECT_EQ(JoinedParts(source, 3), before);
  EXPECT_EQ(ReadFile(source), before);
  EXPECT_TRUE(ListNames(dst.Path()).empty());
}

TEST_F(SplitTest, LastPartHoldsTheRemainderAndNoPartIsEmpty) {
  const struct {
    const char* name;
    int64_t size, part;
    int32_t parts;
    int64_t last;
  } cases[] = {
      {"exactly two parts", 2000, 1000, 2, 1000},
      {"one byte over", 2001, 1000, 3, 1},
      {"one byte short", 2999, 1000, 3, 999},
      {"no extension", 5, 2, 3, 1},
  };
  for (const auto& c : cases) {
    TTempFolder folder;
    const std::string source = folder / (std::string(c.name) == "no extension" ? "README" : "f.bin");
    WriteFile(source, PatternBytes(c.size));
    TScriptedInteraction local;
    TSplitResult result = RunSplit(SplitInputFor(source, c.part), env, local);
    EXPECT_EQ(result.PartsWritten, c.parts) << c.name;
    EXPECT_EQ(FileSize(PartPath(source, c.parts)), c.last) << c.name;
    EXPECT_FALSE(FileExists(PartPath(source, c.parts + 1))) << c.name;
    EXPECT_EQ(JoinedParts(source, c.parts), ReadFile(source)) << c.name;
  }
}

TEST_F(SplitTest, RefusesSizeAndCountBeforeAnythingIsWritten) {
  const struct {
    const char* name;
    int64_t size, count;
    const char* instruction;
    TField focus;
  } cases[] = {
      {"size zero", 0, 2, "Eingabe erwartet.", TField::Size},
      {"size minus five", -5, 2, "Eingabe erwartet.", TField::Size},
      {"count one", 1000, 1, "Eingabe erwartet.", TField::Size},
      {"count missing", 1000, 0, "Eingabe erwartet.", TField::Size},
      {"count 1000", 1, 1000, "Maximale Teilanzahl überschritten.", TField::Count},
  };
  const std::string source = Source("a.bin", 5000);
  for (const auto& c : cases) {
    TScriptedInteraction local;
    TSplitInput input = SplitInputFor(source, c.size);
    input.PartCount = c.count;
    TSplitResult result = RunSplit(input, env, local);
    EXPECT_EQ(result.Outcome, TOutcome::Refused) << c.name;
    EXPECT_EQ(result.Focus, c.focus) << c.name;
    ASSERT_EQ(local.Instructions(), std::vector<std::string>{c.instruction}) << c.name;
    EXPECT_EQ(local.Records()[0].Kind, TMsgKind::Warning) << c.name;
    EXPECT_EQ(local.BusyChanges(), 0) << c.name;
    EXPECT_EQ(ListNames(src.Path()), std::vector<std::string>{"a.bin"}) << c.name;
  }
  EXPECT_EQ(ui.Records().size(), 0u);
}

TEST_F(SplitTest, AcceptsNineHundredNinetyNineParts) {
  const std::string source = Source("many.dat", 999);
  TSplitResult result = Run(SplitInputFor(source, 1, dst.Path()));
  EXPECT_EQ(result.Outcome, TOutcome::Done);
  EXPECT_EQ(FileSize(dst / "many.999"), 1);
  EXPECT_EQ(ReadFile(dst / "many.KDM"), "dat\r\n999\r\n999\r\n");
}

TEST_F(SplitTest, CountFieldThatDisagreesGivesWayToThePartsWritten) {
  for (int64_t typed : {2, 3, 10}) {
    TTempFolder folder;
    const std::string source = folder / "c.txt";
    WriteFile(source, PatternBytes(4500));
    TScriptedInteraction local;
    TSplitInput input = SplitInputFor(source, 1000);
    input.PartCount = typed;
    TSplitResult result = RunSplit(input, env, local);
    EXPECT_EQ(result.PartsWritten, 5) << typed;
    EXPECT_EQ(ReadFile(folder / "c.KDM"), "txt\r\n5\r\n4500\r\n") << typed;
    EXPECT_EQ(local.MaxPartCount(), 5) << typed;
    ASSERT_NE(local.Find("Datei wurde geteilt."), nullptr) << typed;
    EXPECT_NE(local.Find("Datei wurde geteilt.")->Content.find("in 5 Teile geteilt."),
              std::string::npos)
        << typed;
  }
}

TEST_F(SplitTest, RefusesToWriteAMemberOverItsOwnSource) {
  const struct {
    const char* name;
    const char* file;
    int64_t size, part;
    bool sameDir;
    const char* destSuffix;  // the source folder spelt differently
    bool batch;
  } cases[] = {
      {"part 100 over x.100", "x.100", 150, 1, true, "", false},
      {"same folder as destination", "x.100", 150, 1, false, "./", false},
      {"script over y.bat", "y.bat", 3000, 1000, true, "", true},
  };
  for (const auto& c : cases) {
    TTempFolder folder;
    const std::string source = folder / c.file;
    WriteFile(source, PatternBytes(c.size));
    TScriptedInteraction local;
    TSplitInput input = SplitInputFor(source, c.part, c.sameDir ? "" : folder / c.destSuffix);
    input.WriteBatch = c.batch;
    TSplitResult result = RunSplit(input, env, local);
    EXPECT_EQ(result.Outcome, TOutcome::Refused) << c.name;
    EXPECT_EQ(local.Instructions(), std::vector<std::string>{"Ungültiges Ziel."}) << c.name;
    EXPECT_EQ(ListNames(folder.Path()), std::vector<std::string>{c.file}) << c.name;
    EXPECT_EQ(ReadFile(source), PatternBytes(c.size)) << c.name;
    EXPECT_FALSE(local.Busy()) << c.name;
  }
  // Without the script, y.bat is an ordinary source.
  const std::string source = Source("y.bat", 3000);
  TSplitInput input = SplitInputFor(source, 1000);
  input.WriteBatch = false;
  EXPECT_EQ(Run(input).Outcome, TOutcome::Done);
}

TEST_F(SplitTest, ScriptDoublesPercentAndSkipsNamesItCannotQuote) {
  const std::string percent = Source("100%.txt", 20);
  EXPECT_EQ(Run(SplitInputFor(percent, 10)).Outcome, TOutcome::Done);
  EXPECT_NE(ReadFile(src / "100%.bat").find("copy /b \"100%%.001\" + \"100%%.002\" \"100%%.txt\""),
            std::string::npos);

  // A quote ends the name early; the interpreter reads the script in code
  // page 850, which has neither the euro sign nor Japanese.
  for (const std::string stem : {"a\"b", "Preis 5€", "日本"}) {
    TScriptedInteraction local;
    const std::string source = Source(stem + ".txt", 20);
    EXPECT_EQ(RunSplit(SplitInputFor(source, 10), env, local).Outcome, TOutcome::Done) << stem;
    EXPECT_EQ(FileSize(src / (stem + ".002")), 10) << stem;
    EXPECT_TRUE(FileExists(src / (stem + ".KDM"))) << stem;
    EXPECT_FALSE(FileExists(src / (stem + ".bat"))) << stem;
    EXPECT_EQ(local.Instructions(),
              (std::vector<std::string>{"Keine Batch-Datei erzeugt.", "Datei wurde geteilt."}))
        << stem;
    EXPECT_EQ(local.Records()[0].Kind, TMsgKind::Warning) << stem;
  }
}

TEST_F(SplitTest, LineBreakInTheExtensionIsRefused) {
  const std::string source = Source("f.a\nb", 20);
  TSplitResult result = Run(SplitInputFor(source, 10));
  EXPECT_EQ(result.Outcome, TOutcome::Refused);
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Ungültige Dateiendung."});
  EXPECT_EQ(ListNames(src.Path()), std::vector<std::string>{"f.a\nb"});
}

TEST_F(SplitTest, MembersThatAreLinksOrSecondNamesAreReplacedNotWrittenThrough) {
  const struct {
    const char* name;
    const char* member;
    bool hard;           // a second name of the victim, else a symbolic link
    const char* target;  // what the link points at, in the other folder
  } cases[] = {
      {"link at a part", "r.002", false, "v1"},
      {"link at the descriptor", "r.KDM", false, "v1"},
      {"link at the script", "r.bat", false, "v1"},
      {"dangling link", "r.002", false, "new"},
      {"second name at a part", "r.003", true, "v1"},
  };
  for (const auto& c : cases) {
    TTempFolder folder, elsewhere;
    WriteFile(elsewhere / "v1", "the user's other file");
    const std::string source = folder / "r.bin";
    WriteFile(source, PatternBytes(2500));
    const std::string target = elsewhere / c.target;
    const std::string member = folder / c.member;
    ASSERT_EQ(c.hard ? ::link(target.c_str(), member.c_str())
                     : ::symlink(target.c_str(), member.c_str()),
              0)
        << c.name;
    TScriptedInteraction local;
    EXPECT_EQ(RunSplit(SplitInputFor(source, 1000), env, local).Outcome, TOutcome::Done)
        << c.name;
    EXPECT_EQ(ReadFile(elsewhere / "v1"), "the user's other file") << c.name;
    EXPECT_EQ(ListNames(elsewhere.Path()), std::vector<std::string>{"v1"}) << c.name;
    struct stat info;
    ASSERT_EQ(::lstat(member.c_str(), &info), 0) << c.name;
    EXPECT_TRUE(S_ISREG(info.st_mode) && info.st_nlink == 1) << c.name;
    EXPECT_EQ(JoinedParts(source, 3), ReadFile(source)) << c.name;
    EXPECT_EQ(ReadFile(folder / "r.KDM"), "bin\r\n3\r\n2500\r\n") << c.name;
  }
}

TEST_F(SplitTest, PipeAsSourceIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo((src / "fifo").c_str(), 0600), 0);
  TSplitInput input = SplitInputFor(src / "fifo", 1000);
  input.PartCount = 2;
  TSplitResult result = Run(input);
  EXPECT_EQ(result.Outcome, TOutcome::Refused);
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Keine gewöhnliche Datei."});
  EXPECT_EQ(ui.BusyChanges(), 0);
  EXPECT_EQ(ListNames(src.Path()), std::vector<std::string>{"fifo"});
}

TEST_F(SplitTest, ExtensionTheDescriptorCannotHoldIsRefusedUnlessThereIsNone) {
  const std::string source = Source("x.日本", 2000);
  EXPECT_EQ(Run(SplitInputFor(source, 1000)).Outcome, TOutcome::Refused);
  EXPECT_EQ(ui.Instructions(), std::vector<std::string>{"Ungültige Dateiendung."});
  EXPECT_EQ(ListNames(src.Path()), std::vector<std::string>{"x.日本"});

  TSplitInput input = SplitInputFor(source, 1000);
  input.WriteDescriptor = false;
  EXPECT_EQ(Run(input).Outcome, TOutcome::Done);
  EXPECT_EQ(FileSize(src / "x.002"), 1000);
}

TEST_F(SplitTest, EarlierLargerSetIsOverwrittenPartByPart) {
  const std::string old = PatternBytes(5000, 7);
  WriteSet(dst / "s.bin", old, 1000);
  const std::string source = Source("s.bin", 2500);
  EXPECT_EQ(Run(SplitInputFor(source, 1000, dst.Path())).Outcome, TOutcome::Done);
  EXPECT_EQ(JoinedParts(dst / "s.bin", 3), ReadFile(source));
  EXPECT_EQ(ReadFile(dst / "s.004"), old.substr(3000, 1000));
  EXPECT_EQ(ReadFile(dst / "s.005"), old.substr(4000, 1000));
  EXPECT_EQ(ReadFile(dst / "s.KDM"), "bin\r\n3\r\n2500\r\n");
}

TEST_F(SplitTest, ResultListsEveryFileWrittenInItsOrder) {
  const struct {
    const char* name;
    bool descriptor, batch, checksums, shellScript;
    std::vector<std::string> files;
  } cases[] = {
      {"default", true, true, false, false, {"a.001", "a.002", "a.003", "a.bat", "a.KDM"}},
      {"parts only", false, false, false, false, {"a.001", "a.002", "a.003"}},
      {"everything",
       true,
       true,
       true,
       true,
       {"a.001", "a.002", "a.003", "a.bat", "a.KDM", "a.sha256", "a.crc", "a.sh"}},
      {"checksums without scripts", false, false, true, false,
       {"a.001", "a.002", "a.003", "a.sha256", "a.crc"}},
  };
  for (const auto& c : cases) {
    TTempFolder out;
    const std::string source = Source("a.bin", 2500);
    TSplitInput input = SplitInputFor(source, 1000, out.Path());
    input.WriteDescriptor = c.descriptor;
    input.WriteBatch = c.batch;
    input.WriteChecksums = c.checksums;
    input.WriteShellScript = c.shellScript;
    const TSplitResult result = Run(input);
    ASSERT_EQ(result.Outcome, TOutcome::Done) << c.name;
    std::vector<std::string> expected;
    for (const std::string& name : c.files) expected.push_back(out / name);
    EXPECT_EQ(result.Files, expected) << c.name;
    // Nothing written is left out of the list.
    std::vector<std::string> listed = c.files;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(ListNames(out.Path()), listed) << c.name;
  }
}

}  // namespace
}  // namespace kardomel::testing
