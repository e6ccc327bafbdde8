// What a selected file is: an ordinary file to split or a member of a split
// set to join; and the parts of a set counted when no descriptor file says.
#pragma once

#include <cstdint>
#include <string>

#include "engine/env.h"

namespace kardomel {

enum class TSelectionMode { Empty, Split, Join };

// The mode a selected entry puts the window in. Folders other than a
// compressed ".zip" folder and shortcuts give Empty; ".kdm" in any case and
// ".001" to ".099" give Join; every other file gives Split.
TSelectionMode ClassifySelection(const std::string& name, bool isFolder);

struct TPartCount {
  int32_t Count = 0;   // consecutive parts found from .002 on, plus one for .001
  int64_t Total = 0;   // their sizes added up (.001 only when present)
};

// Counts the parts of the set FullPath belongs to by looking them up from
// ".002" on until a number is missing.
TPartCount CountParts(TEnv& env, const std::string& fullPath);

}  // namespace kardomel
