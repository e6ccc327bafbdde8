// "kardomel-cli integrate on|off" runs the same integration for the
// folders of the environment.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/cli_helpers.h"
#include "delivery/desktop/desktop_texts.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

TEST(CliIntegrate, OnAndOffForTheEnvironmentsFolders) {
  TTempFolder home;
  ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  const std::string entry = home / "data/applications/kardomel.desktop";

  TCliRun on = Cli({"integrate", "on", "--program", "/usr/bin/kardomel"}, *TEnv::Default());
  EXPECT_EQ(on.Code, kExitDone) << on.Err;
  EXPECT_EQ(ReadFile(entry), DesktopEntry("/usr/bin/kardomel"));
  EXPECT_NE(ReadFile(home / "config/mimeapps.list")
                .find("application/x-kardomel-kdm=kardomel.desktop;"),
            std::string::npos);

  TCliRun off = Cli({"integrate", "off"}, *TEnv::Default());
  EXPECT_EQ(off.Code, kExitDone) << off.Err;
  EXPECT_FALSE(FileExists(entry));

  EXPECT_EQ(Cli({"integrate"}, *TEnv::Default()).Code, kExitUsage);
  EXPECT_EQ(Cli({"integrate", "maybe"}, *TEnv::Default()).Code, kExitUsage);
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace kardomel::testing
