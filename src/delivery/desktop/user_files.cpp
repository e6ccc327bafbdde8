#include "delivery/desktop/user_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/globals.h"

namespace kardomel {

bool ReadUserFile(const std::string& path, std::string& content) {
  content.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return ::access(path.c_str(), F_OK) != 0 && errno == ENOENT;
  std::ostringstream text;
  text << in.rdbuf();
  content = text.str();
  return !in.bad();
}

bool WriteUserFile(const std::string& path, const std::string& content, mode_t mode) {
  struct stat info;
  std::string existing;
  if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      (info.st_mode & 07777) == mode && ReadUserFile(path, existing) && existing == content)
    return true;
  std::error_code error;
  std::filesystem::create_directories(ExtractFilePath(path), error);
  if (error) return false;
  const std::string fresh = path + ".kardomel-new";
  {
    std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) {
      ::unlink(fresh.c_str());
      return false;
    }
  }
  if (::chmod(fresh.c_str(), mode) != 0 || ::rename(fresh.c_str(), path.c_str()) != 0) {
    ::unlink(fresh.c_str());
    return false;
  }
  return true;
}

bool RemoveUserFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR;
}

}  // namespace kardomel
