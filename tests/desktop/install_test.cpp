// "cmake --install" into a temporary prefix: the programs, and under share/
// the entries a desktop reads, each passing its validator where that is
// installed, and no database written by the install itself.
#include <gtest/gtest.h>

#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

TEST(Install, PutsProgramsAndDesktopFilesInPlace) {
  TTempFolder prefix;
  ASSERT_EQ(Shell(Quote(KARDOMEL_CMAKE) + " --install " + Quote(KARDOMEL_BUILD_DIR) +
                  " --prefix " + Quote(prefix.Path()) + " >/dev/null"),
            0);
  std::vector<std::string> expected = {
      "bin/kardomel-cli",
      "share/applications/kardomel.desktop",
      "share/mime/packages/kardomel.xml",
      "share/icons/hicolor/scalable/apps/kardomel.svg",
      "share/metainfo/example.kardomel.kardomel.metainfo.xml",
      "share/man/man1/kardomel-cli.1",
  };
  for (const char* size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128",
                           "256x256"})
    expected.push_back(std::string("share/icons/hicolor/") + size + "/apps/kardomel.png");
#ifdef KARDOMEL_WITH_GUI
  expected.push_back("bin/kardomel");
#endif
  for (const std::string& file : expected) EXPECT_TRUE(FileExists(prefix / file)) << file;
  EXPECT_EQ(Shell("test -x " + Quote(prefix / "bin/kardomel-cli")), 0);
  EXPECT_FALSE(FileExists(prefix / "share/mime/mime.cache"));
  EXPECT_FALSE(FileExists(prefix / "share/applications/mimeinfo.cache"));

  const std::string entry = ReadFile(prefix / "share/applications/kardomel.desktop");
  EXPECT_NE(entry.find("\nExec=kardomel %f\n"), std::string::npos) << entry;
  // Each validator where it is installed (desktop-file-utils, appstream, libxml2-utils).
  const struct {
    const char* tool;
    const char* command;
    const char* file;
  } checks[] = {
      {"desktop-file-validate", "desktop-file-validate", "share/applications/kardomel.desktop"},
      {"appstreamcli", "appstreamcli validate --no-net",
       "share/metainfo/example.kardomel.kardomel.metainfo.xml"},
      {"xmllint", "xmllint --noout", "share/mime/packages/kardomel.xml"},
  };
  for (const auto& check : checks) {
    if (Shell(std::string("command -v ") + check.tool + " >/dev/null") != 0) continue;
    EXPECT_EQ(Shell(std::string(check.command) + " " + Quote(prefix / check.file) + " >/dev/null"), 0)
        << check.tool;
  }
}

}  // namespace
}  // namespace kardomel::testing
