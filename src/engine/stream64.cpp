#include "engine/stream64.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>

namespace kardomel {

void TStream64::ReadBuffer(void* buffer, uint32_t count) {
  if (Read(buffer, count) < count) throw EStream64Fault("Read buffer at Stream64 failed.");
}

void TStream64::WriteBuffer(const void* buffer, uint32_t count) {
  if (Write(buffer, count) < count) throw EStream64Fault("Write buffer at Stream64 failed.");
}

int64_t TStream64::Size() {
  int64_t position = Seek(0, 1);
  int64_t size = Seek(0, 2);
  Seek(position, 0);
  return size;
}

int64_t TStream64::TryCopyFrom(TStream64& source, int64_t count, TCopyObserver* observer) {
  if (count < 0) throw EStream64Fault("Invalid Count parameter for CopyFrom.");
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  int64_t left = source.Size() - source.Position();
  if (left < 0) left = 0;
  if (count > left) count = left;
  const int64_t requested = count;

  bool finished = false;
  count -= CopyDirect(source, count, observer, finished);
  if (finished || count <= 0) return requested - count;

  std::unique_ptr<char[]> buffer(new char[kCopyBufferSize]);
  for (;;) {
    uint32_t block = count < kCopyBufferSize ? static_cast<uint32_t>(count) : kCopyBufferSize;
    uint32_t got = source.Read(buffer.get(), block);
    uint32_t put = Write(buffer.get(), got);
    count -= put;
    if (put != got) source.Seek(static_cast<int64_t>(put) - static_cast<int64_t>(got), 1);
    if (observer != nullptr && put > 0) observer->Copied(requested - count);
    if (count <= 0 || got == 0 || put != got) break;
  }
  return requested - count;
}

namespace {

constexpr const char* kCannotCreate = "Datei kann nicht erstellt werden";
constexpr const char* kCannotOpen = "Datei kann nicht geöffnet werden";
constexpr const char* kCannotRead = "Datei kann nicht gelesen werden";
constexpr const char* kCannotWrite = "Datei kann nicht geschrieben werden";

// Opens an existing regular file without ever waiting: a pipe would block
// the open until a writer comes, a device may wait for a medium.
int OpenExisting(const std::string& fileName, int access) {
  int handle = ::open(fileName.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (handle < 0) throw EFileError(kCannotOpen, fileName, errno);
  struct stat info;
  if (::fstat(handle, &info) != 0) {
    int code = errno;
    ::close(handle);
    throw EFileError(kCannotOpen, fileName, code);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(handle);
    if (S_ISDIR(info.st_mode)) throw EFileError(kCannotOpen, fileName, EISDIR);
    throw EFileError(kCannotOpen, fileName, EINVAL, "keine gewöhnliche Datei");
  }
  // Appending into a file that has other names would change those too.
  if ((access & O_APPEND) != 0 && info.st_nlink != 1) {
    ::close(handle);
    throw EFileError(kCannotOpen, fileName, EMLINK, "Datei hat weitere Namen");
  }
  ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
  return handle;
}

// Creates FileName afresh. An entry of that name is removed first, so that
// a link or a second name of another file is replaced, not written through;
// O_EXCL and O_NOFOLLOW make sure that nothing slipped in meanwhile.
int CreateFresh(const std::string& fileName) {
  struct stat info;
  if (::lstat(fileName.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw EFileError(kCannotCreate, fileName, EISDIR);
    if (::unlink(fileName.c_str()) != 0 && errno != ENOENT)
      throw EFileError(kCannotCreate, fileName, errno);
  }
  int handle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (handle < 0) throw EFileError(kCannotCreate, fileName, errno);
  return handle;
}

}  // namespace

TFileStream64::TFileStream64(const std::string& fileName, TOpenMode mode) : fFileName(fileName) {
  switch (mode) {
    case TOpenMode::Read: fFileHandle = OpenExisting(fileName, O_RDONLY); break;
    case TOpenMode::Append: fFileHandle = OpenExisting(fileName, O_WRONLY | O_APPEND | O_NOFOLLOW); break;
    case TOpenMode::Write: fFileHandle = CreateFresh(fileName); break;
  }
}

TFileStream64::~TFileStream64() { ::close(fFileHandle); }

void TFileStream64::RaiseFileError(const char* action) const {
  throw EFileError(action, fFileName, errno);
}

uint32_t TFileStream64::Read(void* buffer, uint32_t count) {
  for (;;) {
    ssize_t got = ::read(fFileHandle, buffer, count);
    if (got >= 0) return static_cast<uint32_t>(got);
    if (errno != EINTR) RaiseFileError(kCannotRead);
  }
}

uint32_t TFileStream64::Write(const void* buffer, uint32_t count) {
  for (;;) {
    ssize_t put = ::write(fFileHandle, buffer, count);
    if (put >= 0) return static_cast<uint32_t>(put);
    if (errno != EINTR) RaiseFileError(kCannotWrite);
  }
}

int64_t TFileStream64::Seek(int64_t offset, uint16_t origin) {
  int whence = origin == 0 ? SEEK_SET : origin == 2 ? SEEK_END : SEEK_CUR;
  off_t position = ::lseek(fFileHandle, offset, whence);
  if (position < 0) RaiseFileError("Dateiposition kann nicht gesetzt werden");
  return position;
}

void TFileStream64::SetSize(int64_t newSize) {
  int64_t position = Position();
  if (::ftruncate(fFileHandle, newSize) != 0) RaiseFileError(kCannotWrite);
  SetPosition(position);
}

void TFileStream64::Flush() {
  TStream64::Flush();
  if (::fsync(fFileHandle) != 0) RaiseFileError(kCannotWrite);
}

namespace {

// The first in-kernel step is small enough that progress moves several
// times a second on slow media; on fast media the steps grow, so that a
// copy from the page cache costs few calls.
constexpr int64_t kFirstDirectChunk = 8 * 1024 * 1024;
constexpr int64_t kLargestDirectChunk = 1024 * 1024 * 1024;
constexpr auto kQuickStep = std::chrono::milliseconds(25);

bool IsUnsupportedCopy(int code) {
  return code == EXDEV || code == EINVAL || code == ENOSYS || code == EOPNOTSUPP ||
         code == EBADF || code == ETXTBSY || code == EPERM;
}

}  // namespace

int64_t TFileStream64::CopyDirect(TStream64& source, int64_t count, TCopyObserver* observer,
                                  bool& finished) {
  finished = false;
  auto* file = dynamic_cast<TFileStream64*>(&source);
  if (file == nullptr) return 0;
  int64_t done = 0;
  int64_t step = kFirstDirectChunk;
  while (done < count) {
    int64_t chunk = count - done < step ? count - done : step;
    const auto started = std::chrono::steady_clock::now();
    ssize_t moved = ::copy_file_range(file->Handle(), nullptr, fFileHandle, nullptr,
                                      static_cast<size_t>(chunk), 0);
    if (moved < 0) {
      if (errno == EINTR) continue;
      // Where the kernel cannot copy between these two files, the block loop
      // goes on from where this stopped; any other failure is the same error
      // a write or read would have raised.
      if (IsUnsupportedCopy(errno)) return done;
      // The kernel does not say which side failed; a full or read-only
      // medium can only be the destination's.
      if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG || errno == EROFS)
        RaiseFileError(kCannotWrite);
      file->RaiseFileError(kCannotRead);
    }
    // Nothing moved although bytes are left: let the block loop decide
    // whether the source really ended.
    if (moved == 0) return done;
    done += moved;
    if (observer != nullptr) observer->Copied(done);
    if (step < kLargestDirectChunk && std::chrono::steady_clock::now() - started < kQuickStep)
      step *= 2;
  }
  finished = true;
  return done;
}

}  // namespace kardomel
