// What a join starts from: the set a selected part or descriptor file
// belongs to, read from its descriptor file or found by counting the parts.
// The window, the command line and the tests all fill the join this way, so
// that they cannot drift apart.
#pragma once

#include <string>

#include "engine/interaction.h"
#include "engine/join.h"

namespace kardomel {

// The join of the set Path (a part or the descriptor file) belongs to: the
// folder and name of Path, and the extension, part count and size from the
// descriptor file. When that cannot be read (ReadDescriptor has then shown
// "Dateiendung unbekannt."), the parts are counted, their sizes added up, and
// TypedExtension is the extension; DescriptorSize then stays empty. The
// destination and the deletion of the parts are the caller's. A descriptor
// line that is no number raises EConvertError.
TJoinInput PrepareJoin(TEnv& env, TInteraction& ui, const std::string& path,
                       const std::string& typedExtension);

}  // namespace kardomel
