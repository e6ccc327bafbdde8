#include "engine/descriptor_text.h"

#include <vector>

#include "support/ansi.h"
#include "support/globals.h"

namespace kardomel {
namespace {

// The lines of Bytes without their ends; a last line without one counts.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

TDescriptor ParseDescriptor(const std::string& bytes) {
  std::vector<std::string> lines = Lines(bytes);
  lines.resize(3);  // missing lines read as empty, which is no number
  TDescriptor descriptor;
  descriptor.Extension = AnsiToUtf8(lines[0]);
  descriptor.Count = static_cast<int32_t>(static_cast<uint32_t>(StrToInt64(lines[1])));
  descriptor.Size = StrToInt64(lines[2]);
  return descriptor;
}

}  // namespace kardomel
