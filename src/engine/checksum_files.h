// The checksum files beside a set: NAME.sha256 in the format of GNU
// sha256sum, so that "sha256sum -c" checks the parts and the file without
// this program, and NAME.crc as other file managers write it beside their
// parts (filename=, size=, crc32=, CR LF).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kardomel {

struct TChecksumLine {
  std::string Hex;   // 64 lower-case hexadecimal digits
  std::string Name;  // file name without folder, any bytes but NUL
};

// The lines "<hex>  <name>\n"; a name holding a backslash, a line feed or
// a carriage return is written escaped behind a leading backslash, as
// sha256sum itself writes it and reads it back.
std::string FormatSha256File(const std::vector<TChecksumLine>& lines);

// The lines of a sha256sum file (text or binary mode, escaped names, LF or
// CR LF). Lines that are no checksum line are passed over; the hex digits
// are returned in lower case.
std::vector<TChecksumLine> ParseSha256File(const std::string& bytes);

struct TCrcFile {
  std::string FileName;  // the whole file's name, without folder
  int64_t Size = 0;
  uint32_t Crc = 0;
};

// "filename=…", "size=…", "crc32=XXXXXXXX" (upper-case hex), each ended by CR LF.
std::string FormatCrcFile(const TCrcFile& crc);

// The three lines in any order and letter case of the keys, LF or CR LF;
// nullopt when one is missing or no number, or the name is empty, holds a
// path or a control character.
std::optional<TCrcFile> ParseCrcFile(const std::string& bytes);

}  // namespace kardomel
