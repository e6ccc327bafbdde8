// The split and the join that an automatic start runs, built from its plan
// and the options, without the window's fields: the window only shows the
// outcome.
#pragma once

#include <cstdint>
#include <string>

#include "app/startup/settings.h"
#include "app/startup/start_argument.h"
#include "engine/interaction.h"
#include "engine/join.h"
#include "engine/split.h"

namespace kardomel {

// The split of the file SourcePath of SrcSize bytes with the default part
// size of Run; the count follows the size. The count that size gives is
// checked as the count field's recalculation checks it, so that below 1 (no
// usable default size, an empty file) its warning comes before the split's
// own refusal. Into the source folder, or into Run's folder, which is created
// first (ForceFolder). Descriptor and script as Settings say.
TSplitInput AutoSplitInput(const TAutoRun& run, const std::string& sourcePath, int64_t srcSize,
                           const TSettings& settings, TInteraction& ui);

// Prepared (the join the selected set member gives, PrepareJoin) into the
// source folder or into Run's folder, which is created first. The parts are
// kept: selecting a set member clears "Teildateien nach dem Kitten löschen".
TJoinInput AutoJoinInput(const TAutoRun& run, TJoinInput prepared);

}  // namespace kardomel
