// The self-extracting archive: written in one pass behind the stub, a valid
// ZIP for the usual readers, and unpacked by the stub under wine, which
// refuses paths outside its target folder and a wrong password.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "archive_helpers.h"
#include "wine_runner.h"

namespace kardomel::testing {
namespace {

struct TSfxFixture {
  TTempFolder Folder;
  TArchiveInput Input;
  std::string Root = Folder / "Paket/";
  explicit TSfxFixture(const std::string& stub) {
    ::mkdir(Root.c_str(), 0755);
    ::mkdir((Root + "Unterordner").c_str(), 0755);
    WriteFile(Root + "Übersicht.txt", "Grüße\r\n");
    WriteFile(Root + ".versteckt", "");
    WriteFile(Root + "Unterordner/daten.bin", PatternBytes(700000, 5));
    Input.Items = {Folder / "Paket"};
    Input.ArchivePath = Folder / "_Paket.exe";
    Input.SelfExtracting = true;
    Input.StubPath = stub;
    Input.StorePaths = false;
  }
};

#define REQUIRE_STUB()                                                          \
  const std::string stub = StubPath();                                          \
  if (stub.empty()) GTEST_SKIP() << "no sfx32pro.bin (x86_64-w64-mingw32-gcc missing)"

TEST(SfxTest, BeginsWithTheStubAndIsAValidZipForTheReaders) {
  REQUIRE_STUB();
  if (!HaveTool("unzip") || !HaveTool("7z") || !HaveTool("python3"))
    GTEST_SKIP() << "unzip, 7z or python3 is missing";
  TSfxFixture f(stub);
  f.Input.Password = "Kennwort";
  TArchiveResult result = WriteArchive(f.Input);
  ASSERT_EQ(result.Outcome, TArchiveOutcome::Created);
  const std::string exe = ReadFile(f.Input.ArchivePath);
  const std::string stubBytes = ReadFile(stub);
  EXPECT_EQ(exe.substr(0, stubBytes.size()), stubBytes);
  EXPECT_EQ(result.Size, static_cast<int64_t>(exe.size()));

  int status = 0;
  std::string out = ShellOutput("unzip -t -P Kennwort " + Quote(f.Input.ArchivePath) + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out.find("warning"), std::string::npos) << out;
  out = ShellOutput("7z t -pKennwort " + Quote(f.Input.ArchivePath) + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(PythonDigests(f.Input.ArchivePath, "Kennwort"), DiskDigests(f.Root, ""));
  // One pass: no .zip beside it, no temporary file.
  EXPECT_EQ(ListNames(f.Folder.Path()), (std::vector<std::string>{"Paket", "_Paket.exe"}));
}

TEST(SfxTest, MissingStubIsNamed) {
  TSfxFixture f("/nonexistent/sfx32pro.bin");
  try {
    WriteArchive(f.Input);
    ADD_FAILURE() << "no failure";
  } catch (const EArchiveFault& fault) {
    EXPECT_EQ(fault.Path(), "/nonexistent/sfx32pro.bin");
    EXPECT_NE(std::string(fault.what()).find("/nonexistent/sfx32pro.bin"), std::string::npos);
  }
  EXPECT_FALSE(FileExists(f.Input.ArchivePath));
}

TEST(SfxTest, EarlierFileOfTheNameIsReplacedOnlyAfterYes) {
  REQUIRE_STUB();
  for (bool yes : {false, true}) {
    TSfxFixture f(stub);
    WriteFile(f.Input.ArchivePath, "das Programm des Benutzers");
    TScriptedArchiveEvents events;
    events.ReplaceAnswer = yes;
    TArchiveResult result = WriteArchive(f.Input, events);
    EXPECT_EQ(events.ReplaceQuestions, std::vector<std::string>{f.Input.ArchivePath}) << yes;
    if (yes) {
      EXPECT_EQ(result.Outcome, TArchiveOutcome::Replaced);
      EXPECT_TRUE(result.MadeByThisStep());
      EXPECT_EQ(ReadFile(f.Input.ArchivePath).substr(0, 2), "MZ");
    } else {
      EXPECT_EQ(result.Outcome, TArchiveOutcome::Declined);
      EXPECT_EQ(ReadFile(f.Input.ArchivePath), "das Programm des Benutzers");
    }
    EXPECT_EQ(ListNames(f.Folder.Path()), (std::vector<std::string>{"Paket", "_Paket.exe"})) << yes;
  }
}

TEST(SfxTest, ExtractsUnderWineByteIdentically) {
  REQUIRE_STUB();
  if (!WineReady()) GTEST_SKIP() << "wine is missing";
  const struct {
    const char* name;
    std::string password;  // UTF-8, as typed
    std::string bytes;     // Windows-1252
  } cases[] = {
      {"no password", "", ""},
      {"Windows-1252 password", "Käse€", "K\xE4se\x80"},
  };
  for (const auto& c : cases) {
    TSfxFixture f(stub);
    f.Input.StorePaths = true;
    f.Input.Password = c.bytes;
    ASSERT_EQ(WriteArchive(f.Input).Outcome, TArchiveOutcome::Created) << c.name;
    const std::string target = f.Folder / "frisch/";
    std::string args = "/S " + Quote("/D=" + WinePath(target));
    if (!c.password.empty()) args += " " + Quote("/P=" + c.password);
    ASSERT_EQ(RunUnderWine(f.Input.ArchivePath, args), 0) << c.name;
    EXPECT_EQ(DiskDigests(target + f.Root.substr(1), target),
              DiskDigests(f.Root, "/"))
        << c.name;
  }
}

TEST(SfxTest, WrongOrMissingPasswordFails) {
  REQUIRE_STUB();
  if (!WineReady()) GTEST_SKIP() << "wine is missing";
  TSfxFixture f(stub);
  f.Input.Password = "richtig";
  ASSERT_EQ(WriteArchive(f.Input).Outcome, TArchiveOutcome::Created);
  for (const std::string password : {"/P=falsch", "/P=Richtig", ""}) {
    const std::string target = f.Folder / "ziel/";
    EXPECT_NE(RunUnderWine(f.Input.ArchivePath, "/S " + Quote("/D=" + WinePath(target)) + " " +
                                                    Quote(password)),
              0)
        << password;
    // A file whose check failed is not left behind half right.
    EXPECT_EQ(Shell("test -z \"$(find " + Quote(target) + " -type f 2>/dev/null)\""), 0) << password;
  }
}

TEST(SfxTest, RefusesEntriesOutsideTheTargetFolder) {
  REQUIRE_STUB();
  if (!WineReady()) GTEST_SKIP() << "wine is missing";
  if (!HaveTool("python3")) GTEST_SKIP() << "python3 is missing";
  // Appended by python3's zipfile, whose offsets count from the start of
  // the file as ours do.
  static const char script[] = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "a") as z:
    z.writestr("harmlos.txt", "ok")
    z.writestr(bytes.fromhex(sys.argv[2]).decode(), "böse")
)";
  for (const std::string name :
       {"../boese.txt", "a/../../boese.txt", "a\\..\\..\\boese.txt", "/boese.txt", "C:/boese.txt",
        "\\boese.txt"}) {
    TTempFolder folder;
    const std::string exe = folder / "manipuliert.exe";
    WriteFile(exe, ReadFile(stub));
    std::string hex;
    for (unsigned char ch : name) {
      char digits[3];
      std::snprintf(digits, sizeof digits, "%02x", ch);
      hex += digits;
    }
    int status = 0;
    std::string out = ShellOutput("python3 -c " + Quote(script) + " " + Quote(exe) + " " + hex + " 2>&1",
                                  &status);
    ASSERT_EQ(status, 0) << out;
    ::mkdir((folder / "a").c_str(), 0755);
    ::mkdir((folder / "a/b").c_str(), 0755);
    const std::string target = folder / "a/b/ziel/";
    EXPECT_NE(RunUnderWine(exe, "/S " + Quote("/D=" + WinePath(target))), 0) << name;
    // Nothing extracted at all, not even the harmless entry.
    EXPECT_EQ(Shell("test -z \"$(find " + Quote(folder.Path()) +
                    " -type f ! -name manipuliert.exe)\""),
              0)
        << name;
  }
}

}  // namespace
}  // namespace kardomel::testing
