// The zip password as the settings file keeps it: not in plain text, but
// XOR-ed with a fixed key and written as upper-case hexadecimal digits.
#pragma once

#include <string>

namespace kardomel {

// The one-byte key. Its high bit is set, so every ASCII character scrambles
// to a unit from 0x80 to 0xFF, which takes exactly two digits.
inline constexpr char16_t kPasswordKey = 0xB5;

// Each UTF-16 code unit of the UTF-8 Text, XOR-ed with the key, as two
// hexadecimal digits when it lies in 0x10..0xFF, otherwise as "X" and four
// digits, so that every text comes back unchanged. "" for "".
std::string ScrambleText(const std::string& text);

// The inverse of ScrambleText, as UTF-8. Two-digit groups read as before the
// "X" form existed; an odd last digit is ignored. A text with anything else in
// it (hand-edited) gives the empty password.
std::string UnscrambleText(const std::string& text);

}  // namespace kardomel
