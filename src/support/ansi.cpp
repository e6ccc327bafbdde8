#include "support/ansi.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "support/utf8.h"

namespace kardomel {
namespace {

// One iconv conversion of a whole text. Returns false when a character could
// not be converted; Out then holds the text converted so far.
bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  out.clear();
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buffer[256];
  bool complete = true;
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    size_t rc = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, dst - buffer);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      complete = false;
      break;
    }
  }
  iconv_close(cd);
  return complete;
}

}  // namespace

std::optional<std::string> Utf8ToAnsiExact(const std::string& text) {
  std::string out;
  if (!Convert("WINDOWS-1252", "UTF-8", text, out)) return std::nullopt;
  return out;
}

std::string Utf8ToAnsi(const std::string& text) {
  // Character by character, so that each unrepresentable one becomes the
  // code page's default character and the rest still converts.
  std::string out;
  for (char32_t c : DecodeUtf8(text)) {
    std::string piece;
    if (Convert("WINDOWS-1252", "UTF-8", EncodeUtf8(std::u32string(1, c)), piece) && !piece.empty())
      out += piece;
    else
      out += '?';
  }
  return out;
}

std::string AnsiToUtf8(const std::string& bytes) {
  std::string out;
  for (char byte : bytes) {
    std::string piece;
    // The five bytes that Windows-1252 leaves undefined pass through as the
    // C1 control characters of the same value.
    if (Convert("UTF-8", "WINDOWS-1252", std::string(1, byte), piece))
      out += piece;
    else
      out += EncodeUtf8(std::u32string(1, static_cast<unsigned char>(byte)));
  }
  return out;
}

}  // namespace kardomel
