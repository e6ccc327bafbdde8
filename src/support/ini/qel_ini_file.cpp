#include "support/ini/qel_ini_file.h"

#include <cstdio>
#include <limits>

#include "support/globals.h"
#include "support/replace_file.h"
#include "support/utf8.h"

namespace kardomel {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

EIniFileError::EIniFileError(const std::string& path)
    : EKardomel("In " + path + " kann nicht geschrieben werden") {}

int32_t IniTextToInt(const std::string& text, int32_t def) {
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (text.size() > 10) return def;
    uint32_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      int digit = HexValue(text[i]);
      if (digit < 0) return def;
      value = value * 16 + static_cast<uint32_t>(digit);
    }
    // Eight hex digits fill all 32 bits, sign included, as the integer reader does.
    return static_cast<int32_t>(value);
  }
  std::optional<int64_t> value = ParseInt64(text);
  if (!value || *value < std::numeric_limits<int32_t>::min() ||
      *value > std::numeric_limits<int32_t>::max())
    return def;
  return static_cast<int32_t>(*value);
}

TqelIniFile::TqelIniFile(std::string path) : path_(std::move(path)) {
  // A file that cannot be read, or a folder in its place, reads as empty;
  // the first write then reports the path.
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  if (!file) return;
  std::string text;
  char block[16384];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (!failed) doc_ = TIniDocument::Parse(text);
}

std::string TqelIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& def) const {
  std::optional<std::string> value = doc_.Read(section, ident);
  if (!value) return def;
  return EncodeUtf8(DecodeUtf8(*value));
}

void TqelIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  doc_.Write(section, ident, value);
  if (!updating_) WriteFile();
}

void TqelIniFile::UpdateFile() {
  updating_ = false;
  WriteFile();
}

void TqelIniFile::WriteFile() const {
  if (ReplaceFileContents(path_, doc_.Text()) != 0) throw EIniFileError(path_);
}

int32_t TqelIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                 int32_t def) const {
  std::optional<std::string> value = doc_.Read(section, ident);
  return value ? IniTextToInt(*value, def) : def;
}

void TqelIniFile::WriteInteger(const std::string& section, const std::string& ident,
                               int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

bool TqelIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TqelIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

}  // namespace kardomel
