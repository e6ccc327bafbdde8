#include "engine/split_sizing.h"

#include <optional>

#include "engine/part_size.h"
#include "support/globals.h"

namespace kardomel {

int64_t SizeLeads(int64_t srcSize, TSizeTexts& texts) {
  texts.Size = ResolvePresetLabel(texts.Size);
  // A size with its unit ("5 MB", "5MB", "4 GB") becomes its bytes, as the
  // command line takes it.
  if (StrToInt64Def(texts.Size, 0) <= 0) {
    if (std::optional<int64_t> bytes = ParseSizeArgument(texts.Size))
      texts.Size = std::to_string(*bytes);
  }
  const int64_t size = StrToInt64Def(texts.Size, 0);
  if (size <= 0) return 0;
  texts.Count = std::to_string(CountFromSize(srcSize, size));
  return size;
}

bool CountLeads(int64_t srcSize, TSizeTexts& texts, TInteraction& ui) {
  const int64_t typed = StrToInt64Def(texts.Count, 0);
  const int32_t count = static_cast<int32_t>(static_cast<uint32_t>(typed));
  if (count < 1) {
    ui.ShowMessageDialog("Fehlerhafte Eingabe.", "Der Wert muss größer als 0 sein.",
                         TMsgKind::Warning, mbOK);
    texts.Count.clear();
    return false;
  }
  texts.Size = std::to_string(SizeFromCount(srcSize, count));
  return true;
}

TPartSizing SplitSizing(int64_t srcSize, TSizeTexts& texts, TSizeLead lead, TInteraction& ui) {
  TPartSizing sizing;
  if (lead == TSizeLead::Size) SizeLeads(srcSize, texts);
  if (lead == TSizeLead::Count || (texts.Size.empty() && !texts.Count.empty()))
    sizing.CountRefused = !CountLeads(srcSize, texts, ui);
  sizing.PartSize = StrToInt64Def(texts.Size, 0);
  sizing.PartCount = StrToInt64Def(texts.Count, 0);
  return sizing;
}

}  // namespace kardomel
