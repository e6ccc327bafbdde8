#include "support/globals.h"

#include <cctype>
#include <limits>
#include <vector>

#include "support/errors.h"
#include "support/utf8.h"

namespace kardomel {

std::string FormatPartNumber(int32_t number) {
  std::string digits = std::to_string(number < 0 ? -static_cast<int64_t>(number) : number);
  if (digits.size() == 1) return "00" + digits;
  if (digits.size() == 2) return "0" + digits;
  return digits;
}

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == '/') return path;
  return path + '/';
}

std::string ExtractField(const std::string& text, char separator, int n) {
  if (n <= 0) return {};
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    size_t next = text.find(separator, start);
    if (next == std::string::npos) return {};
    start = next + 1;
  }
  size_t end = text.find(separator, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

namespace {

bool IsRemovedFromFileName(char32_t c) {
  switch (c) {
    case 0xC4: case 0xD6: case 0xDC: case 0xDF: case 0xE4: case 0xF6: case 0xFC:
      return false;
    default:
      break;
  }
  return c <= 0x1F || (c >= 0x21 && c <= 0x27) || c == 0x2A || c == 0x2C || c == 0x2F ||
         (c >= 0x3A && c <= 0x40) || c == 0x5C || c == 0x5E || c == 0x60 ||
         (c >= 0x7B && c <= 0xFF);
}

}  // namespace

std::string CleanFileName(const std::string& text, const std::string& extension) {
  std::u32string kept;
  for (char32_t c : DecodeUtf8(text)) {
    if (!IsRemovedFromFileName(c)) kept.push_back(c);
  }
  if (kept.size() > 255) kept.resize(255);
  std::string name = kept.empty() ? std::string("unbenannt") : EncodeUtf8(kept);
  return ChangeFileExt(name, extension);
}

std::string ExtractFileName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

// Index of the dot that starts the extension of the last component, or npos.
size_t ExtensionDot(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('/');
  if (dot == std::string::npos) return dot;
  if (slash != std::string::npos && dot < slash) return std::string::npos;
  return dot;
}

}  // namespace

std::string ExtractFileExt(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  size_t dot = ExtensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + extension;
}

std::optional<int64_t> ParseInt64(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  // Accumulate as a negative number so that INT64_MIN is representable.
  int64_t value = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    int digit = text[i] - '0';
    if (value < (kMin + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == kMin) return std::nullopt;
    value = -value;
  }
  return value;
}

int64_t StrToInt64Def(const std::string& text, int64_t def) {
  return ParseInt64(text).value_or(def);
}

int64_t StrToInt64(const std::string& text) {
  std::optional<int64_t> value = ParseInt64(text);
  if (!value) throw EConvertError(text);
  return *value;
}

std::string FormatThousands(int64_t value, const std::string& separator) {
  std::string digits = std::to_string(value);
  size_t first = (digits[0] == '-') ? 1 : 0;
  for (int64_t pos = static_cast<int64_t>(digits.size()) - 3; pos > static_cast<int64_t>(first);
       pos -= 3) {
    digits.insert(static_cast<size_t>(pos), separator);
  }
  return digits;
}

bool SameTextAscii(const std::string& text, const std::string& other) {
  if (text.size() != other.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(other[i])))
      return false;
  }
  return true;
}

}  // namespace kardomel
