// Checks a set without joining it: every part against the checksum file and
// the part sizes, the whole against the checksum files, for "kardomel-cli
// verify".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/env.h"
#include "engine/set_check.h"

namespace kardomel {

enum class TPartState {
  Verified,   // its checksum fits
  SizeFits,   // no checksum lists it; its size fits the set
  Missing,
  Damaged,    // wrong size or wrong checksum
};

struct TPartReport {
  std::string Name;
  TPartState State = TPartState::Missing;
  std::string Why;  // for Damaged
};

enum class TWholeState { NotChecked, Verified, Damaged };

struct TSetReport {
  std::optional<TSetFault> Fault;  // the files beside the parts contradict each other
  std::vector<TPartReport> Parts;
  std::string WholeName;           // the rebuilt file's name, when a checksum file names it
  TWholeState Whole = TWholeState::NotChecked;
  std::string WholeWhy;
  bool CountChecked = false;
  // Every part present and right, shown by a checksum of each part or of
  // the whole.
  bool Proven = false;
};

// Checks the set MemberPath (any part or the descriptor file) belongs to.
// Raises EFileError when a part cannot be read, EConvertError for a
// descriptor file whose numbers are no numbers.
TSetReport VerifySet(TEnv& env, const std::string& memberPath);

}  // namespace kardomel
