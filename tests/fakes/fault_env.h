// A TEnvWrapper over the real system that injects faults on demand: a
// medium that fills up after N bytes, a removable drive at a folder, a write
// that stops short, a read error at block K, an open that fails, the N-th
// open or write of a run that fails, a deletion that fails.
#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/env.h"

namespace kardomel::testing {

class TFaultEnv : public TEnvWrapper {
 public:
  TFaultEnv() : TEnvWrapper(TEnv::Default()) {}

  // Paths under Folder report at most Capacity bytes free, less what the
  // files directly inside Folder hold now (so deleting them frees space), and
  // writes into it stop short once it is full.
  void SetCapacity(const std::string& folder, int64_t capacity);
  // Paths under Folder lie on a removable medium.
  void SetRemovable(const std::string& folder) { removable_.insert(Strip(folder)); }
  // Paths under Folder report this much free space (-1: cannot be measured),
  // whatever they hold; writes are not limited.
  void SetFreeSpace(const std::string& folder, int64_t bytes) { free_[Strip(folder)] = bytes; }
  // Writes into the file at Path stop, without an error, after Bytes bytes.
  void ShortWriteAt(const std::string& path, int64_t bytes) { shortWrite_[path] = bytes; }
  // The Block-th read (counted from 1) on a stream of Path raises EFileError (EIO).
  void ReadErrorAt(const std::string& path, int block) { readError_[path] = block; }
  // Opening Path (or a temporary file for it) raises EFileError with Code.
  void FailOpen(const std::string& path, int code = EACCES) { failOpen_[path] = code; }
  // The N-th open of any file (counted from 1, temporary files included)
  // raises EFileError (EIO); 0 = none.
  void FailNthOpen(int n) { failNthOpen_ = n; }
  // The N-th write call on any stream opened for writing (counted from 1)
  // raises EFileError (ENOSPC); 0 = none. Streams are then written block by
  // block, so that every block counts.
  void FailNthWrite(int n) { failNthWrite_ = n; }
  // Deleting Path fails, as on a read-only medium.
  void FailDelete(const std::string& path) { failDelete_.insert(path); }

  // Paths opened for writing, in order (a temporary file under its own path).
  const std::vector<std::string>& Written() const { return written_; }
  int Opens() const { return opens_; }
  int Writes() const { return writes_; }

  std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) override;
  std::unique_ptr<TStream64> CreateTempFor(const std::string& target,
                                           std::string& tempPath) override;
  bool DeleteEntry(const std::string& path) override;
  int64_t FreeSpace(const std::string& path) override;
  bool IsRemovable(const std::string& path) override;

 private:
  static std::string Strip(const std::string& folder);
  // Bytes the files directly inside Folder hold.
  int64_t Used(const std::string& folder);
  // The capacity-limited folder holding Path, or "".
  std::string CapacityFolder(const std::string& path) const;
  // Counts an open of Path and raises what is injected for it.
  void CountOpen(const std::string& path);
  // Inner with the faults injected for writes to Path (a temporary file
  // gets those of its target) and reads of it.
  std::unique_ptr<TStream64> Wrap(std::unique_ptr<TStream64> inner, const std::string& path,
                                  const std::string& faultsOf, bool writing);

  std::map<std::string, int64_t> capacity_;
  std::map<std::string, int64_t> free_;
  std::set<std::string> removable_;
  std::map<std::string, int64_t> shortWrite_;
  std::map<std::string, int> readError_;
  std::map<std::string, int> failOpen_;
  std::set<std::string> failDelete_;
  int failNthOpen_ = 0;
  int failNthWrite_ = 0;
  int opens_ = 0;
  int writes_ = 0;
  std::vector<std::string> written_;
};

}  // namespace kardomel::testing
