#include "engine/split_sizing.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "fakes/scripted_interaction.h"

namespace kardomel {
namespace {

using testing::TScriptedInteraction;

// The one rule behind the window's split, its automatic start and the
// command line: which text leads, and what both texts read afterwards.
TEST(SplitSizing, TheGivenTextLeadsAndTheOtherFollows) {
  static const struct {
    const char* name;
    TSizeLead lead;
    const char* size;
    const char* count;
    int64_t srcSize;
    const char* sizeAfter;
    const char* countAfter;
    bool refused;
  } kCases[] = {
      {"preset leads", TSizeLead::Size, "3.5\" HD 1,44MB", "", 10000000, "1456128", "7", false},
      {"size leads over a stale count", TSizeLead::Size, "1000", "9", 5000, "1000", "5", false},
      {"unreadable size keeps the count", TSizeLead::Size, "viel", "9", 5000, "viel", "9", false},
      {"count leads", TSizeLead::Count, "", "4", 1000000, "250001", "4", false},
      {"count leads over a size", TSizeLead::Count, "7", "5", 10, "3", "5", false},
      {"count of zero", TSizeLead::Count, "", "0", 10, "", "", true},
      {"count beyond 32 bits wraps", TSizeLead::Count, "", "4294967297", 10, "11", "4294967297", false},
      {"texts: a count without a size leads", TSizeLead::Texts, "", "abc", 10, "", "", true},
      {"texts as they stand", TSizeLead::Texts, "E-Mail 5MB", "3", 10, "E-Mail 5MB", "3", false},
      {"empty source", TSizeLead::Size, "100", "", 0, "100", "0", false},
  };
  for (const auto& c : kCases) {
    TScriptedInteraction ui;
    TSizeTexts texts{c.size, c.count};
    const TPartSizing sizing = SplitSizing(c.srcSize, texts, c.lead, ui);
    EXPECT_EQ(texts.Size, c.sizeAfter) << c.name;
    EXPECT_EQ(texts.Count, c.countAfter) << c.name;
    EXPECT_EQ(sizing.PartSize, std::atoll(c.sizeAfter)) << c.name;
    EXPECT_EQ(sizing.PartCount, std::atoll(c.countAfter)) << c.name;
    EXPECT_EQ(sizing.CountRefused, c.refused) << c.name;
    ASSERT_EQ(ui.Records().size(), c.refused ? 1u : 0u) << c.name;
    if (c.refused) {
      EXPECT_EQ(ui.Records()[0].Instruction, "Fehlerhafte Eingabe.") << c.name;
      EXPECT_EQ(ui.Records()[0].Content, "Der Wert muss größer als 0 sein.") << c.name;
      EXPECT_EQ(ui.Records()[0].Kind, TMsgKind::Warning) << c.name;
    }
  }
}

}  // namespace
}  // namespace kardomel
