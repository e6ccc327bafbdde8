// The rejoin script under a real command interpreter: wine's cmd runs the
// script of a split set in the set's folder and must rebuild the file byte
// for byte, for a short set with its one copy line and for sets of 999 parts
// whose copy commands take several lines, with umlauts in the names.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

class WineCmdTest : public ::testing::Test {
 protected:
  // One wine prefix for all tests of this program: making one takes long.
  static void SetUpTestSuite() {
    if (Shell("command -v wine >/dev/null 2>&1") != 0) return;
    home_ = std::make_unique<TTempFolder>();
    // German systems read batch files in code page 850; wine takes its code
    // pages from the locale, which is made here when the system lacks it.
    const std::string locales = *home_ / "locale";
    germanLocale_ = Shell("mkdir -p " + Quote(locales) + " && localedef -i de_DE -f UTF-8 " +
                          Quote(locales + "/de_DE.UTF-8") + " >/dev/null 2>&1") == 0;
    environment_ = "env -u DISPLAY -u LC_ALL WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= "
                   "WINEPREFIX=" + Quote(*home_ / "prefix") + " " +
                   (germanLocale_ ? "LOCPATH=" + Quote(locales) + " LANG=de_DE.UTF-8"
                                  : std::string("LANG=C.UTF-8")) + " ";
    prefixMade_ = Shell(environment_ + "timeout 300 wine cmd /c echo >/dev/null 2>&1") == 0;
  }
  static void TearDownTestSuite() {
    if (!home_) return;
    // Ends the wine server of this prefix only.
    Shell(environment_ + "wineserver -k >/dev/null 2>&1");
    home_.reset();
  }
  void SetUp() override {
    if (!home_) GTEST_SKIP() << "wine is not installed; the rejoin scripts were not run";
    ASSERT_TRUE(prefixMade_) << "wine could not make its prefix";
    if (!germanLocale_)
      std::fprintf(stderr, "note: no de_DE.UTF-8 locale; wine reads the scripts in code page 437\n");
  }

  // Splits Content as Name into parts of PartSize beside it, removes the
  // source and runs the script with a key pressed for its pause. Returns
  // what the script rebuilt.
  std::string SplitAndRunScript(const std::string& name, const std::string& content,
                                int64_t partSize, int32_t expectedParts) {
    TTempFolder set;
    WriteFile(set / name, content);
    TScriptedInteraction ui;
    TSplitResult result = RunSplit(SplitInputFor(set / name, partSize), *TEnv::Default(), ui);
    EXPECT_EQ(result.PartsWritten, expectedParts) << name;
    const std::string script = ChangeFileExt(name, ".bat");
    EXPECT_TRUE(FileExists(set / script)) << name;
    EXPECT_EQ(std::remove((set / name).c_str()), 0) << name;
    // Started under a plain name: how a command line quotes a name with '&'
    // or brackets in it is the starter's matter, not the script's.
    WriteFile(set / "rejoin.bat", ReadFile(set / script));
    const std::string log = *home_ / "cmd.log";
    EXPECT_EQ(Shell("cd " + Quote(set.Path()) + " && printf '\\r\\n' | " + environment_ +
                    "timeout 300 wine cmd /c rejoin.bat >" + Quote(log) + " 2>&1"),
              0)
        << name << "\n" << ReadFile(log);
    return ReadFile(set / name);
  }

  static std::unique_ptr<TTempFolder> home_;
  static std::string environment_;
  static bool germanLocale_;
  static bool prefixMade_;
};

std::unique_ptr<TTempFolder> WineCmdTest::home_;
std::string WineCmdTest::environment_;
bool WineCmdTest::germanLocale_ = false;
bool WineCmdTest::prefixMade_ = false;

TEST_F(WineCmdTest, TheScriptRebuildsTheFileByteForByte) {
  const struct {
    const char* name;
    int64_t size, partSize;
    int32_t parts;
    bool needs850;  // characters that code page 437 places elsewhere
  } cases[] = {
      {"Urlaub.avi", 5000, 1456, 4, false},
      {"Größe Übergänge äöü ÄÖÜ ß.bin", 999 * 7 - 3, 7, 999, false},
      {"100% Übung & mehr (Entwurf) für Jörg.txt", 999 * 3, 3, 999, false},
      {"Smørrebrød à la française.txt", 30, 10, 3, true},
  };
  for (const auto& c : cases) {
    if (c.needs850 && !germanLocale_) continue;
    const std::string content = PatternBytes(c.size, 5);
    const std::string rebuilt = SplitAndRunScript(c.name, content, c.partSize, c.parts);
    EXPECT_TRUE(rebuilt == content) << c.name << ": " << rebuilt.size() << " bytes rebuilt of "
                                    << content.size();
  }
}

}  // namespace
}  // namespace kardomel::testing
