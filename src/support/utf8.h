// UTF-8 to code points and back, for the few helpers that work per character.
#pragma once

#include <string>

namespace kardomel {

// Code points of a UTF-8 text; an invalid byte becomes U+FFFD.
std::u32string DecodeUtf8(const std::string& text);
std::string EncodeUtf8(const std::u32string& text);

}  // namespace kardomel
