// The settings file class: one INI file read and written key by key, string
// values stored as their UTF-8 bytes, integers and Booleans as decimal text.
// Every typed value passes through ReadString and WriteString.
#pragma once

#include <cstdint>
#include <string>

#include "support/errors.h"
#include "support/ini/ini_document.h"

namespace kardomel {

// A write the file system refused: "In %s kann nicht geschrieben werden".
class EIniFileError : public EKardomel {
 public:
  explicit EIniFileError(const std::string& path);
};

class TqelIniFile {
 public:
  // Reads the file at Path now; a missing or unreadable file reads as empty.
  explicit TqelIniFile(std::string path);

  const std::string& FileName() const { return path_; }

  // The value as valid UTF-8 (a stray byte becomes U+FFFD), Default when the
  // section or key is missing. No length limit.
  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& def) const;
  // Stores Value whole and writes the file at once, as the profile functions
  // do, unless an update is open. Throws EIniFileError when the file cannot
  // be written.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);

  // Opens an update: the writes that follow change the text only, and
  // UpdateFile writes them all at once, so that a save of many keys either
  // lands whole or leaves the file as it was.
  void BeginUpdate() { updating_ = true; }
  // Ends the update and writes the file. Throws EIniFileError when the file
  // cannot be written; the file then keeps its old content.
  void UpdateFile();

  // Decimal text, or hexadecimal after "0x"/"0X"; Default when missing, not a
  // number or outside 32 bits.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);

  // Any integer other than 0 is true; Default when missing or not a number.
  bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
  // "1" for true, "0" for false.
  void WriteBool(const std::string& section, const std::string& ident, bool value);

 private:
  // Replaces the file with the text, never rewriting it in place: a crash
  // or a full disk halfway would lose every setting.
  void WriteFile() const;

  std::string path_;
  TIniDocument doc_;
  bool updating_ = false;
};

// The integer a stored text stands for, by the rule of ReadInteger; Default
// otherwise.
int32_t IniTextToInt(const std::string& text, int32_t def);

}  // namespace kardomel
