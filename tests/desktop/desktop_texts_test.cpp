// The entries' texts: the Exec value for awkward program paths, the
// mimeapps.list edits, the desktop-file validator on what is written, and
// the file managers' script run for real.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "delivery/desktop/desktop_texts.h"
#include "delivery/desktop/mimeapps_list.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

TEST(DesktopExec, ReservedCharactersAreQuotedAndEscaped) {
  const struct {
    const char* path;
    const char* exec;
  } cases[] = {
      {"/usr/bin/kardomel", "/usr/bin/kardomel"},
      {"/opt/Kardomel 9/kardomel", "\"/opt/Kardomel 9/kardomel\""},
      {"/opt/a\"b/kardomel", "\"/opt/a\\\\\"b/kardomel\""},
      {"/opt/$HOME/kardomel", "\"/opt/\\\\$HOME/kardomel\""},
      {"/opt/a\\b/kardomel", "\"/opt/a\\\\\\\\b/kardomel\""},
      {"/opt/100%/kardomel", "/opt/100%%/kardomel"},
      {"/opt/it's/kardomel", "\"/opt/it's/kardomel\""},
  };
  for (const auto& c : cases) EXPECT_EQ(DesktopExecProgram(c.path), c.exec) << c.path;
}

TEST(MimeappsList, OnlyOurLineChanges) {
  const std::string ours = "application/x-kardomel-kdm=kardomel.desktop;";
  const struct {
    const char* name;
    bool on;
    std::string before, after;
  } cases[] = {
      {"empty file", true, "", "[Default Applications]\n" + ours + "\n"},
      {"section missing", true, "[Added Associations]\nimage/png=eog.desktop;\n",
       "[Added Associations]\nimage/png=eog.desktop;\n\n[Default Applications]\n" + ours + "\n"},
      {"another default replaced", true,
       "[Default Applications]\napplication/x-kardomel-kdm=other.desktop;\ntext/plain=a.desktop;\n",
       "[Default Applications]\ntext/plain=a.desktop;\n" + ours + "\n"},
      {"same line in another section kept", true,
       "[Added Associations]\napplication/x-kardomel-kdm=kardomel.desktop;\n",
       "[Added Associations]\napplication/x-kardomel-kdm=kardomel.desktop;\n\n"
       "[Default Applications]\n" + ours + "\n"},
      {"off removes our line", false, "[Default Applications]\n" + ours + "\ntext/plain=a.desktop;\n",
       "[Default Applications]\ntext/plain=a.desktop;\n"},
      {"off keeps another program's default", false,
       "[Default Applications]\napplication/x-kardomel-kdm=other.desktop;\n",
       "[Default Applications]\napplication/x-kardomel-kdm=other.desktop;\n"},
      {"off takes us out of a list", false,
       "[Default Applications]\napplication/x-kardomel-kdm = kardomel.desktop;other.desktop;\n",
       "[Default Applications]\napplication/x-kardomel-kdm=other.desktop;\n"},
      {"off without a section", false, "# mine\n", "# mine\n"},
  };
  for (const auto& c : cases) {
    const std::string after =
        c.on ? WithDefaultApplication(c.before, kKdmMimeType, kDesktopId)
             : WithoutDefaultApplication(c.before, kKdmMimeType, kDesktopId);
    EXPECT_EQ(after, c.after) << c.name;
    if (c.on) {
      EXPECT_EQ(WithDefaultApplication(after, kKdmMimeType, kDesktopId), after)
          << c.name << ": a second run changes nothing";
    }
  }
}

TEST(DesktopEntries, PassTheValidator) {
  if (Shell("command -v desktop-file-validate >/dev/null") != 0)
    GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) not installed";
  TTempFolder tmp;
  for (const std::string program : {"/usr/bin/kardomel", "/opt/Kardomel 9/it's $x/kardomel"}) {
    WriteFile(tmp / "kardomel.desktop", DesktopEntry(program));
    WriteFile(tmp / "sendto.desktop", ThunarSendTo(program));
    for (const char* name : {"kardomel.desktop", "sendto.desktop"}) {
      EXPECT_EQ(Shell("desktop-file-validate " + Quote(tmp / name)), 0) << name << " " << program;
    }
    EXPECT_NE(DesktopEntry(program).find("\nMimeType=application/x-kardomel-kdm;\n"),
              std::string::npos);
    EXPECT_NE(DesktopEntry(program).find("\nIcon=kardomel\n"), std::string::npos);
  }
}

TEST(FileManagerScript, HandsTheChosenFileToTheProgram) {
  TTempFolder tmp;
  // A program path that needs quoting, standing in for kardomel.
  const std::string folder = tmp / "it's here";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string program = folder + "/kardomel";
  WriteFile(program, "#!/bin/sh\nprintf '%s|' \"$@\" > " + Quote(tmp / "args") + "\n");
  ::chmod(program.c_str(), 0755);
  const std::string script = tmp / "Kardomel";
  WriteFile(script, FileManagerScript(program));
  ::chmod(script.c_str(), 0755);

  ASSERT_EQ(Shell(Quote(script) + " '/home/u/My Files/a b.kdm' '/home/u/second'"), 0);
  EXPECT_EQ(ReadFile(tmp / "args"), "/home/u/My Files/a b.kdm|");
}

TEST(SendToEntries, OfferTheProgramForAnyFile) {
  const std::string program = "/opt/it's/kardomel";
  const std::string dolphin = DolphinServiceMenu(program);
  EXPECT_NE(dolphin.find("\nMimeType=all/allfiles;\n"), std::string::npos);
  EXPECT_NE(dolphin.find("\nExec=\"/opt/it's/kardomel\" %f\n"), std::string::npos) << dolphin;
  const std::string nemo = NemoAction(program);
  EXPECT_NE(nemo.find("\nExec='/opt/it'\\''s/kardomel' %F\n"), std::string::npos) << nemo;
  EXPECT_NE(nemo.find("\nQuote=double\n"), std::string::npos);
  EXPECT_NE(nemo.find("\nSelection=s\n"), std::string::npos);
}

}  // namespace
}  // namespace kardomel::testing
