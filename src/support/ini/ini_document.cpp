#include "support/ini/ini_document.h"

#include "support/globals.h"

namespace kardomel {
namespace {

constexpr const char* kBlanks = " \t";

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}

// The text that is stored for Value, so that Read gives Value back.
std::string StoredValue(std::string value) {
  size_t cut = value.find_first_of(std::string("\r\n\0", 3));
  if (cut != std::string::npos) value.resize(cut);
  if (Unquote(Trim(value)) != value) return '"' + value + '"';
  return value;
}

}  // namespace

TIniDocument::TLine TIniDocument::Classify(const std::string& raw) {
  TLine line;
  line.Raw = raw;
  std::string trimmed = Trim(raw);
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') return line;
  if (trimmed[0] == '[') {
    size_t close = trimmed.find(']');
    line.IsSection = true;
    line.Section = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return line;
  }
  size_t eq = raw.find('=');
  if (eq == std::string::npos) return line;
  line.Key = Trim(raw.substr(0, eq));
  line.IsKey = !line.Key.empty();
  return line;
}

TIniDocument TIniDocument::Parse(const std::string& text) {
  TIniDocument doc;
  std::string body = text;
  if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    doc.bom_ = body.substr(0, 3);
    body.erase(0, 3);
  }
  if (body.empty()) return doc;
  size_t firstLf = body.find('\n');
  if (firstLf != std::string::npos && firstLf > 0 && body[firstLf - 1] == '\r') doc.eol_ = "\r\n";
  doc.endsWithEol_ = body.back() == '\n';
  size_t start = 0;
  while (start < body.size()) {
    size_t lf = body.find('\n', start);
    size_t end = lf == std::string::npos ? body.size() : lf;
    std::string raw = body.substr(start, end - start);
    std::string eol = lf == std::string::npos ? "" : "\n";
    if (!raw.empty() && raw.back() == '\r') {
      raw.pop_back();
      eol.insert(0, "\r");
    }
    doc.lines_.push_back(Classify(raw));
    doc.lines_.back().Eol = eol;
    start = end + 1;
  }
  return doc;
}

std::string TIniDocument::Text() const {
  std::string out = bom_;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string& own = lines_[i].Eol;
    const bool last = i + 1 == lines_.size();
    out += lines_[i].Raw;
    // A CR without LF ends only the file's last line; followed by a new
    // line, it would merge with it.
    if (!own.empty() && (own.back() == '\n' || last))
      out += own;
    else if (!last || endsWithEol_)
      out += eol_;
  }
  return out;
}

size_t TIniDocument::FindSection(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].IsSection && SameTextAscii(lines_[i].Section, section)) return i;
  return std::string::npos;
}

std::optional<std::string> TIniDocument::Read(const std::string& section,
                                              const std::string& key) const {
  size_t header = FindSection(section);
  if (header == std::string::npos) return std::nullopt;
  for (size_t i = header + 1; i < lines_.size() && !lines_[i].IsSection; ++i) {
    const TLine& line = lines_[i];
    if (line.IsKey && SameTextAscii(line.Key, key))
      return Unquote(Trim(line.Raw.substr(line.Raw.find('=') + 1)));
  }
  return std::nullopt;
}

void TIniDocument::Write(const std::string& section, const std::string& key,
                         const std::string& value) {
  std::string stored = StoredValue(value);
  size_t header = FindSection(section);
  if (header == std::string::npos) {
    lines_.push_back(Classify("[" + section + "]"));
    lines_.push_back(Classify(key + "=" + stored));
    endsWithEol_ = true;
    return;
  }
  size_t insertAt = header + 1;
  for (size_t i = header + 1; i < lines_.size() && !lines_[i].IsSection; ++i) {
    TLine& line = lines_[i];
    if (!line.IsKey) continue;
    if (SameTextAscii(line.Key, key)) {
      // Keeps the key's spelling as the file has it.
      line.Raw = line.Key + "=" + stored;
      return;
    }
    insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                Classify(key + "=" + stored));
  if (insertAt == lines_.size() - 1) endsWithEol_ = true;
}

}  // namespace kardomel
