#include "engine/descriptor_text.h"

#include "support/ansi.h"
#include "support/globals.h"
#include "support/text_file.h"

namespace kardomel {

TDescriptor ParseDescriptor(const std::string& bytes) {
  std::vector<std::string> lines = SplitTextLines(bytes);
  lines.resize(3);  // missing lines read as empty, which is no number
  TDescriptor descriptor;
  descriptor.Extension = AnsiToUtf8(lines[0]);
  descriptor.Count = static_cast<int32_t>(static_cast<uint32_t>(StrToInt64(lines[1])));
  descriptor.Size = StrToInt64(lines[2]);
  return descriptor;
}

}  // namespace kardomel
