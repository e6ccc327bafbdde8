#include "support/ini/qel_ini_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace kardomel {
namespace {

TEST(IniFile, KeepsForeignLinesAndAppendsInWriteOrder) {
  TTempFolder dir;
  std::string path = dir.Path() + "a.ini";
  WriteAll(path,
           "; written by hand\r\n"
           "[options]\r\n"
           "  BATCH = 0 \r\n"
           "Unknown=keep me\r\n"
           "\r\n"
           "; about paths\r\n"
           "[Paths]\r\n"
           "Src=/old/\r\n");
  TqelIniFile ini(path);
  ini.WriteBool("Options", "Batch", true);         // rewritten in place, file's spelling kept
  ini.WriteString("OPTIONS", "DstSize", "E-Mail 5MB");  // after the section's last key
  ini.WriteString("Paths", "Dst", "/new/");
  ini.WriteString("Window", "Hints", "1");         // a new section at the end
  ini.WriteString("Window", "KdmFile", "0");
  EXPECT_EQ(ReadAll(path),
            "; written by hand\r\n"
            "[options]\r\n"
            "BATCH=1\r\n"
            "Unknown=keep me\r\n"
            "DstSize=E-Mail 5MB\r\n"
            "\r\n"
            "; about paths\r\n"
            "[Paths]\r\n"
            "Src=/old/\r\n"
            "Dst=/new/\r\n"
            "[Window]\r\n"
            "Hints=1\r\n"
            "KdmFile=0\r\n");
}

TEST(IniFile, ReadsHandEditedFiles) {
  TTempFolder dir;
  std::string path = dir.Path() + "b.ini";
  WriteAll(path,
           "\xEF\xBB\xBF[Paths]\n"
           "orphan line without equals\n"
           "src=/first/\n"
           "Src=/second/\n"
           "=no key\n"
           "Quoted=\"  two blanks  \"\n"
           "Latin1=M\xFCnchen\n"
           "[Paths]\n"
           "Dst=/in a duplicate section/\n"
           "[Broken\n"
           "Key=under a broken header\n"
           "\x01\x02\xFF garbage\n");
  TqelIniFile ini(path);
  EXPECT_EQ(ini.ReadString("PATHS", "SRC", "-"), "/first/");  // the first wins
  EXPECT_EQ(ini.ReadString("Paths", "Quoted", "-"), "  two blanks  ");
  EXPECT_EQ(ini.ReadString("Paths", "Latin1", "-"), "M\xEF\xBF\xBDnchen");  // U+FFFD
  EXPECT_EQ(ini.ReadString("Paths", "Dst", "-"), "-");  // only the first section is searched
  EXPECT_EQ(ini.ReadString("Broken", "Key", "-"), "under a broken header");
  EXPECT_EQ(ini.ReadString("Paths", "orphan line without equals", "-"), "-");
  EXPECT_EQ(ini.ReadString("Missing", "Src", "default"), "default");

  // LF files stay LF, the mark stays in front.
  ini.WriteString("Paths", "Src", "/x/");
  std::string text = ReadAll(path);
  EXPECT_EQ(text.substr(0, 13), "\xEF\xBB\xBF[Paths]\nor");
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(IniFile, MixedLineEndsStayAsTheyWere) {
  TTempFolder dir;
  std::string path = dir.Path() + "mixed.ini";
  WriteAll(path, "[S]\nA=1\r\nB=2\r\r\nC=3\r");
  TqelIniFile(path).WriteString("S", "A", "9");
  EXPECT_EQ(ReadAll(path), "[S]\nA=9\r\nB=2\r\r\nC=3\r");
  // New lines end like the first; the last one's lone CR would join them.
  TqelIniFile(path).WriteString("S", "D", "4");
  EXPECT_EQ(ReadAll(path), "[S]\nA=9\r\nB=2\r\r\nC=3\nD=4\n");
  EXPECT_EQ(TqelIniFile(path).ReadString("S", "C", ""), "3");
}

TEST(IniFile, StringsRoundTripWhole) {
  TTempFolder dir;
  std::string path = dir.Path() + "c.ini";
  const std::string deep = "/home/ä/" + std::string(300, 'x') + "/";
  struct {
    const char* name;
    std::string value;
    std::string expected;
  } cases[] = {
      {"umlauts", "/home/Jürgen/Übergröße/", "/home/Jürgen/Übergröße/"},
      {"over 254 bytes", deep, deep},
      {"empty", "", ""},
      {"outer blanks", "  a b  ", "  a b  "},
      {"quoted", "\"q\"", "\"q\""},
      {"lone quote", "\"", "\""},
      {"equals and semicolon", "a=b;c", "a=b;c"},
      {"line break cut", "first\nsecond", "first"},
  };
  for (const auto& c : cases) {
    TqelIniFile(path).WriteString("S", "K", c.value);
    EXPECT_EQ(TqelIniFile(path).ReadString("S", "K", "-"), c.expected) << c.name;
  }
  // Umlauts are stored as their UTF-8 bytes.
  TqelIniFile(path).WriteString("S", "K", "ü");
  EXPECT_NE(ReadAll(path).find("K=\xC3\xBC"), std::string::npos);
}

TEST(IniFile, IntegersAndBooleans) {
  struct {
    const char* text;
    int32_t integer;  // read with default -7
    bool boolean;     // read with default true
  } cases[] = {
      {"0", 0, false},          {"1", 1, true},           {"-12", -12, true},
      {"2147483647", 2147483647, true},                   {"2147483648", -7, true},
      {"0x1F", 31, true},       {"0X0", 0, false},        {"0xFFFFFFFF", -1, true},
      {"0x", -7, true},         {"0x1G", -7, true},       {"12abc", -7, true},
      {"", -7, true},           {"yes", -7, true},        {"1.5", -7, true},
  };
  TTempFolder dir;
  std::string path = dir.Path() + "d.ini";
  for (const auto& c : cases) {
    TqelIniFile(path).WriteString("S", "V", c.text);
    TqelIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "V", -7), c.integer) << c.text;
    EXPECT_EQ(ini.ReadBool("S", "V", true), c.boolean) << c.text;
  }
  TqelIniFile ini(path);
  ini.WriteInteger("S", "N", -42);
  ini.WriteBool("S", "B", true);
  EXPECT_EQ(TqelIniFile(path).ReadString("S", "N", ""), "-42");
  EXPECT_EQ(TqelIniFile(path).ReadString("S", "B", ""), "1");
}

TEST(IniFile, RefusedWriteNamesTheFile) {
  TTempFolder dir;
  std::string path = dir.Path() + "no/such/folder/e.ini";
  TqelIniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
  try {
    ini.WriteString("S", "K", "v");
    FAIL() << "no error";
  } catch (const EIniFileError& e) {
    EXPECT_EQ(std::string(e.what()), "In " + path + " kann nicht geschrieben werden");
  }
}

}  // namespace
}  // namespace kardomel
