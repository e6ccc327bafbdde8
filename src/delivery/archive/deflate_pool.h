// Deflates files on worker threads ahead of libzip, which writes the
// archive on the calling thread: libzip takes data that a source hands it
// already deflated, with its CRC and sizes, as it stands. Only files of a
// bounded size go through here, and only a few of them wait deflated at a
// time, so the memory used stays small.
#pragma once

#include <zip.h>

#include <condition_variable>
#include <ctime>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kardomel {

class TDeflatePool {
 public:
  // Files up to this size are deflated ahead; larger ones go to libzip.
  static constexpr int64_t kMaxFileSize = int64_t{16} << 20;

  // Level: zlib's 1 to 9.
  explicit TDeflatePool(int level);
  // Stops the workers; the sources must be freed before (the archive
  // discarded or closed).
  ~TDeflatePool();
  TDeflatePool(const TDeflatePool&) = delete;
  TDeflatePool& operator=(const TDeflatePool&) = delete;

  // A source for the file at Path, deflated in the order of the calls;
  // libzip must read the sources in that order, as it does when it writes
  // the entries. Null with Error set on failure.
  zip_source_t* NewSource(const std::string& path, time_t modTime, zip_error_t* error);

  struct TJob;

 private:
  void Work();
  void Deflate(TJob& job) const;
  friend struct TPooledSource;
  void Await(TJob& job);
  void Release(TJob& job);

  int level_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::shared_ptr<TJob>> queue_;  // not yet started
  size_t held_ = 0;                          // started and not yet released
  size_t window_;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace kardomel
