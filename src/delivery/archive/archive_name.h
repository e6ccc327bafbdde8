// Where the zip step writes its archive.
#pragma once

#include <string>

namespace kardomel {

// The file the archive goes to, from the path the split proposes: blanks at
// both ends removed; an ordinary archive keeps a path that contains ".zip"
// anywhere (any case) and otherwise gets the extension ".zip"; a
// self-extracting archive gets the extension ".exe".
std::string ArchiveTargetPath(const std::string& path, bool selfExtracting);

}  // namespace kardomel
