// Small text and path helpers shared by every layer. Paths are UTF-8 byte
// strings with '/' as the separator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kardomel {

// The part number with leading zeros to three digits: 1 -> "001", 42 -> "042",
// 999 -> "999"; four or more digits stay as they are (1000 -> "1000").
std::string FormatPartNumber(int32_t number);

// Path unchanged when empty or already ending in the separator, otherwise
// Path followed by '/'. Every folder passes through it before a name is added.
std::string AddBackslash(const std::string& path);

// The N-th field (from 1) of Text split at Separator; empty for N = 0 or when
// there are fewer than N - 1 separators.
std::string ExtractField(const std::string& text, char separator, int n);

// A safe archive name from typed text: drops punctuation and control
// characters (Latin-1 range) except the German letters ÄÖÜßäöü, keeps 255
// characters, "unbenannt" when nothing is left, then sets Extension.
std::string CleanFileName(const std::string& text, const std::string& extension);

// Name part after the last '/', the whole text when there is none.
std::string ExtractFileName(const std::string& path);
// Folder part up to and including the last '/', empty when there is none.
std::string ExtractFilePath(const std::string& path);
// Extension of the last path component from its last dot on ("" when none).
std::string ExtractFileExt(const std::string& path);
// Replaces the extension of the last path component (from its last dot on)
// by Extension, or appends Extension when the name has no dot.
std::string ChangeFileExt(const std::string& path, const std::string& extension);

// Decimal text as a signed 64-bit number: optional leading blanks, an
// optional sign, digits, nothing after; nullopt otherwise or on overflow.
std::optional<int64_t> ParseInt64(const std::string& text);
// ParseInt64, or Default when the text is not a number.
int64_t StrToInt64Def(const std::string& text, int64_t def);
// ParseInt64, or throws EConvertError when the text is not a number.
int64_t StrToInt64(const std::string& text);

// Value with a thousands separator every three digits ("1.234.567").
std::string FormatThousands(int64_t value, const std::string& separator);

// True when the UTF-8 text equals Other ignoring the case of ASCII letters.
bool SameTextAscii(const std::string& text, const std::string& other);

}  // namespace kardomel
