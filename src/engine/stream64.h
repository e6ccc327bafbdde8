// Byte streams with signed 64-bit positions and sizes through which every
// part and every split or joined file is read or written.
#pragma once

#include <cstdint>
#include <string>

#include "support/errors.h"

namespace kardomel {

// Failures the stream logic itself detects (failed system calls raise
// ESystemError, on a file EFileError, instead).
class EStream64Fault : public EKardomel {
 public:
  explicit EStream64Fault(const std::string& message) : EKardomel(message) {}
};

// Told after each block that CopyFrom moved, with the bytes copied so far in
// this call. Lets a window keep painting and a terminal draw its bar.
class TCopyObserver {
 public:
  virtual ~TCopyObserver() = default;
  virtual void Copied(int64_t done) = 0;
};

// Size of the one buffer a copy takes.
inline constexpr uint32_t kCopyBufferSize = 262144;

class TStream64 {
 public:
  virtual ~TStream64() = default;

  // Reads up to Count bytes at the position; returns the bytes read, 0 at the end.
  virtual uint32_t Read(void* buffer, uint32_t count) = 0;
  // Moves the position. Origin 0 = from the start, 2 = from the end, any
  // other value = from the current position. Returns the new position.
  virtual int64_t Seek(int64_t offset, uint16_t origin) = 0;
  // Sets the length of the underlying data; the position stays where it was.
  virtual void SetSize(int64_t /*newSize*/) {}
  // Writes up to Count bytes at the position; returns the bytes written.
  virtual uint32_t Write(const void* buffer, uint32_t count) = 0;
  // Forces written data out to the medium.
  virtual void Flush() {}

  // Read, raising EStream64Fault "Read buffer at Stream64 failed." when short.
  void ReadBuffer(void* buffer, uint32_t count);
  // Write, raising EStream64Fault "Write buffer at Stream64 failed." when short.
  void WriteBuffer(const void* buffer, uint32_t count);

  // Copies Count bytes from Source's position into this stream (Count 0 = the
  // whole source from its first byte). Returns the bytes written, which is
  // smaller than asked when the source ends or a write stops short; raises
  // EStream64Fault "Invalid Count parameter for CopyFrom." for Count < 0.
  int64_t TryCopyFrom(TStream64& source, int64_t count, TCopyObserver* observer = nullptr);
  // TryCopyFrom; raises nothing of its own for a short copy.
  int64_t CopyFrom(TStream64& source, int64_t count, TCopyObserver* observer = nullptr) {
    return TryCopyFrom(source, count, observer);
  }

  int64_t Position() { return Seek(0, 1); }
  void SetPosition(int64_t position) { Seek(position, 0); }
  // Size by seeking to the end; the position is unchanged afterwards.
  int64_t Size();

 protected:
  // Lets a stream move up to Count bytes from Source without the block loop
  // (in the kernel), with the same results and errors. Returns the bytes
  // moved; Finished tells whether the copy is over (count reached or source
  // ended) or the block loop must do the rest.
  virtual int64_t CopyDirect(TStream64& /*source*/, int64_t /*count*/,
                             TCopyObserver* /*observer*/, bool& finished) {
    finished = false;
    return 0;
  }
};

// How a file is opened.
enum class TOpenMode {
  // An existing regular file for reading; a pipe, device or socket is
  // refused at once instead of blocking.
  Read,
  // A fresh file for writing: whatever entry had the name (a file, a link,
  // a second name of another file) is removed first, never written through.
  Write,
  // The end of an existing regular file, which must be neither a link nor
  // one of several names of a file.
  Append,
};

// A stream on an operating-system file descriptor, which it owns.
class TFileStream64 : public TStream64 {
 public:
  // Opens FileName as Mode says. Raises EFileError naming the file and the
  // reason when the system refuses or the entry is no regular file.
  TFileStream64(const std::string& fileName, TOpenMode mode);
  // Takes over Handle, open on the file FileName (named in errors).
  TFileStream64(int handle, const std::string& fileName)
      : fFileHandle(handle), fFileName(fileName) {}
  // Closes the descriptor; never raises.
  ~TFileStream64() override;
  TFileStream64(const TFileStream64&) = delete;
  TFileStream64& operator=(const TFileStream64&) = delete;

  int Handle() const { return fFileHandle; }

  uint32_t Read(void* buffer, uint32_t count) override;
  int64_t Seek(int64_t offset, uint16_t origin) override;
  void SetSize(int64_t newSize) override;
  uint32_t Write(const void* buffer, uint32_t count) override;
  void Flush() override;

 protected:
  int64_t CopyDirect(TStream64& source, int64_t count, TCopyObserver* observer,
                     bool& finished) override;

 private:
  [[noreturn]] void RaiseFileError(const char* action) const;

  int fFileHandle;
  std::string fFileName;
};

}  // namespace kardomel
