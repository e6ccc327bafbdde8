// A part size as typed into a size field or on the command line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/part_size.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int64_t field = kardomel::EvaluateSizeText(text);
  kardomel::MegabyteHint(field, ',');
  if (std::optional<int64_t> bytes = kardomel::ParseSizeArgument(text)) {
    if (*bytes <= 0) std::abort();
    // The count and size derived from it stay in range for any source.
    if (kardomel::CountFromSize(INT64_MAX, *bytes) < 1) std::abort();
    if (kardomel::SizeFromCount(*bytes, 999) < 1) std::abort();
    // Its byte count typed again means the same size.
    if (kardomel::ParseSizeArgument(std::to_string(*bytes)) != bytes) std::abort();
    kardomel::MegabyteHint(*bytes, ',');
  }
  return 0;
}
