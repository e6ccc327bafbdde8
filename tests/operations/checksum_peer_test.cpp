// The checksum files and the shell script with the tools users have:
// sha256sum -c and sh run for real in a fresh folder holding only the set,
// and a .crc written by hand (with python's zlib) beside a GNU split set.
#include <gtest/gtest.h>

#include "engine/checksum_files.h"
#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

// Names that a careless script would break on: a quote, blanks, '$', a
// backslash (which sha256sum writes escaped) and a leading dash.
const char* const kHostileNames[] = {
    "it's a $HOME test.bin",
    "-back\\slash \"quoted\" $(date).dat",
};

// Copies every file of Folder into Fresh, as a user carries a set elsewhere.
void CopySet(const std::string& folder, const TTempFolder& fresh) {
  for (const std::string& name : ListNames(folder)) WriteFile(fresh / name, ReadFile(folder + name));
}

TEST(ChecksumPeerTest, Sha256sumChecksThePartsAndShRebuildsTheFile) {
  if (Shell("sha256sum --version >/dev/null 2>&1 && command -v sh >/dev/null") != 0)
    GTEST_SKIP() << "sha256sum or sh is missing";
  for (const char* name : kHostileNames) {
    TTempFolder src, set, fresh;
    const std::string content = PatternBytes(2500, 17);
    WriteFile(src / name, content);
    TScriptedInteraction ui;
    TSplitInput split = SplitInputFor(src / name, 1000, set.Path());
    split.WriteChecksums = true;
    split.WriteShellScript = true;
    ASSERT_EQ(RunSplit(split, *TEnv::Default(), ui).Outcome, TOutcome::Done) << name;
    const std::string stem = ChangeFileExt(name, "");
    CopySet(set.Path(), fresh);

    // The parts before a join, ignoring the file that is not there yet.
    EXPECT_EQ(Shell("cd " + Quote(fresh.Path()) + " && sha256sum --quiet -c --ignore-missing " +
                    Quote("./" + stem + ".sha256") + " >/dev/null"),
              0)
        << name;
    EXPECT_EQ(Shell("cd / && sh " + Quote(fresh / (stem + ".sh")) + " >/dev/null"), 0) << name;
    EXPECT_EQ(ReadFile(fresh / name), content) << name;
    // The script checked the file with the checksum file; so can the user.
    EXPECT_EQ(Shell("cd " + Quote(fresh.Path()) + " && sha256sum --quiet -c " +
                    Quote("./" + stem + ".sha256")),
              0)
        << name;

    // A second run finds the file and leaves it alone.
    WriteFile(fresh / name, "mine");
    EXPECT_NE(Shell("sh " + Quote(fresh / (stem + ".sh")) + " 2>/dev/null"), 0) << name;
    EXPECT_EQ(ReadFile(fresh / name), "mine") << name;

    // A damaged part makes both fail.
    std::remove((fresh / name).c_str());
    std::string part = ReadFile(fresh / (stem + ".002"));
    part[5] ^= 1;
    WriteFile(fresh / (stem + ".002"), part);
    EXPECT_NE(Shell("cd " + Quote(fresh.Path()) + " && sha256sum --quiet -c --ignore-missing " +
                    Quote("./" + stem + ".sha256") + " >/dev/null 2>&1"),
              0)
        << name;
    EXPECT_NE(Shell("sh " + Quote(fresh / (stem + ".sh")) + " >/dev/null 2>&1"), 0) << name;
  }
}

TEST(ChecksumPeerTest, ShWithoutChecksumsGluesThePartsAndAMissingOneLeavesNoFile) {
  if (Shell("command -v sh >/dev/null") != 0) GTEST_SKIP() << "sh is missing";
  TTempFolder src, set;
  const std::string content = PatternBytes(3100, 2);
  WriteFile(src / "plain.iso", content);
  TScriptedInteraction ui;
  TSplitInput split = SplitInputFor(src / "plain.iso", 1000, set.Path());
  split.WriteShellScript = true;
  ASSERT_EQ(RunSplit(split, *TEnv::Default(), ui).Outcome, TOutcome::Done);
  EXPECT_FALSE(FileExists(set / "plain.sha256"));
  EXPECT_EQ(Shell("sh " + Quote(set / "plain.sh") + " >/dev/null"), 0);
  EXPECT_EQ(ReadFile(set / "plain.iso"), content);
  std::remove((set / "plain.iso").c_str());
  std::remove((set / "plain.003").c_str());
  EXPECT_NE(Shell("sh " + Quote(set / "plain.sh") + " >/dev/null 2>&1"), 0);
  EXPECT_FALSE(FileExists(set / "plain.iso"));
}

