// Archives of the libzip writer as three independent readers see them:
// unzip, 7-Zip and python3's zipfile, with and without a password.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "archive_helpers.h"
#include "delivery/archive/archive_password.h"

namespace kardomel::testing {
namespace {

// A tree with hidden files, umlaut names, an empty folder and a file
// big enough for deflate to matter.
struct TTree {
  TTempFolder Folder;
  std::string Root = Folder / "Bäume/";
  TTree() {
    ::mkdir(Root.c_str(), 0755);
    ::mkdir((Root + ".versteckt").c_str(), 0755);
    ::mkdir((Root + "leer").c_str(), 0755);
    WriteFile(Root + "Größe.txt", "Grüße aus Köln\n");
    WriteFile(Root + ".hidden", "hidden\n");
    WriteFile(Root + ".versteckt/inner.bin", PatternBytes(300000, 3));
    WriteFile(Root + "leer.txt", "");
  }
  std::string Archive() const { return Folder / "out/_Bäume.zip"; }
};

TArchiveInput InputFor(const TTree& tree, const std::string& password) {
  ::mkdir((tree.Folder / "out").c_str(), 0755);
  TArchiveInput input;
  input.Items = {tree.Folder / "Bäume"};
  input.ArchivePath = tree.Archive();
  input.Password = password;
  return input;
}

TEST(ArchiveReadersTest, UnzipSevenZipAndPythonReadTheTreeWithAndWithoutPassword) {
  if (!HaveTool("unzip") || !HaveTool("7z") || !HaveTool("python3"))
    GTEST_SKIP() << "unzip, 7z or python3 is missing";
  const struct {
    const char* name;
    std::string password;  // UTF-8, as the user typed it
  } cases[] = {
      {"no password", ""},
      {"ascii password", "geheim42"},
      {"Windows-1252 password", "Käse€"},
  };
  for (const auto& c : cases) {
    TTree tree;
    const std::string bytes = ArchivePasswordBytes(c.password).value();
    TArchiveResult result = WriteArchive(InputFor(tree, bytes));
    ASSERT_EQ(result.Outcome, TArchiveOutcome::Created) << c.name;
    EXPECT_EQ(result.Added, 5) << c.name;  // four files and the empty folder
    EXPECT_EQ(result.Size, FileSize(tree.Archive())) << c.name;

    int status = 0;
    std::string out = ShellOutput("unzip -t -P " + Quote(bytes) + " " + Quote(tree.Archive()) +
                                      " 2>&1",
                                  &status);
    EXPECT_EQ(status, 0) << c.name << "\n" << out;
    EXPECT_EQ(out.find("warning"), std::string::npos) << c.name << "\n" << out;

    // In the C locale p7zip keeps the argument's bytes as the password bytes.
    out = ShellOutput("LC_ALL=C 7z t -p" + Quote(bytes) + " " + Quote(tree.Archive()) +
                          " 2>&1",
                      &status);
    EXPECT_EQ(status, 0) << c.name << "\n" << out;

    const std::string expected = DiskDigests(tree.Root, "/");
    EXPECT_EQ(PythonDigests(tree.Archive(), bytes), expected) << c.name;
  }
}

TEST(ArchiveReadersTest, EntriesAreEncryptedExactlyWhenThereIsAPassword) {
  if (!HaveTool("python3")) GTEST_SKIP() << "python3 is missing";
  static const char script[] = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    print(sorted({(i.flag_bits & 1, i.compress_type) for i in z.infolist() if not i.is_dir()}))
)";
  for (const std::string password : {"", "pw"}) {
    TTree tree;
    ASSERT_EQ(WriteArchive(InputFor(tree, password)).Outcome, TArchiveOutcome::Created);
    EXPECT_EQ(Python(script, tree.Archive(), ""), password.empty() ? "[(0, 8)]\n" : "[(1, 8)]\n")
        << "password '" << password << "'";
  }
}

TEST(ArchiveReadersTest, WrongPasswordIsRefusedByTheReaders) {
  if (!HaveTool("unzip") || !HaveTool("python3")) GTEST_SKIP() << "unzip or python3 is missing";
  TTree tree;
  ASSERT_EQ(WriteArchive(InputFor(tree, "richtig")).Outcome, TArchiveOutcome::Created);
  EXPECT_NE(Shell("unzip -t -P falsch " + Quote(tree.Archive()) + " >/dev/null 2>&1"), 0);
  int status = 0;
  Python("import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1])\nz.setpassword(b'falsch')\n"
         "[z.read(i) for i in z.infolist() if not i.is_dir()]",
         tree.Archive(), "", &status);
  EXPECT_NE(status, 0);
}

TEST(ArchiveReadersTest, HighCompressionIsSmallerOnText) {
  TTempFolder folder;
  std::string text;
  for (int i = 0; text.size() < 2000000; ++i)
    text += "Zeile " + std::to_string(i * 7919 % 100003) + ": Kardomel teilt Dateien in Teile. " +
            std::to_string(i % 97) + "\n";
  WriteFile(folder / "text.txt", text);
  int64_t sizes[2];
  int levels[2] = {4, 9};
  for (int k = 0; k < 2; ++k) {
    TArchiveInput input;
    input.Items = {folder / "text.txt"};
    input.ArchivePath = folder / ("level" + std::to_string(levels[k]) + ".zip");
    input.Level = levels[k];
    sizes[k] = WriteArchive(input).Size;
  }
  EXPECT_GT(sizes[0], 0);
  EXPECT_LT(sizes[1], sizes[0]);
}

}  // namespace
}  // namespace kardomel::testing
