// The part size and count: the fourteen medium presets, evaluating a size
// text, and deriving the count from the size or the size from the count.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kardomel {

struct TSizePreset {
  const char* Label;
  int64_t Bytes;
};

// In list order; the labels are the entries of the size fields.
extern const std::array<TSizePreset, 14> kSizePresets;

// A preset label's byte count as decimal text, any other text unchanged.
std::string ResolvePresetLabel(const std::string& text);

// The size a size field's text stands for: a preset label's bytes, else the
// text read as a number; 0 when it is neither.
int64_t EvaluateSizeText(const std::string& text);

// Parts of Size bytes that SrcSize needs: the quotient rounded up.
// REQUIRES: size > 0.
int64_t CountFromSize(int64_t srcSize, int64_t size);

// The size that spreads SrcSize over Count parts: SrcSize div Count + 1.
// REQUIRES: count > 0.
int64_t SizeFromCount(int64_t srcSize, int64_t count);

// The size field's tooltip: "ca. 1,4 MB" for 1456128 with decimal separator ','.
std::string MegabyteHint(int64_t bytes, char decimalSeparator);

// A size typed for the command line or the size-entry dialog: a byte count,
// a preset label, or a number followed by "MB" or "GB" (x 1024^2, x 1024^3).
// nullopt when it is none of these or not positive.
std::optional<int64_t> ParseSizeArgument(const std::string& text);

}  // namespace kardomel