// A .crc as another file manager writes it, made here by hand for the parts
// of GNU split.
void WriteHandCrc(const TTempFolder& set, const std::string& source, bool wrong) {
  ASSERT_EQ(Shell("python3 -c 'import sys, zlib, os; d = open(sys.argv[1], \"rb\").read(); "
                  "c = zlib.crc32(d) ^ int(sys.argv[3]); "
                  "open(sys.argv[2], \"wb\").write(b\"filename=movie.mkv\\r\\nsize=%d\\r\\n"
                  "crc32=%08x\\r\\n\" % (len(d), c))' " +
                  Quote(source) + " " + Quote(set / "movie.crc") + (wrong ? " 1" : " 0")),
            0);
}

TEST(ChecksumPeerTest, AHandMadeCrcBesideAGnuSplitSetNamesTheFileAndChecksIt) {
  if (Shell("split --version >/dev/null 2>&1 && python3 -c 'import zlib' 2>/dev/null") != 0)
    GTEST_SKIP() << "GNU split or python3 is missing";
  for (bool wrong : {false, true}) {
    TTempFolder src, set;
    const std::string content = PatternBytes(4200, 8);
    WriteFile(src / "movie.mkv", content);
    ASSERT_EQ(Shell("cd " + Quote(set.Path()) + " && split -b 1000 -a 3 --numeric-suffixes=1 " +
                    Quote(src / "movie.mkv") + " movie."),
              0);
    WriteHandCrc(set, src / "movie.mkv", wrong);
    TFaultEnv env;
    TScriptedInteraction ui;
    // Nobody typed an extension: the .crc gives it.
    TJoinInput input = JoinInputFor(env, ui, set / "movie.003");
    input.DeleteParts = true;
    TJoinResult result = RunJoin(input, env, ui);
    // The .crc names the file: no word about a missing descriptor file.
    EXPECT_EQ(ui.Find("Dateiendung unbekannt."), nullptr);
    if (!wrong) {
      EXPECT_EQ(result.Outcome, TOutcome::Done);
      EXPECT_EQ(ReadFile(set / "movie.mkv"), content);
      EXPECT_EQ(ui.Find("Anzahl der Teile nicht geprüft."), nullptr);
      EXPECT_FALSE(FileExists(set / "movie.005"));
    } else {
      EXPECT_EQ(result.Outcome, TOutcome::Refused);
      EXPECT_NE(ui.Find("Datei movie.mkv ist beschädigt."), nullptr);
      EXPECT_FALSE(FileExists(set / "movie.mkv"));
      EXPECT_TRUE(FileExists(set / "movie.005"));
    }
  }
}

TEST(ChecksumPeerTest, OurCrcMatchesPythonsZlibAndIsReadBack) {
  if (Shell("python3 -c 'import zlib' 2>/dev/null") != 0) GTEST_SKIP() << "python3 is missing";
  TTempFolder src, set;
  WriteFile(src / "data.tar.gz", PatternBytes(3333, 4));
  TScriptedInteraction ui;
  TSplitInput split = SplitInputFor(src / "data.tar.gz", 1000, set.Path());
  split.WriteChecksums = true;
  ASSERT_EQ(RunSplit(split, *TEnv::Default(), ui).Outcome, TOutcome::Done);
  WriteFile(src / "expected.crc", "");
  ASSERT_EQ(Shell("python3 -c 'import sys, zlib; d = open(sys.argv[1], \"rb\").read(); "
                  "open(sys.argv[2], \"wb\").write(b\"filename=data.tar.gz\\r\\nsize=%d\\r\\n"
                  "crc32=%08X\\r\\n\" % (len(d), zlib.crc32(d)))' " +
                  Quote(src / "data.tar.gz") + " " + Quote(src / "expected.crc")),
            0);
  EXPECT_EQ(ReadFile(set / "data.tar.crc"), ReadFile(src / "expected.crc"));
  const std::optional<TCrcFile> crc = ParseCrcFile(ReadFile(set / "data.tar.crc"));
  ASSERT_TRUE(crc.has_value());
  EXPECT_EQ(crc->FileName, "data.tar.gz");
  EXPECT_EQ(crc->Size, 3333);
}

}  // namespace
}  // namespace kardomel::testing
