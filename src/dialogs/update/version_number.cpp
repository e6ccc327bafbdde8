#include "dialogs/update/version_number.h"

#include <charconv>
#include <cctype>

#include "kardomel/version.h"

namespace kardomel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseVersionNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t start = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  // from_chars takes no '+' and reads "5." and ".5" in the general format.
  auto result = std::from_chars(text.data() + start, text.data() + i, value);
  if (result.ec != std::errc() || result.ptr != text.data() + i) return std::nullopt;
  return negative ? -value : value;
}

std::string VersionBeforeBlank(const std::string& text) { return text.substr(0, text.find(' ')); }

std::string GetVersionString(const std::string& name) {
  if (name == "ProductVersion" || name == "FileVersion") return kProgramVersion;
  return "Undefiniert";
}

}  // namespace kardomel
