#include "delivery/archive/sfx_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace kardomel {
namespace {

struct TSfxTarget {
  std::string StubPath;
  std::string TargetPath;
  std::string TempPath;
  int Fd = -1;
  zip_error_t Error;

  TSfxTarget(std::string stub, std::string target)
      : StubPath(std::move(stub)), TargetPath(std::move(target)) {
    zip_error_init(&Error);
  }
  ~TSfxTarget() {
    Discard();
    zip_error_fini(&Error);
  }

  int64_t Fail(int zipError, int systemError) {
    zip_error_set(&Error, zipError, systemError);
    return -1;
  }

  void Discard() {
    if (Fd >= 0) ::close(Fd);
    Fd = -1;
    if (!TempPath.empty()) ::unlink(TempPath.c_str());
    TempPath.clear();
  }

  bool WriteAll(const char* data, size_t size) {
    while (size > 0) {
      ssize_t done = ::write(Fd, data, size);
      if (done < 0 && errno == EINTR) continue;
      if (done <= 0) return false;
      data += done;
      size -= static_cast<size_t>(done);
    }
    return true;
  }

  int64_t BeginWrite() {
    TempPath = TargetPath + ".XXXXXX";
    Fd = ::mkstemp(TempPath.data());
    if (Fd < 0) {
      TempPath.clear();
      return Fail(ZIP_ER_TMPOPEN, errno);
    }
    int stub = ::open(StubPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (stub < 0) {
      int code = errno;
      Discard();
      return Fail(ZIP_ER_OPEN, code);
    }
    std::vector<char> buffer(1 << 16);
    ssize_t got;
    while ((got = ::read(stub, buffer.data(), buffer.size())) > 0) {
      if (!WriteAll(buffer.data(), static_cast<size_t>(got))) {
        int code = errno;
        ::close(stub);
        Discard();
        return Fail(ZIP_ER_WRITE, code);
      }
    }
    int code = errno;
    ::close(stub);
    if (got < 0) {
      Discard();
      return Fail(ZIP_ER_READ, code);
    }
    return 0;
  }

  int64_t CommitWrite() {
    // The archive is a program for the machines it travels to; readable
    // and executable for everyone as the umask allows.
    mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(Fd, 0777 & ~mask) != 0 || ::fsync(Fd) != 0 || ::close(Fd) != 0) {
      Fd = -1;
      int code = errno;
      Discard();
      return Fail(ZIP_ER_WRITE, code);
    }
    Fd = -1;
    if (::rename(TempPath.c_str(), TargetPath.c_str()) != 0) {
      int code = errno;
      Discard();
      return Fail(ZIP_ER_RENAME, code);
    }
    TempPath.clear();
    return 0;
  }

  int64_t SeekWrite(void* data, zip_uint64_t length) {
    auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &Error);
    if (args == nullptr) return -1;
    if (::lseek(Fd, args->offset, args->whence) < 0) return Fail(ZIP_ER_SEEK, errno);
    return 0;
  }

  int64_t Handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
      case ZIP_SOURCE_SUPPORTS:
        return ZIP_SOURCE_SUPPORTS_WRITABLE;
      case ZIP_SOURCE_STAT:
        // Always a new archive: libzip takes "no such file" as that.
        return Fail(ZIP_ER_READ, ENOENT);
      case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&Error, data, length);
      case ZIP_SOURCE_BEGIN_WRITE:
        return BeginWrite();
      case ZIP_SOURCE_WRITE:
        return WriteAll(static_cast<const char*>(data), length) ? static_cast<int64_t>(length)
                                                                : Fail(ZIP_ER_WRITE, errno);
      case ZIP_SOURCE_TELL_WRITE: {
        off_t at = ::lseek(Fd, 0, SEEK_CUR);
        return at < 0 ? Fail(ZIP_ER_TELL, errno) : static_cast<int64_t>(at);
      }
      case ZIP_SOURCE_SEEK_WRITE:
        return SeekWrite(data, length);
      case ZIP_SOURCE_COMMIT_WRITE:
        return CommitWrite();
      case ZIP_SOURCE_ROLLBACK_WRITE:
        Discard();
        return 0;
      case ZIP_SOURCE_REMOVE:
        return 0;  // an empty archive: nothing was written, nothing to remove
      case ZIP_SOURCE_FREE:
        delete this;
        return 0;
      default:
        // Reading: there is never an old archive to read.
        return Fail(ZIP_ER_OPNOTSUPP, 0);
    }
  }
};

zip_int64_t Callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  return static_cast<TSfxTarget*>(state)->Handle(data, length, command);
}

}  // namespace

zip_source_t* NewSfxTargetSource(const std::string& stubPath, const std::string& targetPath,
                                 zip_error_t* error) {
  auto* target = new TSfxTarget(stubPath, targetPath);
  zip_source_t* source = zip_source_function_create(Callback, target, error);
  if (source == nullptr) delete target;
  return source;
}

}  // namespace kardomel
