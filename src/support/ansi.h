// The Windows-1252 code page in which the descriptor file and the rejoin
// script are written, so that they read the same on the machines the parts
// travel to. Conversion goes through iconv.
#pragma once

#include <optional>
#include <string>

namespace kardomel {

// UTF-8 text in Windows-1252; a character the code page lacks becomes '?'.
std::string Utf8ToAnsi(const std::string& text);
// As Utf8ToAnsi, but nullopt when any character cannot be represented.
std::optional<std::string> Utf8ToAnsiExact(const std::string& text);
// Windows-1252 bytes as UTF-8 text.
std::string AnsiToUtf8(const std::string& bytes);

}  // namespace kardomel
