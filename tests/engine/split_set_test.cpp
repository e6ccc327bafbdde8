#include "engine/split_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/scripted_interaction.h"
#include "fakes/temp_folder.h"
#include "support/errors.h"

namespace kardomel {
namespace {

using testing::ListNames;
using testing::ReadFile;
using testing::TScriptedInteraction;
using testing::TTempFolder;
using testing::WriteFile;

TEST(PartPath, ReplacesTheSourceExtensionByThePartNumber) {
  static const struct {
    const char* base;
    int32_t k;
    const char* part;
  } cases[] = {
      {"/t/Urlaub.avi", 1, "/t/Urlaub.001"},     {"/t/Urlaub.avi", 7, "/t/Urlaub.007"},
      {"/t/archiv.tar.gz", 100, "/t/archiv.tar.100"}, {"/t/README", 999, "/t/README.999"},
      {"/t/a.b/README", 42, "/t/a.b/README.042"},
  };
  for (const auto& c : cases) EXPECT_EQ(PartPath(c.base, c.k), c.part) << c.base << " " << c.k;
}

TEST(WriteDescriptor, WritesThreeWindows1252LinesWithCrLf) {
  static const struct {
    const char* name;
    const char* ext;
    int32_t count;
    int64_t size;
    const char* bytes;
  } cases[] = {
      {"extension loses its dot", ".avi", 4, 5000000, "avi\r\n4\r\n5000000\r\n"},
      {"no extension gives an empty line", "", 2, 10, "\r\n2\r\n10\r\n"},
      {"only the first dot goes", "..x", 1, 1, ".x\r\n1\r\n1\r\n"},
      {"umlauts are single bytes", ".äöü", 999, 6442450944,
       "\xE4\xF6\xFC\r\n999\r\n6442450944\r\n"},
  };
  for (const auto& c : cases) {
    TTempFolder dir;
    WriteFile(dir / "Urlaub.KDM", std::string(100, 'x'));  // replaced, not overwritten in place
    WriteDescriptor(*TEnv::Default(), dir / "Urlaub.avi", c.ext, c.count, c.size);
    EXPECT_EQ(ReadFile(dir / "Urlaub.KDM"), c.bytes) << c.name;
    EXPECT_EQ(ListNames(dir.Path()), std::vector<std::string>{"Urlaub.KDM"}) << c.name;
  }
}

TEST(WriteDescriptor, AnUnwritableFolderIsNamedWithTheReason) {
  TTempFolder dir;
  try {
    WriteDescriptor(*TEnv::Default(), dir / "missing/Urlaub.avi", ".avi", 4, 5000000);
    ADD_FAILURE() << "written";
  } catch (const EFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Datei kann nicht erstellt werden: " + dir /
                                             "missing/Urlaub.KDM (Datei oder Verzeichnis nicht "
                                             "gefunden)");
  }
}

class ReadDescriptorTest : public ::testing::Test {
 protected:
  std::optional<TDescriptor> Read(const std::string& name) {
    return ReadDescriptor(*TEnv::Default(), ui_, dir_ / name);
  }
  TTempFolder dir_;
  TScriptedInteraction ui_;
};

TEST_F(ReadDescriptorTest, AnyMemberOfTheSetFindsTheDescriptorWhateverItsCase) {
  static const struct {
    const char* onDisk;
    const char* member;
  } cases[] = {
      {"report.KDM", "report.003"}, {"report.KDM", "report.kdm"}, {"report.KDM", "report.pdf"},
      {"report.kdm", "report.001"}, {"Report.Kdm", "report.999"}, {"report.KDM", "report"},
  };
  for (const auto& c : cases) {
    TTempFolder dir;
    WriteFile(dir / c.onDisk, "pdf\r\n3\r\n1234\r\n");
    std::optional<TDescriptor> d = ReadDescriptor(*TEnv::Default(), ui_, dir / c.member);
    ASSERT_TRUE(d.has_value()) << c.onDisk << " via " << c.member;
    EXPECT_EQ(d->Extension, "pdf") << c.onDisk << " via " << c.member;
    EXPECT_EQ(d->Count, 3) << c.onDisk << " via " << c.member;
    EXPECT_EQ(d->Size, 1234) << c.onDisk << " via " << c.member;
  }
  EXPECT_TRUE(ui_.Records().empty());
}

TEST_F(ReadDescriptorTest, ReadsWhatWriteDescriptorWrote) {
  WriteDescriptor(*TEnv::Default(), dir_ / "Grüße.tar.äöü", ".äöü", 4, 6442450944);
  std::optional<TDescriptor> d = Read("Grüße.tar.002");
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->Extension, "äöü");
  EXPECT_EQ(d->Count, 4);
  EXPECT_EQ(d->Size, 6442450944);
}

