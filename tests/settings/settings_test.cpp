#include "app/startup/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/startup/settings_path.h"
#include "support/globals.h"
#include "support/ini/qel_ini_file.h"
#include "temp_folder.h"

namespace kardomel {
namespace {

// Every value differs from its default, so a key that is not saved or not
// loaded shows.
TSettings Changed() {
  TSettings s;
  s.WindowState = 0;
  s.Left = 11;
  s.Top = 22;
  s.Width = 1033;
  s.Height = 744;
  s.SplitClient = 455;
  s.SplitSrc = 266;
  s.SplitDst = 277;
  s.Options.Hints = false;
  s.Options.KdmFile = false;
  s.Batch = false;
  s.Options.GridLines = true;
  s.Options.SendTo = true;
  s.Options.Automatic = true;
  s.Options.KittSel = true;
  s.Options.KittFolder = "/home/jürgen/Kitt Ordner/";
  s.Options.SplitSel = true;
  s.Options.SplitFolder = "/srv/" + std::string(300, 'd') + "/";
  s.Options.DstSize = "CDROM 700MB";
  s.Delete = true;
  s.Options.Zip.HighCompression = true;
  s.Options.Zip.StorePaths = false;
  s.Options.Zip.Sfx = true;
  s.Options.Zip.Encrypt = true;
  s.Options.Zip.Password = "Geheim € ü";
  s.Options.Checksums = true;
  s.Options.ShellScript = true;
  s.Src = "/home/Übergröße/";
  s.Dst = "/mnt/ziel/";
  s.SrcDst = false;
  return s;
}

// What an options-only load leaves: Current with the options and the
// window's batch box of From.
TSettings WithOptionsOf(TSettings current, const TSettings& from) {
  current.Options = from.Options;
  current.Batch = from.Batch;
  return current;
}

TEST(Settings, FirstStartDefaults) {
  TSettings s;
  const TOptions& o = s.Options;
  EXPECT_TRUE(o.Hints && o.KdmFile && s.Batch && !o.Zip.HighCompression && o.Zip.StorePaths &&
              s.SrcDst);
  EXPECT_FALSE(o.GridLines || o.SendTo || o.Automatic || o.KittSel || o.SplitSel || s.Delete ||
               o.Zip.Sfx || o.Zip.Encrypt || o.Checksums || o.ShellScript);
  EXPECT_EQ(o.DstSize, "3.5\" HD 1,44MB");
  EXPECT_EQ(o.Zip.Password, "");
  // A missing file changes nothing the caller put in as defaults.
  TTempFolder dir;
  TSettings loaded = Changed();
  LoadSettings(dir.Path() + "missing.ini", true, loaded);
  EXPECT_EQ(loaded, Changed());
}

TEST(Settings, FullRoundTrip) {
  TTempFolder dir;
  std::string path = dir.Path() + "Kardomel.INI";
  SaveSettings(path, Changed());
  TSettings loaded;
  LoadSettings(path, true, loaded);
  EXPECT_EQ(loaded, Changed());

  std::string text = ReadAll(path);
  EXPECT_NE(text.find("Src=/home/\xC3\x9C" "bergr\xC3\xB6\xC3\x9F" "e/"), std::string::npos);
  EXPECT_EQ(text.find("Geheim"), std::string::npos);
  // The table's order: placement first, SrcDst last; sections as first written.
  EXPECT_EQ(text.rfind("[FrmMain]\nWindowState=0\nLeft=11\nTop=22\nWidth=1033\nHeight=744\n", 0), 0u);
  EXPECT_LT(text.find("[Window]"), text.find("[Options]"));
  EXPECT_LT(text.find("[Options]"), text.find("[Paths]"));
  EXPECT_LT(text.find("KittFolder="), text.find("SplitFolder="));
  // The later keys close [Options].
  EXPECT_NE(text.find("\nChecksums=1\nShellScript=1\n[Paths]"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 9), "SrcDst=0\n");
}

TEST(Settings, MaximisedWritesOnlyTheState) {
  TTempFolder dir;
  std::string path = dir.Path() + "Kardomel.INI";
  SaveSettings(path, Changed());
  TSettings maximised = Changed();
  maximised.WindowState = 2;
  maximised.Left = maximised.Top = 0;
  maximised.Width = 1920;
  maximised.Height = 1040;
  SaveSettings(path, maximised);
  TSettings loaded;
  LoadSettings(path, true, loaded);
  EXPECT_EQ(loaded.WindowState, 2);
  EXPECT_EQ(loaded.Left, 11);  // the previous normal placement
  EXPECT_EQ(loaded.Width, 1033);
}

TEST(Settings, OptionsOnlyLoadLeavesTheWindowAlone) {
  TTempFolder dir;
  std::string path = dir.Path() + "Kardomel.INI";
  SaveSettings(path, Changed());
  TSettings current;  // what the window shows now: defaults everywhere
  current.Left = 5;
  current.Src = "/unchanged/";
  current.Delete = false;
  TSettings before = current;
  LoadSettings(path, false, current);
  EXPECT_EQ(current, WithOptionsOf(before, Changed())) << "the start keys stay untouched";
}

TEST(Settings, HandEditedFileGivesDefaultsWhereUnreadable) {
  TTempFolder dir;
  std::string path = dir.Path() + "Kardomel.INI";
  WriteAll(path,
           "# my notes\r\n"
           "[frmmain]\r\n"
           "windowstate=maximal\r\n"
           "Left=0x20\r\n"
           "Top=99999999999\r\n"
           "[OPTIONS]\r\n"
           "Batch=\r\n"
           "GridLines=yes\r\n"
           "SendTo=5\r\n"
           "EdtPsw=not hex\r\n"
           "Custom=kept\r\n"
           "[Paths]\r\n"
           "Src\r\n");
  TSettings loaded;
  loaded.WindowState = 0;
  loaded.Top = 77;
  LoadSettings(path, true, loaded);
  EXPECT_EQ(loaded.WindowState, 0);
  EXPECT_EQ(loaded.Left, 32);
  EXPECT_EQ(loaded.Top, 77);
  EXPECT_TRUE(loaded.Batch);
  EXPECT_FALSE(loaded.Options.GridLines);
  EXPECT_TRUE(loaded.Options.SendTo);
  EXPECT_EQ(loaded.Options.Zip.Password, "");
  EXPECT_EQ(loaded.Src, "");

  SaveSettings(path, loaded);
  std::string text = ReadAll(path);
  EXPECT_EQ(text.rfind("# my notes\r\n[frmmain]\r\nwindowstate=0\r\n", 0), 0u);
  EXPECT_NE(text.find("Custom=kept\r\n"), std::string::npos);
  EXPECT_EQ(text.find("[FrmMain]"), std::string::npos);  // matched, not duplicated
  EXPECT_EQ(TqelIniFile(path).ReadString("Paths", "SrcDst", ""), "1");
}

// Lets writes beyond Limit bytes of any file fail with EFBIG, as a full disk
// fails them, until the end of the scope.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &old_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_;
    small.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, signal_);
  }

 private:
  rlimit old_;
  void (*signal_)(int);
};

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Settings, AFailedSaveLeavesTheOldFileWhole) {
  const std::string old = "; my notes\r\n[Options]\r\nBatch=0\r\nCustom=kept\r\n";
  const struct {
    const char* name;
    const char* file;  // relative to the folder
    bool oldFile;
    rlim_t limit;      // 0: none
  } cases[] = {
      {"the disk fills during the save", "Kardomel.INI", true, 200},
      {"the disk is full", "Kardomel.INI", true, 1},
      {"the folder is missing", "gone/Kardomel.INI", false, 0},
  };
  for (const auto& c : cases) {
    TTempFolder dir;
    const std::string path = dir.Path() + c.file;
    if (c.oldFile) WriteAll(path, old);
    const std::vector<std::string> before = Names(dir.Path());
    try {
      std::optional<TFileSizeLimit> limit;
      if (c.limit) limit.emplace(c.limit);
      SaveSettings(path, Changed());
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EIniFileError& e) {
      EXPECT_EQ(std::string(e.what()), "In " + path + " kann nicht geschrieben werden") << c.name;
    }
    EXPECT_EQ(ReadAll(path), c.oldFile ? old : "") << c.name;
    EXPECT_EQ(Names(dir.Path()), before) << c.name << ": no file left behind";
  }
}

