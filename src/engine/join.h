// The join: rebuilds a split file from its parts, asking for the next disk
// when a part is missing, and deletes the parts afterwards when asked to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/command.h"
#include "engine/env.h"
#include "engine/interaction.h"

namespace kardomel {

// What the main window's fields hold when the join starts.
struct TJoinInput {
  std::string SourceFolder;  // the folder in which every part is looked for
  std::string SelectedName;  // name of the selected part or descriptor file
  // Extension of the rebuilt file, without the dot. Empty means "not known"
  // unless a descriptor file gave it (DescriptorSize is set): then the file
  // had no extension and is rebuilt under the bare name.
  std::string Extension;
  int64_t PartCount = 0;     // number of parts to copy
  int64_t TotalSize = 0;     // bytes the parts hold, for the free-space check
  std::optional<int64_t> DescriptorSize;  // the size a descriptor file gave
  bool SameDir = true;       // rebuild beside the parts, else into DestFolder
  std::string DestFolder;    // the destination tree's folder
  bool DeleteParts = false;  // "Teildateien nach dem Kitten löschen"
};

struct TJoinResult {
  TOutcome Outcome = TOutcome::Done;
  TField Focus = TField::None;
  std::string DestPath;  // the rebuilt file (its folder may have been chosen anew)
  // Members of the set that were to be deleted but are still there.
  std::vector<std::string> NotDeleted;
};

// Runs the join, asking and reporting through Ui. The file is built under a
// temporary name beside the destination and takes the destination's name
// only when complete and of the expected size, so that an existing file
// stays untouched and no partial file ever carries the final name. Failures
// (a file that cannot be opened, a part copied short, a rebuilt file of the
// wrong size) are exceptions, raised after the busy state has been left and
// the temporary file removed. The parts are deleted only when the file now
// at the destination is the one this join wrote. Before and while copying,
// the parts are checked against what the files beside them say (part
// sizes, NAME.sha256, NAME.crc, see set_check.h); a set that does not fit
// is refused with a warning naming the part at fault, without a result and
// without deleting anything.
TJoinResult RunJoin(const TJoinInput& input, TEnv& env, TInteraction& ui);

}  // namespace kardomel
