// The real system behind TEnv: POSIX calls, statvfs and sysfs.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>

#include "engine/env.h"
#include "support/errors.h"
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

// What every temporary file of Target starts with: a dot, so that file
// managers hide it, and the target's name, so that a reader sees whose it
// is. A very long name is cut (at a character boundary) to leave room; the
// cut prefix may then also match a temporary file of a similar name, which
// is removed only when it, too, was left behind.
std::string TempPrefix(const std::string& targetName) {
  constexpr size_t kLongestKept = 200;
  std::string kept = targetName;
  if (kept.size() > kLongestKept) {
    size_t cut = kLongestKept;
    while (cut > 0 && (static_cast<unsigned char>(kept[cut]) & 0xC0) == 0x80) --cut;
    kept.resize(cut);
  }
  return "." + kept + ".kardomel-";
}
constexpr size_t kTempSuffixLength = 6;

std::string RandomSuffix() {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  unsigned char noise[kTempSuffixLength];
  if (::getrandom(noise, sizeof noise, 0) != static_cast<ssize_t>(sizeof noise)) {
    uint64_t seed = static_cast<uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count()) ^ static_cast<uint64_t>(::getpid());
    for (unsigned char& c : noise) c = static_cast<unsigned char>(seed >>= 5);
  }
  std::string suffix;
  for (unsigned char c : noise) suffix += kLetters[c % (sizeof kLetters - 1)];
  return suffix;
}

// Removes the temporary file at Path when no run holds it any more. A live
// run keeps an exclusive lock on its file from creating it to renaming it.
void RemoveIfLeftBehind(const std::string& path) {
  int handle = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (handle < 0) return;
  struct stat opened, named;
  if (::fstat(handle, &opened) == 0 && S_ISREG(opened.st_mode) &&
      ::flock(handle, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
      named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
    ::unlink(path.c_str());
  ::close(handle);
}

// Holds the lock on a folder during the few calls that look for left-behind
// temporary files and create a new one, so that a file just created is
// never taken for left behind before its run has locked it.
class TFolderLock {
 public:
  explicit TFolderLock(const std::string& folder)
      : handle_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    // A file system without locks on folders still gets its temporary
    // files; only the cleaning-up is then less careful.
    if (handle_ >= 0) ::flock(handle_, LOCK_EX);
  }
  ~TFolderLock() {
    if (handle_ >= 0) ::close(handle_);
  }
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

 private:
  int handle_;
};

class TPosixEnv : public TEnv {
 public:
  std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) override {
    return std::make_unique<TFileStream64>(path, mode);
  }

  std::unique_ptr<TStream64> CreateTempFor(const std::string& target,
                                           std::string& tempPath) override {
    const std::string folder = ExtractFilePath(target);
    const std::string prefix = TempPrefix(ExtractFileName(target));
    TFolderLock lock(folder.empty() ? "." : folder);
    for (const std::string& name : ListFolder(folder)) {
      if (name.size() == prefix.size() + kTempSuffixLength && name.compare(0, prefix.size(), prefix) == 0)
        RemoveIfLeftBehind(folder + name);
    }
    for (int attempt = 0;; ++attempt) {
      tempPath = folder + prefix + RandomSuffix();
      int handle = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (handle >= 0) {
        ::flock(handle, LOCK_EX | LOCK_NB);
        return std::make_unique<TFileStream64>(handle, tempPath);
      }
      if (errno != EEXIST || attempt >= 100)
        throw EFileError("Datei kann nicht erstellt werden", tempPath, errno);
    }
  }

  void RenameEntry(const std::string& from, const std::string& to, bool replace) override {
    int result;
    if (replace) {
      result = ::rename(from.c_str(), to.c_str());
    } else {
      result = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
      // Some file systems cannot refuse to replace; there the test just
      // before the rename has to do.
      if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        if (EntryExists(to)) {
          errno = EEXIST;
        } else {
          result = ::rename(from.c_str(), to.c_str());
        }
      }
    }
    if (result != 0) throw EFileError("Datei kann nicht umbenannt werden", from + " → " + to, errno);
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

  bool IsRegularFile(const std::string& path) override {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
