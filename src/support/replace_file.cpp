#include "support/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace kardomel {
namespace {

// The file a link at Path stands for, so that replacing it keeps the link.
std::string ResolvedPath(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    if (put == 0) return ENOSPC;
    done += static_cast<size_t>(put);
  }
  return 0;
}

// Creates a file of a name no other writer uses, in Target's folder: the
// rename is atomic only within one file system.
int CreateFresh(const std::string& target, std::string& fresh) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    fresh = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

int ReplaceFileContents(const std::string& path, const std::string& bytes) {
  const std::string target = ResolvedPath(path);
  std::string fresh;
  int fd = CreateFresh(target, fresh);
  if (fd < 0) return errno;
  struct stat old;
  int error = 0;
  if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
  if (!error) error = WriteAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(fresh.c_str(), target.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(fresh.c_str());
    return error;
  }
  // The rename itself lasts only once the folder is on the disk too.
  int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return 0;
}

}  // namespace kardomel
