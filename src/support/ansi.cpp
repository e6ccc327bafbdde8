#include "support/ansi.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "support/utf8.h"

namespace kardomel {
namespace {

// One iconv conversion direction, opened once per call of the public
// functions and reset before each piece.
class TConverter {
 public:
  TConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~TConverter() { iconv_close(cd_); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // Converts In completely into Out; false when a character could not be
  // converted (Out then holds what was converted so far).
  bool Convert(const std::string& in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.clear();
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buffer[256];
    while (left > 0) {
      char* dst = buffer;
      size_t room = sizeof buffer;
      size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer, dst - buffer);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

// The five bytes that Windows-1252 leaves undefined stand for the C1 control
// characters of the same value, in both directions, as Windows converts
// them; iconv knows neither, so they are handled here.
bool IsUndefinedAnsiByte(char32_t c) {
  return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Appends character C in Windows-1252 to Out; false when the code page lacks it.
bool AppendAnsi(TConverter& converter, char32_t c, std::string& out) {
  if (IsUndefinedAnsiByte(c)) {
    out += static_cast<char>(c);
    return true;
  }
  std::string piece;
  if (!converter.Convert(EncodeUtf8(std::u32string(1, c)), piece) || piece.empty()) return false;
  out += piece;
  return true;
}

}  // namespace

std::optional<std::string> Utf8ToAnsiExact(const std::string& text) {
  TConverter converter("WINDOWS-1252", "UTF-8");
  std::string out;
  for (char32_t c : DecodeUtf8(text)) {
    if (!AppendAnsi(converter, c, out)) return std::nullopt;
  }
  return out;
}

std::string Utf8ToAnsi(const std::string& text) {
  // Character by character, so that each unrepresentable one becomes the
  // code page's default character and the rest still converts.
  TConverter converter("WINDOWS-1252", "UTF-8");
  std::string out;
  for (char32_t c : DecodeUtf8(text)) {
    if (!AppendAnsi(converter, c, out)) out += '?';
  }
  return out;
}

std::string AnsiToUtf8(const std::string& bytes) {
  TConverter converter("UTF-8", "WINDOWS-1252");
  std::string out;
  for (char byte : bytes) {
    std::string piece;
    if (IsUndefinedAnsiByte(static_cast<unsigned char>(byte)) ||
        !converter.Convert(std::string(1, byte), piece))
      out += EncodeUtf8(std::u32string(1, static_cast<unsigned char>(byte)));
    else
      out += piece;
  }
  return out;
}

}  // namespace kardomel
