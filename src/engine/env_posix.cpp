// The real system behind TEnv: POSIX calls, statvfs and sysfs.
#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "engine/env.h"
#include "support/globals.h"

namespace kardomel {
namespace {

// The nearest existing folder of Path: Path itself, or the first ancestor
// that exists. "." for a relative path none of whose folders exist.
std::string NearestExistingFolder(std::string path) {
  while (!path.empty()) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return path;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    std::string parent = ExtractFilePath(path);
    if (parent == path) break;
    path = parent.size() > 1 ? parent.substr(0, parent.size() - 1) : parent;
  }
  return ".";
}

bool ReadFlag(const std::string& file) {
  std::ifstream in(file);
  int value = 0;
  return (in >> value) && value != 0;
}

class TPosixEnv : public TEnv {
 public:
  std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) override {
    return std::make_unique<TFileStream64>(path, mode);
  }

  int64_t FreeSpace(const std::string& path) override {
    struct statvfs info;
    if (::statvfs(NearestExistingFolder(path).c_str(), &info) != 0) return -1;
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
  }

  bool IsRemovable(const std::string& path) override {
    struct stat info;
    if (::stat(NearestExistingFolder(path).c_str(), &info) != 0) return false;
    std::string device = "/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                         std::to_string(minor(info.st_dev));
    char resolved[PATH_MAX];
    if (::realpath(device.c_str(), resolved) == nullptr) return false;  // tmpfs, network, ...
    std::string sysfs = resolved;
    // A USB stick or card reader often reports itself as fixed; its place
    // on the USB or MMC bus tells the truth.
    if (sysfs.find("/usb") != std::string::npos || sysfs.find("/mmc") != std::string::npos)
      return true;
    if (ReadFlag(sysfs + "/removable")) return true;
    // A partition carries the flag on its whole disk.
    return EntryExists(sysfs + "/partition") && ReadFlag(sysfs + "/../removable");
  }

  std::string TempDir() override {
    const char* dir = ::getenv("TMPDIR");
    return AddBackslash(dir != nullptr && *dir != '\0' ? dir : "/tmp");
  }

  bool EntryExists(const std::string& path) override {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
  }

  bool IsFolder(const std::string& path) override {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  int64_t EntrySize(const std::string& path) override {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return -1;
    // A folder holds no bytes of its own, whatever the file system reports.
    return S_ISDIR(info.st_mode) ? 0 : static_cast<int64_t>(info.st_size);
  }

  bool GetFileId(const std::string& path, TFileId& id) override {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return false;
    id.Device = info.st_dev;
    id.Inode = info.st_ino;
    return true;
  }

  std::vector<std::string> ListFolder(const std::string& folder) override {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
  }

  bool DeleteEntry(const std::string& path) override {
    return IsFolder(path) ? ::rmdir(path.c_str()) == 0 : ::unlink(path.c_str()) == 0;
  }

  uint64_t NowMicros() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
};

}  // namespace

TEnv* TEnv::Default() {
  static TPosixEnv env;
  return &env;
}

}  // namespace kardomel
