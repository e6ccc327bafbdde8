#include "engine/selection.h"

#include <cctype>

#include "support/globals.h"

namespace kardomel {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads the three characters after the dot the way the integer reader does:
// decimal digits up to the first other character, keeping what was read;
// "0x" followed by a hexadecimal digit reads as that digit.
int ReadPartNumber(const std::string& digits) {
  if (digits.size() >= 3 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') &&
      HexDigit(digits[2]) >= 0)
    return HexDigit(digits[2]);
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

TSelectionMode ClassifySelection(const std::string& name, bool isFolder) {
  std::string ext = ExtractFileExt(name);
  if (isFolder && ext != ".zip") return TSelectionMode::Empty;
  if (SameTextAscii(ext, ".lnk") || SameTextAscii(ext, ".desktop")) return TSelectionMode::Empty;
  if (SameTextAscii(ext, ".kdm")) return TSelectionMode::Join;
  if (ext.compare(0, 2, ".0") != 0) return TSelectionMode::Split;
  int n = ReadPartNumber(ext.substr(1, 3));
  return n >= 1 && n <= 99 ? TSelectionMode::Join : TSelectionMode::Split;
}

TPartCount CountParts(TEnv& env, const std::string& fullPath) {
  int32_t count = 1;
  int64_t total = 0;
  int64_t lastFound = env.EntrySize(ChangeFileExt(fullPath, ".001"));
  if (lastFound < 0) lastFound = 0;
  for (;;) {
    ++count;
    total += lastFound;
    int64_t size = env.EntrySize(ChangeFileExt(fullPath, "." + FormatPartNumber(count)));
    if (size < 0) break;
    lastFound = size;
  }
  return {count - 1, total};
}

}  // namespace kardomel
