#include "engine/part_size.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <string>

#include "fakes/temp_folder.h"

namespace kardomel {
namespace {

// The medium presets in list order, as the users know them.
const struct {
  const char* label;
  int64_t bytes;
} kExpectedPresets[] = {
    {"3.5\" HD 1,44MB", 1456128}, {"3.5\" HD 1,7MB", 1726300},   {"E-Mail 1MB", 1048576},
    {"E-Mail 5MB", 5242880},      {"E-Mail 10MB", 10485760},     {"E-Mail 20MB", 20971520},
    {"ZIP 100", 104852200},       {"120MB LS", 125826000},       {"CDROM 650MB", 681572000},
    {"CDROM 700MB", 734000800},   {"USB-Stick 1GB", 1073741824}, {"USB-Stick 2GB", 2147483648},
    {"USB-Stick 4GB", 4294967296}, {"DVDROM 4,7GB", 5046584000},
};

TEST(SizePresets, EveryLabelStandsForItsBytesInListOrder) {
  ASSERT_EQ(kSizePresets.size(), std::size(kExpectedPresets));
  for (size_t i = 0; i < kSizePresets.size(); ++i) {
    const auto& expected = kExpectedPresets[i];
    EXPECT_STREQ(kSizePresets[i].Label, expected.label) << i;
    EXPECT_EQ(kSizePresets[i].Bytes, expected.bytes) << expected.label;
    EXPECT_EQ(ResolvePresetLabel(expected.label), std::to_string(expected.bytes)) << expected.label;
    EXPECT_EQ(EvaluateSizeText(expected.label), expected.bytes) << expected.label;
  }
}

TEST(EvaluateSizeText, OnlyAnExactLabelOrANumberCounts) {
  static const struct {
    const char* text;
    int64_t bytes;
  } cases[] = {
      {"E-Mail 5MB ", 0},  // a trailing blank makes it no label
      {" E-Mail 5MB", 0},
      {"e-mail 5mb", 0},   // nor does another letter case
      {"2000000", 2000000},
      {"-5", -5},
      {"2.000.000", 0},
      {"abc", 0},
      {"", 0},
      {"99999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(EvaluateSizeText(c.text), c.bytes) << "'" << c.text << "'";
  EXPECT_EQ(ResolvePresetLabel("E-Mail 5MB "), "E-Mail 5MB ");
}

TEST(MegabyteHint, ShowsOneDecimalWithoutThousandsSeparators) {
  static const struct {
    int64_t bytes;
    char separator;
    const char* hint;
  } cases[] = {
      {1456128, ',', "ca. 1,4 MB"},       {5046584000, ',', "ca. 4812,8 MB"},
      {2147483648, ',', "ca. 2048,0 MB"}, {734000800, ',', "ca. 700,0 MB"},
      {1048576, '.', "ca. 1.0 MB"},       {1, ',', "ca. 0,0 MB"},
  };
  for (const auto& c : cases) EXPECT_EQ(MegabyteHint(c.bytes, c.separator), c.hint) << c.bytes;
}

// The Qt program sets the C locale from the environment; the hint must
// still show the separator it is given.
TEST(MegabyteHint, IgnoresTheProcessLocale) {
  testing::TTempFolder dir;
  if (testing::Shell("localedef -i de_DE -f UTF-8 " + testing::Quote(dir / "de_DE.UTF-8") +
                     " >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "cannot build the German locale here";
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  ::setenv("LOCPATH", dir.Path().c_str(), 1);
  const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  ::unsetenv("LOCPATH");
  if (!german) GTEST_SKIP() << "the German locale does not load";
  const std::string point = MegabyteHint(1456128, '.');
  const std::string comma = MegabyteHint(5046584000, ',');
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(point, "ca. 1.4 MB");
  EXPECT_EQ(comma, "ca. 4812,8 MB");
}

TEST(PartCount, CountRoundsUpAndSizeSpreadsTheSource) {
  static const struct {
    int64_t srcSize;
    int64_t size;
    int64_t count;
  } fromSize[] = {
      {10000000, 1456128, 7}, {5000000, 1456128, 4}, {2 * 1456128, 1456128, 2},
      {2 * 1456128 + 1, 1456128, 3}, {1, 1456128, 1}, {0, 1456128, 0},
      {6442450944, 4294967296, 2}, {INT64_MAX, 1, INT64_MAX},
  };
  for (const auto& c : fromSize)
    EXPECT_EQ(CountFromSize(c.srcSize, c.size), c.count) << c.srcSize << " / " << c.size;

  EXPECT_EQ(SizeFromCount(1000000, 4), 250001);
  EXPECT_EQ(SizeFromCount(10, 5), 3);
  EXPECT_EQ(CountFromSize(10, SizeFromCount(10, 5)), 4) << "ten bytes in five parts give four";
}

TEST(PartCount, TheDerivedSizeGivesTheWishedCountFromCountSquaredBytesOn) {
  for (int64_t count = 1; count <= 60; ++count) {
    for (int64_t srcSize = count * count; srcSize < count * count + 3 * count; ++srcSize) {
      EXPECT_EQ(CountFromSize(srcSize, SizeFromCount(srcSize, count)), count)
          << srcSize << " bytes in " << count << " parts";
    }
  }
  EXPECT_EQ(CountFromSize(6442450944, SizeFromCount(6442450944, 999)), 999);
}

TEST(ParseSizeArgument, TakesBytesLabelsAndMegaOrGigabytes) {
  static const struct {
    const char* text;
    std::optional<int64_t> bytes;
  } cases[] = {
      {"1456128", 1456128},
      {"CDROM 700MB", 734000800},
      {"700MB", 700LL << 20},
      {"4GB", 4LL << 30},
      {"2 GB", 2LL << 30},
      {"8589934591GB", 8589934591LL << 30},  // the largest that fits
      {"8589934592GB", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"99999999999999999999MB", std::nullopt},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"MB", std::nullopt},
      {"1.5GB", std::nullopt},
      {"0", std::nullopt},
      {"0MB", std::nullopt},
      {"-5", std::nullopt},
      {"-5MB", std::nullopt},
      {"5KB", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSizeArgument(c.text), c.bytes) << "'" << c.text << "'";
}

}  // namespace
}  // namespace kardomel
