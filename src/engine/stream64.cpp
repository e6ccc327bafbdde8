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

TFileStream64::TFileStream64(const std::string& fileName, TOpenMode mode) {
  int flags = mode == TOpenMode::Read ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
  fFileHandle = ::open(fileName.c_str(), flags | O_CLOEXEC, 0666);
  if (fFileHandle >= 0 && mode == TOpenMode::Read) {
    // A folder opens for reading here but is no file to read.
    struct stat info;
    if (::fstat(fFileHandle, &info) != 0 || S_ISDIR(info.st_mode)) {
      ::close(fFileHandle);
      fFileHandle = -1;
    }
  }
  if (fFileHandle < 0) throw EStream64Fault("W32 Creation of TFileStream64 failed.");
}

TFileStream64::~TFileStream64() { ::close(fFileHandle); }

uint32_t TFileStream64::Read(void* buffer, uint32_t count) {
  for (;;) {
    ssize_t got = ::read(fFileHandle, buffer, count);
    if (got >= 0) return static_cast<uint32_t>(got);
    if (errno != EINTR) RaiseLastOSError();
  }
}

uint32_t TFileStream64::Write(const void* buffer, uint32_t count) {
  for (;;) {
    ssize_t put = ::write(fFileHandle, buffer, count);
    if (put >= 0) return static_cast<uint32_t>(put);
    if (errno != EINTR) RaiseLastOSError();
  }
}

int64_t TFileStream64::Seek(int64_t offset, uint16_t origin) {
  int whence = origin == 0 ? SEEK_SET : origin == 2 ? SEEK_END : SEEK_CUR;
  off_t position = ::lseek(fFileHandle, offset, whence);
  if (position < 0) RaiseLastOSError();
  return position;
}

void TFileStream64::SetSize(int64_t newSize) {
  int64_t position = Position();
  if (::ftruncate(fFileHandle, newSize) != 0) RaiseLastOSError();
  SetPosition(position);
}

void TFileStream64::Flush() {
  TStream64::Flush();
  if (::fsync(fFileHandle) != 0) RaiseLastOSError();
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
      RaiseLastOSError();
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
