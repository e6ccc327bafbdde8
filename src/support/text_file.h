// Writing and reading the small text files that the program hands to users
// (descriptor file, rejoin script). Failures raise EInOutError.
#pragma once

#include <string>
#include <vector>

namespace kardomel {

// Creates or empties the file and writes Bytes; Append adds them at its end.
// The file is closed also when a write fails. Raises EInOutError.
void WriteTextFile(const std::string& path, const std::string& bytes, bool append = false);

// Lines of a text file without their CR LF or LF ends. Returns false when the
// file cannot be opened for reading.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace kardomel
