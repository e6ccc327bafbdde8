// The archive's target path, the password bytes and the entry names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "archive_helpers.h"
#include "delivery/archive/archive_name.h"
#include "delivery/archive/archive_password.h"
#include "delivery/archive/zip_entries.h"

namespace kardomel::testing {
namespace {

TEST(ArchiveNamesTest, TargetPath) {
  const struct {
    const char* path;
    bool sfx;
    const char* expected;
  } cases[] = {
      {"/home/u/_bericht.zip", false, "/home/u/_bericht.zip"},
      {"/home/u/_bericht.exe", false, "/home/u/_bericht.zip"},
      {"/home/u/_bericht.exe", true, "/home/u/_bericht.exe"},
      {"/home/u/_bericht.zip", true, "/home/u/_bericht.exe"},
      {"/home/u/_bericht", false, "/home/u/_bericht.zip"},
      {"/home/u/_bericht", true, "/home/u/_bericht.exe"},
      {"  /home/u/_Daten.ZIP  ", false, "/home/u/_Daten.ZIP"},
      {"/home/archiv.zip.alt/_daten.txt", false, "/home/archiv.zip.alt/_daten.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ArchiveTargetPath(c.path, c.sfx), c.expected) << c.path << " sfx " << c.sfx;
}

TEST(ArchiveNamesTest, PasswordBytesAreWindows1252OrRefused) {
  EXPECT_EQ(ArchivePasswordBytes("geheim"), "geheim");
  EXPECT_EQ(ArchivePasswordBytes("Grüße€"), "Gr\xFC\xDF\x65\x80");
  EXPECT_EQ(ArchivePasswordBytes(""), "");
  EXPECT_EQ(ArchivePasswordBytes("Пароль"), std::nullopt);
  EXPECT_EQ(ArchivePasswordBytes("ab✓"), std::nullopt);
}

TEST(ArchiveNamesTest, EntryNamesWithAndWithoutPaths) {
  TTempFolder folder;
  ::mkdir((folder / "Ordner").c_str(), 0755);
  ::mkdir((folder / "Ordner/.tief").c_str(), 0755);
  ::mkdir((folder / "Ordner/leer").c_str(), 0755);
  WriteFile(folder / "Ordner/.tief/.rc", "x");
  WriteFile(folder / "Ordner/ä.txt", "y");
  WriteFile(folder / "daten.txt", "z");
  const std::string base = folder.Path().substr(1);  // without the leading '/'
  const struct {
    bool storePaths;
    std::vector<std::string> expected;
  } cases[] = {
      {true,
       {base + "Ordner/.tief/.rc", base + "Ordner/leer/", base + "Ordner/ä.txt",
        base + "daten.txt"}},
      {false, {".rc", "daten.txt", "ä.txt"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    for (const TZipEntry& entry :
         CollectZipEntries({folder / "Ordner/", folder / "daten.txt"}, c.storePaths))
      names.push_back(entry.Name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.expected) << "store paths " << c.storePaths;
  }
}

TEST(ArchiveNamesTest, LinkBackUpTheTreeIsWalkedOnce) {
  TTempFolder folder;
  ::mkdir((folder / "a").c_str(), 0755);
  WriteFile(folder / "a/f.txt", "f");
  ASSERT_EQ(::symlink(folder.Path().c_str(), (folder / "a/zurück").c_str()), 0);
  int copies = 0;
  for (const TZipEntry& entry : CollectZipEntries({folder / "a"}, true))
    copies += entry.SourcePath.ends_with("f.txt");
  EXPECT_EQ(copies, 1);
}

}  // namespace
}  // namespace kardomel::testing
