#include "support/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "support/errors.h"

namespace kardomel {

void WriteTextFile(const std::string& path, const std::string& bytes, bool append) {
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) throw EInOutError(errno);
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      int code = put < 0 ? errno : ENOSPC;
      ::close(fd);
      throw EInOutError(code);
    }
    done += static_cast<size_t>(put);
  }
  if (::close(fd) != 0) throw EInOutError(errno);
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string content;
  char buffer[4096];
  // The files read here hold a few short lines; a large file given by
  // mistake must not be loaded whole.
  constexpr size_t kMaxTextFile = 64 * 1024;
  while (content.size() < kMaxTextFile) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  lines.clear();
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return true;
}

}  // namespace kardomel
