#include "engine/rejoin_script.h"

#include "engine/split_set.h"
#include "support/oem_code_page.h"
#include "support/utf8.h"

namespace kardomel {
namespace {

// The name as it stands in a copy command: quoted, with '%' doubled so that
// the interpreter does not take it for a variable.
std::string QuotedName(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '%') out += '%';
  }
  return out + "\"";
}

// Characters, not bytes: code page 850 has one byte for each.
size_t Length(const std::string& text) { return DecodeUtf8(text).size(); }

}  // namespace

bool IsScriptSafeName(const std::string& name) {
  for (char32_t c : DecodeUtf8(name)) {
    if (c == '"' || c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
    if (c == '\\' || c == ':' || c == '*' || c == '?' || c == '<' || c == '>' || c == '|')
      return false;
  }
  return Utf8ToOemExact(name).has_value();
}

std::string CopyLines(const std::vector<std::string>& partNames, const std::string& target) {
  const std::string command = "copy /b ";
  const std::string quotedTarget = QuotedName(target);
  std::string single = command;
  for (size_t i = 0; i < partNames.size(); ++i)
    single += (i > 0 ? " + " : "") + QuotedName(partNames[i]);
  single += " " + quotedTarget;
  if (Length(single) <= kMaxCopyLine) return single + "\r\n";

  const size_t targetLength = Length(quotedTarget);
  std::string lines;
  std::string line = command;
  size_t length = command.size();
  int sources = 0;
  for (const std::string& part : partNames) {
    const std::string piece = QuotedName(part);
    const size_t pieceLength = Length(piece);
    if (sources > 0 && length + 3 + pieceLength + 1 + targetLength > kMaxCopyLine) {
      lines += line + " " + quotedTarget + "\r\n";
      // The target as the first source: the interpreter appends to it.
      line = command + quotedTarget;
      length = command.size() + targetLength;
      sources = 1;
    }
    if (sources > 0) {
      line += " + ";
      length += 3;
    }
    line += piece;
    length += pieceLength;
    ++sources;
  }
  return lines + line + " " + quotedTarget + "\r\n";
}

std::string RejoinScriptText(const std::string& webAddress, const std::string& copyLines) {
  const std::string lines[] = {
      "echo off",
      "cls",
      "echo .",
      "echo    Diese Datei wurde mit",
      "echo          Kardomel",
      std::string("echo    Version ") + kScriptVersion + " geteilt.",
      "echo .",
      "echo  Aktuelle Versionen finden Sie unter",
      "echo  " + webAddress,
      "echo .",
      "echo .",
      "pause",
  };
  std::string text;
  for (const std::string& line : lines) text += Utf8ToOem(line) + "\r\n";
  return text + Utf8ToOem(copyLines);
}

}  // namespace kardomel
