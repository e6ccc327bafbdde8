// A split and a join the user stops in the middle of the copy: what stays on
// disk, what goes, and that the command ends as cancelled without a report.
#include <gtest/gtest.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

// Three parts of 300,000 bytes and a rest; a copy reports every 256 KiB.
constexpr int64_t kPart = 300000;
constexpr int64_t kSize = 3 * kPart + 12345;

struct TStopCase {
  const char* Name;
  int64_t CancelAfter;  // bytes copied when the user asks to stop
  int32_t WholeParts;   // the parts that are complete by then and stay
};

const TStopCase kStops[] = {
    {"before the first block", 0, 0},
    {"inside the first part", 1, 0},
    {"inside the second part", kPart + 1, 1},
    {"inside the last part", 3 * kPart + 1, 3},
};

TEST(StopSplit, KeepsTheWholePartsAndTheSourceAndRemovesTheBegunOne) {
  for (const TStopCase& stop : kStops) {
    SCOPED_TRACE(stop.Name);
    TTempFolder src, dst;
    TFaultEnv env;
    TScriptedInteraction ui;
    const std::string source = src / "film.avi";
    const std::string data = PatternBytes(kSize);
    WriteFile(source, data);
    ui.CancelAfter(stop.CancelAfter);
    TSplitInput input = SplitInputFor(source, kPart, dst.Path());
    input.WriteDescriptor = true;
    input.WriteBatch = true;
    TSplitResult result = RunSplit(input, env, ui);

    EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
    EXPECT_EQ(result.PartsWritten, stop.WholeParts);
    std::vector<std::string> expected;
    for (int32_t k = 1; k <= stop.WholeParts; ++k) {
      expected.push_back("film." + FormatPartNumber(k));
      EXPECT_EQ(ReadFile(PartPath(dst / "film.avi", k)),
                data.substr(static_cast<size_t>((k - 1) * kPart), kPart));
    }
    EXPECT_EQ(ListNames(dst.Path()), expected);  // no begun part, descriptor or script
    EXPECT_EQ(ReadFile(source), data);
    EXPECT_TRUE(ui.Instructions().empty());  // no report of success
    EXPECT_FALSE(ui.Busy());
  }
}

TEST(StopJoin, RemovesTheTemporaryFileAndKeepsEveryPart) {
  for (const TStopCase& stop : kStops) {
    SCOPED_TRACE(stop.Name);
    TTempFolder set;
    TFaultEnv env;
    TScriptedInteraction ui;
    const std::string data = PatternBytes(kSize);
    const int32_t count = WriteSet(set / "film.x", data, kPart);
    WriteFile(set / "film.KDM", "avi\r\n" + std::to_string(count) + "\r\n" +
                                    std::to_string(kSize) + "\r\n");
    WriteFile(set / "film.avi", "old");
    const std::vector<std::string> before = ListNames(set.Path());
    TJoinInput input = JoinInputFor(env, ui, set / "film.001");
    input.SameDir = true;
    input.DeleteParts = true;
    ui.Answer(TCall::Overwrite, mrOverwrite);
    ui.CancelAfter(stop.CancelAfter);
    TJoinResult result = RunJoin(input, env, ui);

    EXPECT_EQ(result.Outcome, TOutcome::Cancelled);
    EXPECT_EQ(ListNames(set.Path()), before);  // no temporary file left
    EXPECT_EQ(ReadFile(set / "film.avi"), "old");
    EXPECT_EQ(JoinedParts(set / "film.x", count), data);
    EXPECT_TRUE(ui.Instructions().empty());
    EXPECT_FALSE(ui.Busy());
    EXPECT_EQ(ui.Unused(), 0u);
  }
}

}  // namespace
}  // namespace kardomel::testing
