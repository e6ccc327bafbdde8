// The rejoin script for Linux and macOS (".sh"): POSIX sh that glues the
// parts with cat into the file in the script's own folder, refuses to write
// over an existing file, and checks the result with sha256sum (or macOS's
// shasum) when the set has a checksum file.
#pragma once

#include <string>
#include <vector>

namespace kardomel {

// The script that rebuilds Target from PartNames (names without folder, in
// order), checking it against ChecksumName afterwards unless that is empty.
// Every name stands between single quotes (a single quote in it written as
// '\''), so that no byte of it means anything to sh. UTF-8 with LF line ends. REQUIRES: PartNames is not empty.
std::string ShellScriptText(const std::vector<std::string>& partNames, const std::string& target,
                            const std::string& checksumName);

}  // namespace kardomel
