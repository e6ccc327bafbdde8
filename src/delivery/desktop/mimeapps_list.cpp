#include "delivery/desktop/mimeapps_list.h"

#include <sstream>
#include <vector>

namespace kardomel {
namespace {

constexpr const char* kSection = "[Default Applications]";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool IsSectionHeader(const std::string& line) {
  const std::string trimmed = Trimmed(line);
  return !trimmed.empty() && trimmed.front() == '[';
}

// True when Line sets Key; Value receives what follows the '='.
bool SetsKey(const std::string& line, const std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos || Trimmed(line.substr(0, equals)) != key) return false;
  value = Trimmed(line.substr(equals + 1));
  return true;
}

// The lines of the section, from the one after its header to the next
// header; both npos when there is no such section.
struct TRange {
  size_t Begin = std::string::npos;
  size_t End = std::string::npos;
};

TRange FindSection(const std::vector<std::string>& lines) {
  TRange range;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!IsSectionHeader(lines[i])) continue;
    if (range.Begin != std::string::npos) {
      range.End = i;
      return range;
    }
    if (Trimmed(lines[i]) == kSection) range.Begin = i + 1;
  }
  if (range.Begin != std::string::npos) range.End = lines.size();
  return range;
}

}  // namespace

std::string WithDefaultApplication(const std::string& text, const std::string& mimeType,
                                   const std::string& desktopId) {
  std::vector<std::string> lines = Lines(text);
  const std::string line = mimeType + "=" + desktopId + ";";
  TRange section = FindSection(lines);
  if (section.Begin == std::string::npos) {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.push_back("");
    lines.push_back(kSection);
    lines.push_back(line);
    return Joined(lines);
  }
  std::string value;
  for (size_t i = section.Begin; i < section.End;) {
    if (SetsKey(lines[i], mimeType, value)) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      --section.End;
    } else {
      ++i;
    }
  }
  // After the section's last line that is not blank.
  size_t at = section.End;
  while (at > section.Begin && Trimmed(lines[at - 1]).empty()) --at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
  return Joined(lines);
}

std::string WithoutDefaultApplication(const std::string& text, const std::string& mimeType,
                                      const std::string& desktopId) {
  std::vector<std::string> lines = Lines(text);
  const TRange section = FindSection(lines);
  if (section.Begin == std::string::npos) return text;
  bool changed = false;
  std::vector<bool> drop(lines.size(), false);
  for (size_t i = section.Begin; i < section.End; ++i) {
    std::string value;
    if (!SetsKey(lines[i], mimeType, value)) continue;
    std::string kept;
    bool ours = false;
    std::istringstream ids(value);
    for (std::string id; std::getline(ids, id, ';');) {
      if (Trimmed(id) == desktopId) ours = true;
      else if (!Trimmed(id).empty()) kept += Trimmed(id) + ";";
    }
    if (!ours) continue;
    changed = true;
    if (kept.empty()) drop[i] = true;
    else lines[i] = mimeType + "=" + kept;
  }
  if (!changed) return text;
  std::vector<std::string> out;
  for (size_t i = 0; i < lines.size(); ++i)
    if (!drop[i]) out.push_back(lines[i]);
  return Joined(out);
}

}  // namespace kardomel
