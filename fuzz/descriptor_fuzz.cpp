// The descriptor file's bytes, as any set that arrives may carry them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/descriptor_text.h"
#include "support/ansi.h"
#include "support/errors.h"
#include "support/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    kardomel::TDescriptor d = kardomel::ParseDescriptor(bytes);
    // The extension is text the window shows and the join appends: valid
    // UTF-8, and written back it gives the bytes it was read from.
    if (kardomel::EncodeUtf8(kardomel::DecodeUtf8(d.Extension)) != d.Extension) std::abort();
    std::string line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (kardomel::Utf8ToAnsiExact(d.Extension) != line) std::abort();
  } catch (const kardomel::EConvertError&) {
    // A count or size that is no number: the reader's documented refusal.
  }
  return 0;
}
