// The text of an INI file as lines, read and changed key by key the way the
// private-profile functions do: names matched ignoring ASCII case, the first
// of duplicate sections or keys wins, every other line (comments, unknown
// keys, garbage) kept where it is, new keys and sections appended.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kardomel {

class TIniDocument {
 public:
  TIniDocument() = default;

  // Parses Text: LF or CR LF line ends, an optional UTF-8 byte-order mark.
  // Never fails; a line that is neither a section, a key nor a comment is kept
  // and ignored.
  static TIniDocument Parse(const std::string& text);

  // The whole file again: unchanged lines byte for byte with their own line
  // ends, in their order; new lines end like the file's first line (LF for a
  // new file).
  std::string Text() const;

  // The value of Key in Section, blanks around it removed and one pair of
  // enclosing double quotes taken off; nullopt when either is missing.
  std::optional<std::string> Read(const std::string& section, const std::string& key) const;

  // Sets Key in Section to Value: the first matching key line is rewritten,
  // otherwise a line is added after the section's last entry, otherwise the
  // section is appended at the end. Value is cut at a line break or NUL (one
  // line holds one value) and quoted when it would lose blanks or quotes.
  void Write(const std::string& section, const std::string& key, const std::string& value);

 private:
  struct TLine {
    std::string Raw;      // the line as in the file, without its line end
    std::string Eol;      // its line end as in the file; empty for a new line
    std::string Section;  // section header: its name; otherwise empty
    std::string Key;      // key line: its name; otherwise empty
    bool IsSection = false;
    bool IsKey = false;
  };

  static TLine Classify(const std::string& raw);
  // Index of the first header of Section, or npos.
  size_t FindSection(const std::string& section) const;

  std::vector<TLine> lines_;
  std::string bom_;
  std::string eol_ = "\n";
  bool endsWithEol_ = true;
};

}  // namespace kardomel
