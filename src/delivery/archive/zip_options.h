// How the selection is packed into an archive before a split: the options
// of the dialog's tab "Zip", as one plain value the archive step takes.
#pragma once

#include <string>

namespace kardomel {

struct TZipOptions {
  bool HighCompression = false;  // "Hohe Kompression", else "Niedrige Kompression"
  bool StorePaths = true;        // "Pfade speichern"
  bool Sfx = false;              // "Selbstauspackendes EXE-Archiv erstellen"
  bool Encrypt = false;          // "Archiv mit Passwort schützen"
  std::string Password;          // the archive password, in plain

  bool operator==(const TZipOptions&) const = default;
};

}  // namespace kardomel
