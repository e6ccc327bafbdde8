// The lines of the small text files that the program hands to users
// (descriptor file, rejoin script). Reading and writing them goes through
// the engine's environment.
#pragma once

#include <string>
#include <vector>

namespace kardomel {

// Lines of Content without their CR LF or LF ends; a last line without an
// end counts, an empty text has no lines.
std::vector<std::string> SplitTextLines(const std::string& content);

}  // namespace kardomel