TEST_F(ReadDescriptorTest, AMissingDescriptorIsReportedOnce) {
  WriteFile(dir_ / "report.001", "x");
  EXPECT_EQ(Read("report.001"), std::nullopt);
  ASSERT_EQ(ui_.Records().size(), 1u);
  const auto& message = ui_.Records()[0];
  EXPECT_EQ(message.Call, testing::TCall::Message);
  EXPECT_EQ(message.Instruction, "Dateiendung unbekannt.");
  EXPECT_EQ(message.Content,
            "Die KDM-Datei konnte nicht gelesen und deshalb die\rDateiendung für die Zieldatei "
            "nicht ermittelt werden.\rBitte geben Sie die Endung von Hand ein.");
  EXPECT_EQ(message.Kind, TMsgKind::Information);
  EXPECT_EQ(message.Buttons, static_cast<unsigned>(mbOK));
}

TEST_F(ReadDescriptorTest, ANumberLineThatIsNoNumberRaisesTheConversionError) {
  static const struct {
    const char* name;
    const char* bytes;
  } cases[] = {
      {"empty count", "avi\r\n\r\n5000000\r\n"}, {"word as count", "avi\r\nvier\r\n5000000\r\n"},
      {"empty size", "avi\r\n4\r\n\r\n"},        {"only two lines", "avi\r\n4\r\n"},
      {"empty file", ""},                        {"size with separators", "avi\r\n4\r\n5.000.000\r\n"},
  };
  for (const auto& c : cases) {
    WriteFile(dir_ / "report.KDM", c.bytes);
    EXPECT_THROW(Read("report.001"), EConvertError) << c.name;
  }
  EXPECT_TRUE(ui_.Records().empty());
}

TEST_F(ReadDescriptorTest, TheCountKeepsItsLow32Bits) {
  static const struct {
    const char* line;
    int32_t count;
  } cases[] = {{"4294967301", 5}, {"4294967295", -1}, {"2147483648", INT32_MIN}, {"-1", -1}};
  for (const auto& c : cases) {
    WriteFile(dir_ / "report.KDM", std::string("avi\r\n") + c.line + "\r\n1\r\n");
    std::optional<TDescriptor> d = Read("report.001");
    ASSERT_TRUE(d.has_value()) << c.line;
    EXPECT_EQ(d->Count, c.count) << c.line;
  }
}

TEST(IsPlainExtension, RefusesWhatCouldLeadOutOfTheFolderOrOntoAnotherName) {
  static const struct {
    std::string ext;
    bool plain;
  } cases[] = {
      {"avi", true},        {"", true},           {"tar.gz", true},   {".txt", true},
      {"äöü", true},        {"日本", true},       {"x y", true},
      {std::string("bat\0", 4), false},          {"x/../../escape", false},
      {"/", false},         {".", false},         {"..", false},      {"a\tb", false},
      {"a\nb", false},      {"a\x7F", false},     {"a\xC2\x85", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPlainExtension(c.ext), c.plain) << c.ext;
}

TEST(IsStorableExtension, RefusesWhatTheDescriptorWouldChange) {
  static const struct {
    const char* ext;
    bool storable;
  } cases[] = {
      {"avi", true}, {"", true}, {"äöü", true}, {"€", true},
      {"日本", false}, {"a\tb", false}, {"a\rb", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsStorableExtension(c.ext), c.storable) << c.ext;
}

TEST(WriteRejoinScript, WritesThirteenCrLfLinesEndingWithTheCopyLine) {
  TTempFolder dir;
  WriteFile(dir / "Übung.bat", std::string(2000, 'x'));
  const std::vector<std::string> parts = {"Übung.001", "Übung.002"};
  WriteRejoinScript(*TEnv::Default(), dir / "Übung.avi", "https://www.example.org/kardomel",
                    CopyLines(parts, "Übung.avi"));
  EXPECT_EQ(ReadFile(dir / "Übung.bat"),
            "echo off\r\n"
            "cls\r\n"
            "echo .\r\n"
            "echo    Diese Datei wurde mit\r\n"
            "echo          Kardomel\r\n"
            "echo    Version 9.00 geteilt.\r\n"
            "echo .\r\n"
            "echo  Aktuelle Versionen finden Sie unter\r\n"
            "echo  https://www.example.org/kardomel\r\n"
            "echo .\r\n"
            "echo .\r\n"
            "pause\r\n"
            "copy /b \"\x9A" "bung.001\" + \"\x9A" "bung.002\" \"\x9A" "bung.avi\"\r\n");
}

}  // namespace
}  // namespace kardomel
