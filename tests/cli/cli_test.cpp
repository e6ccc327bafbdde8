// kardomel-cli in process: arguments, exit codes, which stream a text goes
// to, and the questions answered without a terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "app/cli/interrupt.h"
#include "cli_helpers.h"
#include "engine/part_size.h"
#include "engine/split_set.h"
#include "fakes/fault_env.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = tmp / "Urlaub.avi";
    WriteFile(source, PatternBytes(5000000));
  }
  TCliRun Run(const std::vector<std::string>& args, const std::string& input = "",
              bool interactive = false) {
    return Cli(args, env, input, interactive);
  }

  TTempFolder tmp;
  std::string source;
  TFaultEnv env;
};

TEST_F(CliTest, HelpExitsZeroWithTheUsage) {
  for (const char* help : {"help", "--help", "-h"}) {
    TCliRun run = Run({help});
    EXPECT_EQ(run.Code, kExitDone) << help;
    EXPECT_TRUE(Has(run.Out, "kardomel-cli split")) << help;
    EXPECT_EQ(run.Err, "") << help;
  }
}

TEST_F(CliTest, UsageErrorsExitTwoAndWriteNothing) {
  const std::string missing = tmp / "missing";
  const struct {
    const char* name;
    std::vector<std::string> args;
  } cases[] = {
      {"no command", {}},
      {"unknown command", {"cut", source}},
      {"no file", {"split"}},
      {"value missing", {"split", source, "--size"}},
      {"unknown option", {"split", "--fast", source}},
      {"size and count", {"split", "--size", "1000", "--count", "3", source}},
      {"join option for split", {"split", "--ext", "avi", source}},
      {"split option for join", {"join", "--count", "3", tmp / "Urlaub.001"}},
      {"file missing", {"split", missing}},
      {"destination missing", {"split", "--dest", missing, source}},
      {"join of an ordinary file", {"join", source}},
      {"count beyond 32 bits", {"split", "--count", "4294967298", source}},
  };
  for (const auto& c : cases) {
    TCliRun run = Run(c.args);
    EXPECT_EQ(run.Code, kExitUsage) << c.name;
    EXPECT_TRUE(Has(run.Err, "kardomel-cli: ")) << c.name << ": " << run.Err;
    EXPECT_EQ(run.Out, "") << c.name;
    EXPECT_EQ(ListNames(tmp.Path()), std::vector<std::string>{"Urlaub.avi"}) << c.name;
  }
}

TEST_F(CliTest, SplitAndJoinReportOnStdout) {
  TTempFolder parts, rebuilt;
  TCliRun split = Run({"split", "--dest", parts.Path(), source});
  EXPECT_EQ(split.Code, kExitDone) << split.Err;
  EXPECT_EQ(split.Err, "");
  EXPECT_EQ(split.Out, "Datei wurde geteilt.\n" + source + " wurde im Ordner\n" + parts.Path() +
                           "\nin 4 Teile geteilt.\n");
  EXPECT_EQ(ReadFile(parts / "Urlaub.KDM"), "avi\r\n4\r\n5000000\r\n");

  TCliRun join = Run({"join", "--dest", rebuilt.Path(), "--delete", parts / "Urlaub.003"});
  EXPECT_EQ(join.Code, kExitDone) << join.Err;
  EXPECT_EQ(join.Err, "");
  EXPECT_EQ(join.Out, "Teildateien zusammengesetzt.\n" + rebuilt / "Urlaub.avi" +
                          " wurde zusammengesetzt.\nDie Teildateien wurden gelöscht.\n");
  EXPECT_EQ(ReadFile(rebuilt / "Urlaub.avi"), ReadFile(source));
  EXPECT_TRUE(ListNames(parts.Path()).empty());
}

