#include "engine/shell_script.h"

#include "kardomel/version.h"

namespace kardomel {
namespace {

std::string SingleQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

}  // namespace

std::string ShellScriptText(const std::vector<std::string>& partNames, const std::string& target,
                            const std::string& checksumName) {
  // Every name is given as ./NAME, so that one beginning with '-' is never
  // taken for an option.
  auto local = [](const std::string& name) { return SingleQuoted("./" + name); };
  std::string text =
      "#!/bin/sh\n"
      "# Setzt die mit Kardomel " + std::string(kProgramVersion) + " geteilte Datei wieder "
      "zusammen.\n"
      "cd \"$(dirname -- \"$0\")\" || exit 1\n"
      "target=" + local(target) + "\n"
      "if [ -e \"$target\" ] || [ -L \"$target\" ]; then\n"
      "  printf '%s\\n' \"Die Datei $target existiert bereits und wird nicht "
      "überschrieben.\" >&2\n"
      "  exit 1\n"
      "fi\n"
      "# noclobber: a file that appears meanwhile is not written over either;\n"
      "# 'opened' tells that refusal apart from a failed cat.\n"
      "set -C\n"
      "opened=\n"
      "{ opened=1; cat";
  for (const std::string& part : partNames) text += " \\\n  " + local(part);
  text +=
      "; } > \"$target\"\n"
      "status=$?\n"
      "if [ -z \"$opened\" ]; then\n"
      "  printf '%s\\n' \"Die Datei $target wurde nicht geschrieben.\" >&2\n"
      "  exit 1\n"
      "fi\n"
      "if [ \"$status\" -ne 0 ]; then\n"
      "  rm -f \"$target\"\n"
      "  printf '%s\\n' \"Eine Teildatei fehlt oder ist nicht lesbar; $target wurde "
      "entfernt.\" >&2\n"
      "  exit 1\n"
      "fi\n";
  if (!checksumName.empty()) {
    text +=
        "sums=" + local(checksumName) + "\n"
        "if command -v sha256sum >/dev/null 2>&1; then\n"
        "  sha256sum -c \"$sums\" || exit 1\n"
        "elif command -v shasum >/dev/null 2>&1; then\n"
        "  shasum -a 256 -c \"$sums\" || exit 1\n"
        "else\n"
        "  printf '%s\\n' \"Weder sha256sum noch shasum gefunden; $target wurde nicht "
        "geprüft.\" >&2\n"
        "fi\n";
  }
  return text + "printf '%s\\n' \"$target wurde zusammengesetzt.\"\n";
}

}  // namespace kardomel
