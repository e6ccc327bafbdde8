// Writing and removing the small files of the desktop integration, each
// step reporting success so that the first failure can end the run.
#pragma once

#include <string>
#include <sys/types.h>

namespace kardomel {

// Makes Path hold Content with permission bits Mode, creating its folders.
// A file that already holds them is left untouched; otherwise the content
// is written beside it and renamed over it, so that a reader never sees
// half a file. False when that failed.
bool WriteUserFile(const std::string& path, const std::string& content, mode_t mode);

// Removes the file at Path; true when it is gone (also when it never was).
bool RemoveUserFile(const std::string& path);

// The content of Path, empty when there is none; false when it exists but
// cannot be read.
bool ReadUserFile(const std::string& path, std::string& content);

}  // namespace kardomel
