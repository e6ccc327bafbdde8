#include "engine/part_size.h"

#include <charconv>
#include <limits>
#include <system_error>

#include "support/globals.h"

namespace kardomel {

const std::array<TSizePreset, 14> kSizePresets = {{
    {"3.5\" HD 1,44MB", 1456128},
    {"3.5\" HD 1,7MB", 1726300},
    {"E-Mail 1MB", 1048576},
    {"E-Mail 5MB", 5242880},
    {"E-Mail 10MB", 10485760},
    {"E-Mail 20MB", 20971520},
    {"ZIP 100", 104852200},
    {"120MB LS", 125826000},
    {"CDROM 650MB", 681572000},
    {"CDROM 700MB", 734000800},
    {"USB-Stick 1GB", 1073741824},
    {"USB-Stick 2GB", 2147483648},
    {"USB-Stick 4GB", 4294967296},
    {"DVDROM 4,7GB", 5046584000},
}};

std::string ResolvePresetLabel(const std::string& text) {
  for (const TSizePreset& preset : kSizePresets) {
    if (text == preset.Label) return std::to_string(preset.Bytes);
  }
  return text;
}

int64_t EvaluateSizeText(const std::string& text) {
  return StrToInt64Def(ResolvePresetLabel(text), 0);
}

int64_t CountFromSize(int64_t srcSize, int64_t size) {
  return srcSize / size + (srcSize % size != 0 ? 1 : 0);
}

int64_t SizeFromCount(int64_t srcSize, int64_t count) { return srcSize / count + 1; }

std::string MegabyteHint(int64_t bytes, char decimalSeparator) {
  // to_chars ignores the C locale, which the Qt program sets from the
  // environment: printf would bring the locale's own decimal point.
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, static_cast<double>(bytes) / 1048576.0,
                                    std::chars_format::fixed, 1);
  std::string value(text, error == std::errc() ? end : text);
  for (char& c : value) {
    if (c == '.') c = decimalSeparator;
  }
  return "ca. " + value + " MB";
}

std::optional<int64_t> ParseSizeArgument(const std::string& text) {
  int64_t bytes = EvaluateSizeText(text);
  if (bytes > 0) return bytes;
  for (auto [suffix, factor] : {std::pair<const char*, int64_t>{"MB", 1024LL * 1024},
                                std::pair<const char*, int64_t>{"GB", 1024LL * 1024 * 1024}}) {
    std::string unit = suffix;
    if (text.size() <= unit.size() || !SameTextAscii(text.substr(text.size() - 2), unit)) continue;
    std::string number = text.substr(0, text.size() - 2);
    while (!number.empty() && number.back() == ' ') number.pop_back();
    std::optional<int64_t> value = ParseInt64(number);
    if (!value || *value <= 0 || *value > std::numeric_limits<int64_t>::max() / factor)
      return std::nullopt;
    return *value * factor;
  }
  return std::nullopt;
}

}  // namespace kardomel