TEST_F(CliTest, JoinWithoutDescriptorTakesTheTypedExtension) {
  ASSERT_EQ(Run({"split", "--size", "2000000", "--no-kdm", "--no-bat", source}).Code, kExitDone);
  std::remove(source.c_str());
  TCliRun missing = Run({"join", tmp / "Urlaub.001"});
  EXPECT_EQ(missing.Code, kExitRefused);
  EXPECT_TRUE(Has(missing.Out, "Dateiendung unbekannt."));
  EXPECT_TRUE(Has(missing.Out, "Dateiendung fehlt."));

  TCliRun join = Run({"join", "--ext", "avi", tmp / "Urlaub.002"});
  EXPECT_EQ(join.Code, kExitDone) << join.Err;
  EXPECT_EQ(ReadFile(source), PatternBytes(5000000));
}

TEST_F(CliTest, FileWithoutExtensionJoinsUnderItsOwnName) {
  const std::string readme = tmp / "README";
  WriteFile(readme, PatternBytes(5000, 2));
  ASSERT_EQ(Run({"split", "--size", "2000", readme}).Code, kExitDone);
  EXPECT_EQ(ReadFile(tmp / "README.KDM"), "\r\n3\r\n5000\r\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"join", tmp / "README.KDM"},
        std::vector<std::string>{"join", "--ext", "txt", tmp / "README.001"}}) {
    std::remove(readme.c_str());
    TCliRun join = Run(args);
    EXPECT_EQ(join.Code, kExitDone) << args.back() << join.Err;
    EXPECT_EQ(ReadFile(readme), PatternBytes(5000, 2)) << args.back();
    EXPECT_FALSE(FileExists(tmp / "README.txt"));
  }
}

TEST_F(CliTest, ExtensionThatIsAPathIsRefusedAndNothingIsTouched) {
  TTempFolder parts;
  ASSERT_EQ(Run({"split", "--dest", parts.Path(), source}).Code, kExitDone);
  WriteFile(parts / "Urlaub.KDM", "x/../../escape\r\n4\r\n5000000\r\n");
  const auto before = ListNames(parts.Path());
  TCliRun join = Run({"join", "--delete", parts / "Urlaub.001"});
  EXPECT_EQ(join.Code, kExitRefused);
  EXPECT_TRUE(Has(join.Err, "Ungültige Dateiendung.")) << join.Err;
  EXPECT_EQ(ListNames(parts.Path()), before);
}

TEST_F(CliTest, PipeAsSourceIsRefused) {
  ASSERT_EQ(Shell("mkfifo " + Quote(tmp / "fifo")), 0);
  TCliRun run = Run({"split", "--count", "2", tmp / "fifo"});
  EXPECT_EQ(run.Code, kExitRefused);
  EXPECT_TRUE(Has(run.Err, "Keine gewöhnliche Datei.")) << run.Err;
}

TEST_F(CliTest, PartsThatCannotBeDeletedAreNamedAndTheExitCodeSaysSo) {
  TTempFolder parts, rebuilt;
  ASSERT_EQ(Run({"split", "--dest", parts.Path(), source}).Code, kExitDone);
  env.FailDelete(parts / "Urlaub.002");
  TCliRun join = Run({"join", "--dest", rebuilt.Path(), "--delete", parts / "Urlaub.001"});
  EXPECT_EQ(join.Code, kExitError);
  EXPECT_FALSE(Has(join.Out + join.Err, "Die Teildateien wurden gelöscht."));
  EXPECT_TRUE(Has(join.Err, "konnten nicht gelöscht werden:\n" + parts / "Urlaub.002\n"))
      << join.Err;
  EXPECT_EQ(ReadFile(rebuilt / "Urlaub.avi"), ReadFile(source));
  EXPECT_EQ(ListNames(parts.Path()), std::vector<std::string>{"Urlaub.002"});
}

