// The split: cuts one file into numbered parts of a chosen size, with the
// descriptor file and the rejoin script beside them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/command.h"
#include "engine/env.h"
#include "engine/interaction.h"

namespace kardomel {

// What the main window's fields and the options hold when the split starts.
struct TSplitInput {
  std::string SourcePath;     // full path of the file to cut
  int64_t PartSize = 0;       // the size field, evaluated (0 when no number)
  int64_t PartCount = 0;      // the count field (0 when no number)
  bool SameDir = true;        // parts beside the source, else into DestFolder
  std::string DestFolder;     // the destination tree's folder
  bool WriteDescriptor = true;  // "KDM-File immer erzeugen"
  bool WriteBatch = true;       // "Batch-Datei erzeugen"
  std::string WebAddress;       // line 9 of the rejoin script
  // NAME.sha256 and NAME.crc beside the last part, the data hashed while it
  // is copied ("Prüfsummen erzeugen").
  bool WriteChecksums = false;
  bool WriteShellScript = false;  // NAME.sh ("Shell-Skript erzeugen")
};

struct TSplitResult {
  TOutcome Outcome = TOutcome::Done;
  TField Focus = TField::None;  // for a refusal
  std::string BasePath;         // where the members were named from at the end
  int32_t PartsWritten = 0;
  // Full paths of the files the split wrote, each once: the parts in number
  // order, then the rejoin script (.bat), the descriptor file (.KDM), the
  // checksum files (.sha256, .crc) and the shell script (.sh) where they
  // were written. A full medium may have put members into several folders.
  // After a cancel: the parts written so far and the descriptor file.
  std::vector<std::string> Files;
};

// Runs the split, asking and reporting through Ui. Refusals and cancels are
// results; failures (a file that cannot be opened or written, a part copied
// short) are exceptions, raised after the busy state has been left and the
// streams closed. The source is never written.
TSplitResult RunSplit(const TSplitInput& input, TEnv& env, TInteraction& ui);

}  // namespace kardomel
