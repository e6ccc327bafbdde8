// The program's options as one plain value: what the options dialog edits,
// the settings file keeps, and the split, the automatic start and the
// archive step read. Defaults are those of a first start.
#pragma once

#include <string>

#include "delivery/archive/zip_options.h"
#include "engine/part_size.h"

namespace kardomel {

struct TOptions {
  // Allgemein.
  bool Hints = true;       // "Hinweise anzeigen"
  bool GridLines = false;  // "Linien in der Dateiansicht anzeigen"
  bool KdmFile = true;     // "KDM-File immer erzeugen"
  // Off by default, so that a default split writes the classic set and
  // keeps the kernel's copy without hashing.
  bool Checksums = false;    // "Prüfsummen erzeugen": NAME.sha256 and NAME.crc
  bool ShellScript = false;  // "Shell-Skript erzeugen": the rejoin script NAME.sh
  // Verknüpfung: the shell link and what a file handed over by it starts.
  bool SendTo = false;     // "Verknüpfung zu Kardomel-Dateien erstellen"
  bool Automatic = false;  // "Automatisch splitten im"
  bool SplitSel = false;   // split into SplitFolder instead of the source folder
  std::string SplitFolder;
  std::string DstSize = kSizePresets[0].Label;  // the default part size text
  bool KittSel = false;    // join into KittFolder instead of the source folder
  std::string KittFolder;
  // Zip.
  TZipOptions Zip;

  bool operator==(const TOptions&) const = default;
};

}  // namespace kardomel