TEST_F(CliTest, RefusalsAndWarningsGoToStderr) {
  TCliRun zero = Run({"split", "--size", "0", source});
  EXPECT_EQ(zero.Code, kExitRefused);
  EXPECT_EQ(zero.Out, "");
  EXPECT_EQ(zero.Err, "Eingabe erwartet.\nDie Größe oder die Anzahl der Zieldateien muss "
                      "angegeben werden.\n");
  TCliRun tooMany = Run({"split", "--count", "1000", source});
  EXPECT_EQ(tooMany.Code, kExitRefused);
  EXPECT_TRUE(Has(tooMany.Err, "Maximale Teilanzahl überschritten."));
  TCliRun noCount = Run({"split", "--count", "0", source});
  EXPECT_EQ(noCount.Code, kExitRefused);
  EXPECT_TRUE(ListNames(tmp.Path()).size() == 1);

  // A warning on the way does not change a successful end.
  const std::string quoted = tmp / "a\"b.txt";
  WriteFile(quoted, PatternBytes(3000));
  TCliRun script = Run({"split", "--size", "1000", quoted});
  EXPECT_EQ(script.Code, kExitDone);
  EXPECT_TRUE(Has(script.Err, "Keine Batch-Datei erzeugt."));
  EXPECT_TRUE(Has(script.Out, "Datei wurde geteilt."));
}

TEST_F(CliTest, OverwriteIsDeclinedWithoutATerminalUnlessYes) {
  TTempFolder parts;
  ASSERT_EQ(Run({"split", "--dest", parts.Path(), source}).Code, kExitDone);
  WriteFile(parts / "Urlaub.avi", "old");
  TCliRun declined = Run({"join", parts / "Urlaub.KDM"});
  EXPECT_EQ(declined.Code, kExitCancelled);
  EXPECT_TRUE(Has(declined.Err, "Datei bereits vorhanden."));
  EXPECT_TRUE(Has(declined.Out, "Hinweis.\nDie Datei " + parts / "Urlaub.avi" +
                                    " wurde nicht zusammengesetzt."));
  EXPECT_EQ(ReadFile(parts / "Urlaub.avi"), "old");

  TCliRun yes = Run({"join", "--yes", parts / "Urlaub.KDM"});
  EXPECT_EQ(yes.Code, kExitDone) << yes.Err;
  EXPECT_EQ(ReadFile(parts / "Urlaub.avi"), ReadFile(source));
}

TEST_F(CliTest, CountDerivesTheSize) {
  WriteFile(source, PatternBytes(10000));
  TCliRun run = Run({"split", "--count", "4", source});
  EXPECT_EQ(run.Code, kExitDone) << run.Err;
  EXPECT_EQ(FileSize(tmp / "Urlaub.001"), 2501);
  EXPECT_EQ(FileSize(tmp / "Urlaub.004"), 2497);
  EXPECT_FALSE(FileExists(tmp / "Urlaub.005"));
}

// Reports the source as large as a test needs, so that a size of gigabytes
// can be checked without writing it.
class TLargeSourceEnv : public TFaultEnv {
 public:
  int64_t EntrySize(const std::string& path) override {
    return path == Large ? LargeSize : TFaultEnv::EntrySize(path);
  }
  std::string Large;
  int64_t LargeSize = 0;
};

TEST_F(CliTest, SizeTextsBecomeTheirByteCounts) {
  const struct {
    const char* text;
    int64_t bytes;
  } cases[] = {
      {"E-Mail 5MB", 5242880},
      {"CDROM 700MB", 734000800},
      {"700MB", 700LL * 1048576},
      {"2GB", 2LL * 1073741824},
      {"1456128", 1456128},
  };
  for (const auto& c : cases) {
    TTempFolder dest;
    TLargeSourceEnv large;
    large.Large = source;
    large.LargeSize = 3 * c.bytes;
    // The split asks for a full part size of free space: one byte less
    // brings the question, which takes No without a terminal.
    large.SetFreeSpace(dest.Path(), c.bytes - 1);
    TCliRun asked = Cli({"split", "--size", c.text, "--dest", dest.Path(), source}, large);
    EXPECT_EQ(asked.Code, kExitCancelled) << c.text;
    EXPECT_TRUE(Has(asked.Err, "Hinweis!")) << c.text;
    large.SetFreeSpace(dest.Path(), c.bytes);
    TCliRun done = Cli({"split", "--size", c.text, "--dest", dest.Path(), source}, large);
    EXPECT_EQ(done.Code, kExitDone) << c.text << done.Err;
  }
}

