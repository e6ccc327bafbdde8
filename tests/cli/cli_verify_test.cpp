// kardomel-cli with verified sets: split --checksums and --sh, verify and
// its exit code, and the join of a set with a gap as a new user tried it.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli_helpers.h"
#include "fakes/fault_env.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliVerifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = tmp / "big.bin";
    WriteFile(source, PatternBytes(5 * 1048576 + 77, 3));
  }
  TCliRun Run(const std::vector<std::string>& args) { return Cli(args, env); }

  TTempFolder tmp;
  std::string source;
  TFaultEnv env;
};

TEST_F(CliVerifyTest, VerifyNamesEachPartsStateAndExitsZeroOnlyWhenAllAreRight) {
  ASSERT_EQ(Run({"split", "--size", "1MB", "--checksums", "--sh", source}).Code, kExitDone);
  for (const char* member : {"big.sha256", "big.crc", "big.sh", "big.KDM", "big.006"})
    EXPECT_TRUE(FileExists(tmp / member)) << member;

  TCliRun good = Run({"verify", tmp / "big.004"});
  EXPECT_EQ(good.Code, kExitDone) << good.Err;
  EXPECT_TRUE(Has(good.Out, "big.001: in Ordnung\n")) << good.Out;
  EXPECT_TRUE(Has(good.Out, "big.006: in Ordnung\n")) << good.Out;
  EXPECT_TRUE(Has(good.Out, "big.bin (ganze Datei): in Ordnung\n")) << good.Out;

  std::string part = ReadFile(tmp / "big.003");
  part[1000] ^= 0x40;
  WriteFile(tmp / "big.003", part);
  std::remove((tmp / "big.005").c_str());
  TCliRun bad = Run({"verify", tmp / "big.KDM"});
  EXPECT_EQ(bad.Code, kExitError);
  EXPECT_TRUE(Has(bad.Out, "big.002: in Ordnung\n")) << bad.Out;
  EXPECT_TRUE(Has(bad.Out, "big.003: beschädigt")) << bad.Out;
  EXPECT_TRUE(Has(bad.Out, "big.005: fehlt\n")) << bad.Out;
  // Verifying changes nothing.
  EXPECT_EQ(ReadFile(tmp / "big.003"), part);
}

TEST_F(CliVerifyTest, VerifyWithoutChecksumsCannotVouchForTheContent) {
  ASSERT_EQ(Run({"split", "--size", "1MB", source}).Code, kExitDone);
  TCliRun run = Run({"verify", tmp / "big.001"});
  EXPECT_EQ(run.Code, kExitError);
  EXPECT_TRUE(Has(run.Out, "big.001: vorhanden, Größe passt (keine Prüfsumme)")) << run.Out;
  EXPECT_TRUE(Has(run.Err, "Ohne Prüfsummendatei")) << run.Err;
}

TEST_F(CliVerifyTest, AGapInASetWithoutDescriptorIsRefusedAndNothingIsDeleted) {
  ASSERT_EQ(Run({"split", "--size", "1MB", "--no-kdm", "--no-bat", source}).Code, kExitDone);
  std::remove(source.c_str());
  std::remove((tmp / "big.003").c_str());
  TCliRun join = Run({"join", "--ext", "bin", "--delete", tmp / "big.001"});
  EXPECT_EQ(join.Code, kExitRefused);
  EXPECT_TRUE(Has(join.Err, "Teildatei big.003 fehlt.")) << join.Err;
  EXPECT_FALSE(FileExists(source));
  for (const char* part : {"big.001", "big.002", "big.004", "big.005", "big.006"})
    EXPECT_TRUE(FileExists(tmp / part)) << part;
  TCliRun verify = Run({"verify", tmp / "big.001"});
  EXPECT_EQ(verify.Code, kExitError);
  EXPECT_TRUE(Has(verify.Err, "Teildatei big.003 fehlt.")) << verify.Err;
}

TEST_F(CliVerifyTest, CountedJoinWarnsOnStderrWithoutAsking) {
  ASSERT_EQ(Run({"split", "--size", "1MB", "--no-kdm", "--no-bat", source}).Code, kExitDone);
  std::remove(source.c_str());
  TCliRun join = Run({"join", "--ext", "bin", tmp / "big.001"});
  EXPECT_EQ(join.Code, kExitDone) << join.Err;
  EXPECT_TRUE(Has(join.Err, "Anzahl der Teile nicht geprüft.")) << join.Err;
  EXPECT_FALSE(Has(join.Err, "?")) << join.Err;
  EXPECT_TRUE(Has(join.Out, "wurde zusammengesetzt.")) << join.Out;
}

TEST_F(CliVerifyTest, ASetWithChecksumsButNoDescriptorJoinsWithoutExt) {
  ASSERT_EQ(Run({"split", "--size", "1MB", "--no-kdm", "--checksums", source}).Code, kExitDone);
  const std::string content = ReadFile(source);
  std::remove(source.c_str());
  std::remove((tmp / "big.sha256").c_str());  // only what other tools write
  TCliRun join = Run({"join", tmp / "big.002"});
  EXPECT_EQ(join.Code, kExitDone) << join.Err;
  EXPECT_EQ(ReadFile(source), content);
  EXPECT_FALSE(Has(join.Out + join.Err, "Dateiendung")) << join.Out << join.Err;
  EXPECT_FALSE(Has(join.Err, "nicht geprüft")) << join.Err;
}

TEST_F(CliVerifyTest, SplitOptionsBelongToSplitOnly) {
  ASSERT_EQ(Run({"split", "--size", "1MB", source}).Code, kExitDone);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"join", "--checksums", tmp / "big.001"},
        std::vector<std::string>{"verify", "--sh", tmp / "big.001"},
        std::vector<std::string>{"verify", "--delete", tmp / "big.001"},
        std::vector<std::string>{"verify", source}}) {
    TCliRun run = Run(args);
    EXPECT_EQ(run.Code, kExitUsage) << args[1];
    EXPECT_TRUE(Has(run.Err, "kardomel-cli: ")) << args[1];
  }
}

}  // namespace
}  // namespace kardomel::testing
