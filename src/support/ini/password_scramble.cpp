#include "support/ini/password_scramble.h"

#include <cstdio>
#include <optional>

#include "support/utf8.h"

namespace kardomel {
namespace {

std::u16string ToUtf16(const std::string& text) {
  std::u16string out;
  for (char32_t c : DecodeUtf8(text)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string FromUtf16(const std::u16string& units) {
  std::u32string points;
  for (size_t i = 0; i < units.size(); ++i) {
    char16_t u = units[i];
    bool high = u >= 0xD800 && u < 0xDC00;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      points.push_back(0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      points.push_back(0xFFFD);
    } else {
      points.push_back(u);
    }
  }
  return EncodeUtf8(points);
}

std::optional<unsigned> ReadHex(const std::string& text, size_t pos, size_t digits) {
  if (pos + digits > text.size()) return std::nullopt;
  unsigned value = 0;
  for (size_t i = pos; i < pos + digits; ++i) {
    char c = text[i];
    int d = c >= '0' && c <= '9' ? c - '0'
            : c >= 'A' && c <= 'F' ? c - 'A' + 10
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                   : -1;
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(d);
  }
  return value;
}

}  // namespace

std::string ScrambleText(const std::string& text) {
  std::string out;
  char buffer[8];
  for (char16_t unit : ToUtf16(text)) {
    unsigned scrambled = static_cast<unsigned>(unit ^ kPasswordKey);
    if (scrambled >= 0x10 && scrambled <= 0xFF)
      std::snprintf(buffer, sizeof buffer, "%02X", scrambled);
    else
      std::snprintf(buffer, sizeof buffer, "X%04X", scrambled);
    out += buffer;
  }
  return out;
}

std::string UnscrambleText(const std::string& text) {
  std::u16string units;
  size_t pos = 0;
  while (pos < text.size()) {
    std::optional<unsigned> value;
    if (text[pos] == 'X') {
      value = ReadHex(text, pos + 1, 4);
      pos += 5;
    } else {
      if (pos + 1 == text.size()) break;  // the odd last digit
      value = ReadHex(text, pos, 2);
      pos += 2;
    }
    if (!value) return "";
    units.push_back(static_cast<char16_t>(*value ^ kPasswordKey));
  }
  return FromUtf16(units);
}

}  // namespace kardomel
