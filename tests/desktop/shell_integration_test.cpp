// The per-user desktop integration against a temporary XDG_DATA_HOME and
// XDG_CONFIG_HOME: the files and their modes after on / off / off again /
// on / on twice, the default-handler line among the user's own, a failing
// step that keeps the steps before it, and the entries run for real.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "delivery/desktop/desktop_texts.h"
#include "delivery/desktop/embedded_data.h"
#include "delivery/desktop/shell_integration.h"
#include "fakes/temp_folder.h"
#include "recording_launcher.h"

namespace kardomel::testing {
namespace {

const std::string kProgram = "/opt/Kardomel 9/bin/kardomel";
const std::string kOurLine = "application/x-kardomel-kdm=kardomel.desktop;";
const std::string kUserList =
    "[Default Applications]\n"
    "text/plain=org.gnome.gedit.desktop;\n"
    "\n"
    "[Added Associations]\n"
    "image/png=eog.desktop;\n";

struct TExpectedFile {
  std::string Path;
  std::string Content;
  mode_t Mode;
};

int ModeOf(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
}

class ShellIntegrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    paths.DataHome = home / "data/";
    paths.ConfigHome = home / "config/";
    ::mkdir(paths.ConfigHome.c_str(), 0755);
    WriteFile(paths.ConfigHome + "mimeapps.list", kUserList);
  }
  bool Apply(bool on) { return ApplyShellIntegration(on, kProgram, launcher, paths); }

  std::vector<TExpectedFile> Expected() const {
    const std::string& d = paths.DataHome;
    std::vector<TExpectedFile> files = {
        {d + "mime/packages/kardomel.xml",
         std::string(EmbeddedDataFile("mime/packages/kardomel.xml")), 0644},
        {d + "applications/kardomel.desktop", DesktopEntry(kProgram), 0644},
        {d + "Thunar/sendto/kardomel.desktop", ThunarSendTo(kProgram), 0644},
        {d + "kio/servicemenus/kardomel.desktop", DolphinServiceMenu(kProgram), 0755},
        {d + "nautilus/scripts/Kardomel", FileManagerScript(kProgram), 0755},
        {paths.ConfigHome + "caja/scripts/Kardomel", FileManagerScript(kProgram), 0755},
        {d + "nemo/actions/kardomel.nemo_action", NemoAction(kProgram), 0644},
    };
    for (const char* size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128",
                             "256x256"}) {
      const std::string rel = std::string("icons/hicolor/") + size + "/apps/kardomel.png";
      files.push_back({d + rel, std::string(EmbeddedDataFile(rel)), 0644});
    }
    const std::string svg = "icons/hicolor/scalable/apps/kardomel.svg";
    files.push_back({d + svg, std::string(EmbeddedDataFile(svg)), 0644});
    return files;
  }

  TTempFolder home;
  TShellPaths paths;
  TRecordingLauncher launcher;
};

TEST_F(ShellIntegrationTest, OnWritesOffRemovesAndRepeatingChangesNothing) {
  const struct {
    const char* name;
    bool on;
  } rows[] = {
      {"on", true}, {"off", false}, {"off again", false}, {"on after off", true}, {"on twice", true},
  };
  struct stat firstEntry {};
  for (const auto& row : rows) {
    launcher.Calls.clear();
    EXPECT_TRUE(Apply(row.on)) << row.name;

    for (const TExpectedFile& file : Expected()) {
      if (!row.on) {
        EXPECT_FALSE(FileExists(file.Path)) << row.name << ": " << file.Path;
        continue;
      }
      ASSERT_FALSE(file.Content.empty()) << file.Path;
      EXPECT_EQ(ReadFile(file.Path), file.Content) << row.name << ": " << file.Path;
      EXPECT_EQ(ModeOf(file.Path), static_cast<int>(file.Mode)) << row.name << ": " << file.Path;
    }
    const std::string list = ReadFile(paths.ConfigHome + "mimeapps.list");
    EXPECT_EQ(list, row.on ? "[Default Applications]\n"
                             "text/plain=org.gnome.gedit.desktop;\n" + kOurLine + "\n"
                             "\n"
                             "[Added Associations]\n"
                             "image/png=eog.desktop;\n"
                           : kUserList)
        << row.name;
    EXPECT_EQ(launcher.Calls,
              (std::vector<std::string>{"update-mime-database " + paths.DataHome + "mime",
                                        "update-desktop-database " + paths.DataHome +
                                            "applications"}))
        << row.name;
    EXPECT_FALSE(FileExists(paths.DataHome + "applications/kardomel.desktop.kardomel-new"));

    struct stat entry {};
    ::stat((paths.DataHome + "applications/kardomel.desktop").c_str(), &entry);
    if (std::string(row.name) == "on after off") firstEntry = entry;
    if (std::string(row.name) == "on twice") {
      // The second OK finds everything in place and writes nothing.
      EXPECT_EQ(entry.st_ino, firstEntry.st_ino);
      EXPECT_EQ(entry.st_mtim.tv_nsec, firstEntry.st_mtim.tv_nsec);
      EXPECT_EQ(entry.st_mtim.tv_sec, firstEntry.st_mtim.tv_sec);
    }
  }
}

