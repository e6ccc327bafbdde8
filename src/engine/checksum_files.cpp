#include "engine/checksum_files.h"

#include <cctype>
#include <cstdio>

#include "support/globals.h"
#include "support/text_file.h"

namespace kardomel {
namespace {

bool NeedsEscape(const std::string& name) {
  return name.find_first_of("\\\n\r") != std::string::npos;
}

std::string Escaped(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

// False when Escaped holds a backslash that starts no known escape.
bool Unescape(const std::string& escaped, std::string& name) {
  name.clear();
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '\\') {
      name += escaped[i];
      continue;
    }
    if (++i >= escaped.size()) return false;
    switch (escaped[i]) {
      case '\\': name += '\\'; break;
      case 'n': name += '\n'; break;
      case 'r': name += '\r'; break;
      default: return false;
    }
  }
  return true;
}

bool IsHex64(const std::string& text) {
  if (text.size() != 64) return false;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The lines of Bytes split at LF only: a CR belongs to the line, since an
// escaped name may end in one only written as "\r".
std::vector<std::string> LinesAtLf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string FormatSha256File(const std::vector<TChecksumLine>& lines) {
  std::string out;
  for (const TChecksumLine& line : lines) {
    if (NeedsEscape(line.Name)) out += "\\" + line.Hex + "  " + Escaped(line.Name) + "\n";
    else out += line.Hex + "  " + line.Name + "\n";
  }
  return out;
}

std::vector<TChecksumLine> ParseSha256File(const std::string& bytes) {
  std::vector<TChecksumLine> result;
  for (std::string line : LinesAtLf(bytes)) {
    // A file edited on Windows ends its lines in CR LF; a name that really
    // ends in CR is written escaped.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool escaped = !line.empty() && line[0] == '\\';
    if (escaped) line.erase(0, 1);
    if (line.size() < 67 || !IsHex64(line.substr(0, 64)) || line[64] != ' ' ||
        (line[65] != ' ' && line[65] != '*'))
      continue;
    TChecksumLine entry;
    entry.Hex = Lower(line.substr(0, 64));
    if (escaped) {
      if (!Unescape(line.substr(66), entry.Name)) continue;
    } else {
      entry.Name = line.substr(66);
    }
    result.push_back(entry);
  }
  return result;
}

std::string FormatCrcFile(const TCrcFile& crc) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(crc.Crc));
  return "filename=" + crc.FileName + "\r\nsize=" + std::to_string(crc.Size) + "\r\ncrc32=" +
         hex + "\r\n";
}

std::optional<TCrcFile> ParseCrcFile(const std::string& bytes) {
  std::optional<std::string> name, size, crc;
  for (const std::string& line : SplitTextLines(bytes)) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = Lower(line.substr(0, equals));
    const std::string value = line.substr(equals + 1);
    if (key == "filename") name = value;
    else if (key == "size") size = value;
    else if (key == "crc32") crc = value;
  }
  if (!name || !size || !crc || name->empty() || *name == "." || *name == "..") return std::nullopt;
  for (char c : *name) {
    // A name from another machine's file never leads into another folder
    // and holds no control character (the line ends above were one).
    if (c == '/' || static_cast<unsigned char>(c) < 0x20) return std::nullopt;
  }
  TCrcFile result;
  result.FileName = *name;
  result.Size = StrToInt64Def(*size, -1);
  if (result.Size < 0 || size->empty()) return std::nullopt;
  if (crc->empty() || crc->size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : *crc) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(c))
                                                  ? c - '0'
                                                  : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
  }
  result.Crc = value;
  return result;
}

}  // namespace kardomel
