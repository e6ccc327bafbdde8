// The settings file's text, hand-edited or garbled: parsing never fails,
// the text comes back byte for byte, and a value written is the value read.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/ini/ini_document.h"
#include "support/ini/password_scramble.h"
#include "support/ini/qel_ini_file.h"
#include "support/utf8.h"

using kardomel::TIniDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TIniDocument doc = TIniDocument::Parse(text);
  if (doc.Text() != text) std::abort();

  for (const char* section : {"Options", "Paths", "FrmMain"}) {
    for (const char* key : {"DstSize", "EdtPsw", "Src", "WindowState"}) {
      if (std::optional<std::string> value = doc.Read(section, key)) {
        kardomel::IniTextToInt(*value, 0);
        kardomel::UnscrambleText(*value);
      }
    }
  }

  // The last line of the input as a value: cut at the first line break or
  // NUL, since one line holds one value.
  std::string value = text.substr(text.size() > 40 ? text.size() - 40 : 0);
  value = value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
  doc.Write("Options", "DstSize", value);
  if (doc.Read("Options", "DstSize") != value) std::abort();
  if (TIniDocument::Parse(doc.Text()).Read("Options", "DstSize") != value) std::abort();

  // Every text survives the password's scrambling.
  const std::string password = kardomel::EncodeUtf8(kardomel::DecodeUtf8(value));
  if (kardomel::UnscrambleText(kardomel::ScrambleText(password)) != password) std::abort();
  return 0;
}