TEST_F(ShellIntegrationTest, ADataFolderThatCannotBeWrittenFailsSilently) {
  // Root writes into read-only folders; for it a file stands where the
  // folder's sub-folders would have to be made.
  if (::geteuid() == 0) {
    WriteFile(home / "data", "not a folder");
  } else {
    ::mkdir(paths.DataHome.c_str(), 0555);
  }
  EXPECT_FALSE(Apply(true));
  EXPECT_EQ(ReadFile(paths.ConfigHome + "mimeapps.list"), kUserList);
  EXPECT_FALSE(FileExists(paths.ConfigHome + "caja"));
  EXPECT_TRUE(launcher.Calls.empty());
  // Off has nothing to remove and succeeds.
  EXPECT_TRUE(Apply(false));
  ::chmod(paths.DataHome.c_str(), 0755);
}

TEST_F(ShellIntegrationTest, AProgramPathNoEntryCanHoldWritesNothing) {
  for (const std::string program : {"kardomel", "/opt/a\nExec=evil/kardomel", ""}) {
    EXPECT_FALSE(ApplyShellIntegration(true, program, launcher, paths)) << program;
    EXPECT_FALSE(FileExists(paths.DataHome)) << program;
  }
}

TEST_F(ShellIntegrationTest, AFailingStepKeepsTheStepsBeforeIt) {
  ::mkdir(paths.DataHome.c_str(), 0755);
  WriteFile(home / "data/Thunar", "a file where Thunar's folder belongs");
  EXPECT_FALSE(Apply(true));
  EXPECT_TRUE(FileExists(paths.DataHome + "mime/packages/kardomel.xml"));
  EXPECT_TRUE(FileExists(paths.DataHome + "applications/kardomel.desktop"));
  EXPECT_NE(ReadFile(paths.ConfigHome + "mimeapps.list").find(kOurLine), std::string::npos);
  EXPECT_FALSE(FileExists(paths.DataHome + "kio"));
  EXPECT_FALSE(FileExists(paths.DataHome + "nemo"));
}

TEST(ShellPaths, TheEnvironmentNamesTheFolders) {
  const struct {
    const char* name;
    const char* data;
    const char* config;
    const char* home;
    bool ok;
    std::string dataHome, configHome;
  } cases[] = {
      {"both set", "/x/data", "/x/config/", "/home/u", true, "/x/data/", "/x/config/"},
      {"unset", nullptr, nullptr, "/home/u", true, "/home/u/.local/share/", "/home/u/.config/"},
      {"relative values do not count", "data", "", "/home/u", true, "/home/u/.local/share/",
       "/home/u/.config/"},
      {"nothing at all", nullptr, nullptr, nullptr, false, "", ""},
  };
  auto set = [](const char* name, const char* value) {
    if (value != nullptr) ::setenv(name, value, 1);
    else ::unsetenv(name);
  };
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  for (const auto& c : cases) {
    set("XDG_DATA_HOME", c.data);
    set("XDG_CONFIG_HOME", c.config);
    set("HOME", c.home);
    TShellPaths paths;
    EXPECT_EQ(ShellPathsFromEnvironment(paths), c.ok) << c.name;
    if (c.ok) {
      EXPECT_EQ(paths.DataHome, c.dataHome) << c.name;
      EXPECT_EQ(paths.ConfigHome, c.configHome) << c.name;
    }
  }
  set("XDG_DATA_HOME", nullptr);
  set("XDG_CONFIG_HOME", nullptr);
  set("HOME", home.empty() ? nullptr : home.c_str());
}

}  // namespace
}  // namespace kardomel::testing
