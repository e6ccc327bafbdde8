// GNU split and cat as peers: the same part size gives byte-identical
// parts, and our parts concatenated rebuild the file.
#include <gtest/gtest.h>

#include "operation_helpers.h"

namespace kardomel::testing {
namespace {

TEST(GnuPeerTest, PartsMatchGnuSplitAndCatRebuildsTheFile) {
  if (Shell("split --version >/dev/null 2>&1 && cmp --version >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "GNU split or cmp is missing";
  const struct {
    const char* name;
    int64_t size, part;
  } cases[] = {
      {"last part shorter", 10001, 1000},
      {"exact multiple", 10000, 1000},
      {"block-sized parts", 2 * 262144, 262144},
      {"parts across blocks", 3 * 300000 + 7, 300000},
      {"first preset", 5000000, 1456128},
  };
  for (const auto& c : cases) {
    TTempFolder ours, theirs;
    const std::string source = ours / "peer.bin";
    WriteFile(source, PatternBytes(c.size, 11));
    TScriptedInteraction ui;
    TSplitResult result = RunSplit(SplitInputFor(source, c.part), *TEnv::Default(), ui);
    ASSERT_EQ(result.Outcome, TOutcome::Done) << c.name;
    ASSERT_EQ(Shell("cd " + Quote(theirs.Path()) + " && split -b " + std::to_string(c.part) +
                    " -a 3 --numeric-suffixes=1 " + Quote(source) + " gnu."),
              0)
        << c.name;
    EXPECT_EQ(static_cast<int32_t>(ListNames(theirs.Path()).size()), result.PartsWritten) << c.name;
    std::string parts;
    for (int32_t k = 1; k <= result.PartsWritten; ++k) {
      const std::string number = FormatPartNumber(k);
      EXPECT_EQ(Shell("cmp -s " + Quote(ours / ("peer." + number)) + " " +
                      Quote(theirs / ("gnu." + number))),
                0)
          << c.name << " part " << k;
      parts += " " + Quote(ours / ("peer." + number));
    }
    EXPECT_EQ(Shell("cat" + parts + " > " + Quote(theirs / "rebuilt") + " && cmp -s " +
                    Quote(theirs / "rebuilt") + " " + Quote(source)),
              0)
        << c.name;
  }
}

}  // namespace
}  // namespace kardomel::testing
