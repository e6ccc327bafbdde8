// Code page 850, the OEM code page in which the Windows command interpreter
// of German and other western European systems reads batch files. The
// German umlauts and ß have the same bytes in it as in code page 437.
#pragma once

#include <optional>
#include <string>

namespace kardomel {

// UTF-8 text as code page 850 bytes; nullopt when any character (or an
// invalid UTF-8 byte) has no place in the code page.
std::optional<std::string> Utf8ToOemExact(const std::string& text);

// As Utf8ToOemExact, but a character the code page lacks becomes '?'.
std::string Utf8ToOem(const std::string& text);

}  // namespace kardomel
