// The join: rebuilds a split file from its parts, asking for the next disk
// when a part is missing, and deletes the parts afterwards when asked to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/command.h"
#include "engine/env.h"
#include "engine/interaction.h"

namespace kardomel {

// What the main window's fields hold when the join starts.
struct TJoinInput {
  std::string SourceFolder;  // the folder in which every part is looked for
  std::string SelectedName;  // name of the selected part or descriptor file
  std::string Extension;     // extension of the rebuilt file, without the dot
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
};

// Runs the join, asking and reporting through Ui. Failures (a file that
// cannot be opened, a part copied short, a rebuilt file of the wrong size)
// are exceptions, raised after the busy state has been left; the parts are
// deleted only after the rebuilt file is complete.
TJoinResult RunJoin(const TJoinInput& input, TEnv& env, TInteraction& ui);

}  // namespace kardomel
