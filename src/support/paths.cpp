#include "support/paths.h"

#include <limits.h>
#include <unistd.h>

#include "support/globals.h"

namespace kardomel {

std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
  std::string relative = path;
  while (relative.compare(0, 2, "./") == 0) relative.erase(0, 2);
  return AddBackslash(cwd) + relative;
}

}  // namespace kardomel