// Ctrl+C reaches the handler, not the default that would end the program
// with a part half written; the command stops, cleans up and exits 4.
TEST_F(CliTest, InterruptStopsTheCommandAndExitsFour) {
  ASSERT_EQ(Run({"split", "--size", "2000000", source}).Code, kExitDone);
  CatchInterrupt();
  ASSERT_EQ(std::raise(SIGINT), 0);
  ASSERT_NE(*InterruptFlag(), 0);
  const std::vector<std::string> set = ListNames(tmp.Path());
  ASSERT_EQ(std::remove(source.c_str()), 0);
  TCliRun join = Cli({"join", tmp / "Urlaub.001"}, env, "", false, InterruptFlag());
  EXPECT_EQ(join.Code, kExitCancelled);
  EXPECT_TRUE(Has(join.Err, "Abgebrochen")) << join.Err;
  EXPECT_FALSE(Has(join.Out, "zusammengesetzt")) << join.Out;
  std::vector<std::string> left = set;
  left.erase(std::find(left.begin(), left.end(), "Urlaub.avi"));
  EXPECT_EQ(ListNames(tmp.Path()), left);  // every part, no temporary file

  WriteFile(source, PatternBytes(5000000));
  TTempFolder out;
  TCliRun split = Cli({"split", "--size", "1000000", "--dest", out.Path(), source}, env, "",
                      false, InterruptFlag());
  EXPECT_EQ(split.Code, kExitCancelled);
  EXPECT_TRUE(ListNames(out.Path()).empty());  // the begun part is gone
}

TEST_F(CliTest, ErrorsExitOneUnderFehlermeldung) {
  TTempFolder dest;
  env.ReadErrorAt(source, 2);
  TCliRun run = Run({"split", "--dest", dest.Path(), source});
  EXPECT_EQ(run.Code, kExitError);
  EXPECT_TRUE(Has(run.Err, "Fehlermeldung!\nDatei kann nicht gelesen werden: " + source +
                               " (Eingabe-/Ausgabefehler)"))
      << run.Err;
  EXPECT_FALSE(Has(run.Out, "Datei wurde geteilt."));
}

TEST_F(CliTest, QuestionsAreAnsweredAtThePrompt) {
  TTempFolder parts;
  ASSERT_EQ(Run({"split", "--dest", parts.Path(), source}).Code, kExitDone);
  WriteFile(parts / "Urlaub.avi", "old");
  EXPECT_EQ(Run({"join", parts / "Urlaub.KDM"}, "2\n", true).Code, kExitCancelled);
  EXPECT_EQ(ReadFile(parts / "Urlaub.avi"), "old");
  EXPECT_EQ(Run({"join", parts / "Urlaub.KDM"}, "x\n1\n", true).Code, kExitDone);
  EXPECT_EQ(ReadFile(parts / "Urlaub.avi"), ReadFile(source));

  // A missing last part may come with the next disk: Abbrechen to give up.
  std::rename((parts / "Urlaub.004").c_str(), (tmp / "held").c_str());
  TCliRun cancelled = Run({"join", "--yes", parts / "Urlaub.KDM"}, "a\n", true);
  EXPECT_EQ(cancelled.Code, kExitCancelled);
  EXPECT_TRUE(Has(cancelled.Err, "Kardomel wartet."));
}

}  // namespace
}  // namespace kardomel::testing