TEST(Settings, ASaveReplacesTheFileButKeepsItsLinkAndPermissions) {
  TTempFolder dir;
  const std::string real = dir.Path() + "dotfiles/Kardomel.INI";
  std::filesystem::create_directory(dir.Path() + "dotfiles");
  WriteAll(real, "[Options]\r\nBatch=1\r\n");
  ASSERT_EQ(chmod(real.c_str(), 0600), 0);
  const std::string link = dir.Path() + "Kardomel.INI";
  std::filesystem::create_symlink(real, link);
  SaveSettings(link, Changed());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TqelIniFile(real).ReadString("Paths", "Src", ""), Changed().Src);
  struct stat info;
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(Names(dir.Path() + "dotfiles"), std::vector<std::string>{"Kardomel.INI"});
}

TEST(SettingsPath, FolderAndFallback) {
  TTempFolder dir;
  const std::string program = dir.Path() + "bin/";
  const std::string xdg = dir.Path() + "xdg";
  const std::string home = dir.Path() + "home";
  struct {
    const char* name;
    const char* xdgConfigHome;
    const char* home;
    std::string expected;
  } cases[] = {
      {"XDG_CONFIG_HOME", xdg.c_str(), home.c_str(), xdg + "/Kardomel/Kardomel.INI"},
      {"HOME when XDG unset", nullptr, home.c_str(), home + "/.config/Kardomel/Kardomel.INI"},
      {"relative XDG ignored", "rel/dir", home.c_str(), home + "/.config/Kardomel/Kardomel.INI"},
      {"neither", nullptr, "", program + "Kardomel.INI"},
  };
  for (const auto& c : cases) {
    std::string path = SettingsFilePath(c.xdgConfigHome, c.home, program);
    EXPECT_EQ(path, c.expected) << c.name;
    if (path != program + "Kardomel.INI") {
      EXPECT_TRUE(std::filesystem::is_directory(ExtractFilePath(path))) << c.name;
    }
  }
  // A folder that cannot be created keeps the path.
  WriteAll(dir.Path() + "file", "x");
  EXPECT_EQ(SettingsFilePath((dir.Path() + "file").c_str(), nullptr, program),
            dir.Path() + "file/Kardomel/Kardomel.INI");
}

}  // namespace
}  // namespace kardomel
