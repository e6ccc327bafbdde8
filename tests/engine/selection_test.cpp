#include "engine/selection.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <map>
#include <string>

#include "fakes/temp_folder.h"

namespace kardomel {
namespace {

using testing::TTempFolder;
using testing::WriteFile;

const char* Name(TSelectionMode mode) {
  switch (mode) {
    case TSelectionMode::Empty: return "empty";
    case TSelectionMode::Split: return "split";
    case TSelectionMode::Join: return "join";
  }
  return "?";
}

TEST(ClassifySelection, FollowsTheFirstMatchingRule) {
  constexpr auto E = TSelectionMode::Empty, S = TSelectionMode::Split, J = TSelectionMode::Join;
  static const struct {
    const char* name;
    bool folder;
    TSelectionMode mode;
  } cases[] = {
      {"report.kdm", false, J},   {"report.KDM", false, J},  {"report.Kdm", false, J},
      {"report.001", false, J},   {"report.007", false, J},  {"report.09", false, J},
      {"report.099", false, J},   {"report.000", false, S},  {"report.100", false, S},
      {"report.999", false, S},   {"report.0", false, S},    {"report.01a", false, J},
      {"report.0123", false, J},  {"report.0x5", false, J},  {"report.0xa", false, J},
      {"report.0x0", false, S},   {"report.0xg", false, S},  {"report.0x", false, S},
      {"report.pdf", false, S},   {"README", false, S},      {"report.zip", false, S},
      {"archive.zip", true, S},   {"archive.ZIP", true, E},  {"photos", true, E},
      {"teile.001", true, E},     {"teile.kdm", true, E},    {"link.lnk", false, E},
      {"LINK.LNK", false, E},     {"report.tar.003", false, J},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(Name(ClassifySelection(c.name, c.folder)), Name(c.mode))
        << c.name << (c.folder ? " (folder)" : "");
  }
}

TEST(CountParts, CountsFromPartTwoOnAndAddsTheSizesFound) {
  static const struct {
    const char* name;
    std::map<int, int64_t> parts;  // number -> size
    int32_t count;
    int64_t total;
  } cases[] = {
      {"001 to 005", {{1, 10}, {2, 20}, {3, 30}, {4, 40}, {5, 5}}, 5, 105},
      {"001 missing", {{2, 20}, {3, 30}, {4, 40}, {5, 5}}, 5, 95},
      {"only 001", {{1, 10}}, 1, 10},
      {"a gap ends the count", {{1, 10}, {2, 20}, {4, 40}}, 2, 30},
      {"none at all", {}, 1, 0},
      {"empty parts count", {{1, 0}, {2, 0}}, 2, 0},
      // A size of -1 stands for a folder of that name: it counts, with no bytes.
      {"a folder counts without bytes", {{1, 10}, {2, -1}, {3, 30}}, 3, 40},
  };
  for (const auto& c : cases) {
    TTempFolder dir;
    for (const auto& [number, size] : c.parts) {
      char ext[8];
      std::snprintf(ext, sizeof ext, ".%03d", number);
      const std::string path = dir / (std::string("report") + ext);
      if (size < 0)
        std::filesystem::create_directory(path);
      else
        WriteFile(path, std::string(size, 'x'));
    }
    for (const char* selected : {"report.003", "report.kdm"}) {
      TPartCount counted = CountParts(*TEnv::Default(), dir / selected);
      EXPECT_EQ(counted.Count, c.count) << c.name << " via " << selected;
      EXPECT_EQ(counted.Total, c.total) << c.name << " via " << selected;
    }
  }
}

}  // namespace
}  // namespace kardomel
