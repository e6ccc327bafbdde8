// Replacing a small file's content so that a crash, a full disk or any other
// failure on the way leaves either the old content or the new one, never a
// mixture or a stub.
#pragma once

#include <string>

namespace kardomel {

// Writes Bytes to a fresh file beside Path, flushes it to the disk and
// renames it over Path; a Path that is a symbolic link keeps the link and has
// its target replaced. An existing file's permissions are kept. Returns 0, or
// the errno of the step that failed; then Path is as it was and the fresh
// file is gone.
int ReplaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace kardomel
