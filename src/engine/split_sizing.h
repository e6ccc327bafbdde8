// The split's part size and count from the texts of the size and count
// fields: a size just given leads and the count follows it, a count without a
// size leads and the size follows it. The window, its automatic start, the
// command line and the tests share this one rule.
#pragma once

#include <cstdint>
#include <string>

#include "engine/interaction.h"

namespace kardomel {

// The texts of the two fields; the rules below rewrite them as the fields
// show the result.
struct TSizeTexts {
  std::string Size;   // a preset label or a byte count
  std::string Count;  // a part count
};

// The size leads: a preset label in Texts.Size becomes its byte count; when
// the size is then a positive number, Texts.Count becomes the number of parts
// of that size SrcSize needs. Returns the size, 0 when it is no positive
// number (Texts.Count then stays as it was).
int64_t SizeLeads(int64_t srcSize, TSizeTexts& texts);

// The count leads: the low 32 bits of Texts.Count, read as a number, are the
// count, as the count field holds a 32-bit count. A count below 1 is refused:
// the warning "Fehlerhafte Eingabe." is shown through Ui, Texts.Count is
// emptied and false returned. Otherwise Texts.Size becomes the size that
// spreads SrcSize over the count (SizeFromCount).
bool CountLeads(int64_t srcSize, TSizeTexts& texts, TInteraction& ui);

// Which text was given last, when the split starts.
enum class TSizeLead {
  Texts,  // neither: the texts as they stand
  Size,   // the size was just given (typed, picked, or an argument)
  Count,  // the count was just given
};

struct TPartSizing {
  int64_t PartSize = 0;       // Texts.Size afterwards as a number (0 when none)
  int64_t PartCount = 0;      // Texts.Count afterwards as a number (0 when none)
  bool CountRefused = false;  // CountLeads refused the count and said so
};

// The part size and count a split starts with: SizeLeads or CountLeads as
// Lead says; then, unless the count has just led, CountLeads when there is a
// count but no size. The split itself checks the result.
TPartSizing SplitSizing(int64_t srcSize, TSizeTexts& texts, TSizeLead lead, TInteraction& ui);

}  // namespace kardomel
