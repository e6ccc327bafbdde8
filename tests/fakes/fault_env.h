// A TEnvWrapper over the real system that injects faults on demand: a
// medium that fills up after N bytes, a removable drive at a folder, a write
// that stops short, a read error at block K, an open that fails.
#pragma once

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
  // The Block-th read (counted from 1) on a stream of Path raises ESystemError (EIO).
  void ReadErrorAt(const std::string& path, int block) { readError_[path] = block; }
  // Opening Path raises "W32 Creation of TFileStream64 failed.".
  void FailOpen(const std::string& path) { failOpen_.insert(path); }

  // Paths opened for writing, in order.
  const std::vector<std::string>& Written() const { return written_; }

  std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) override;
  int64_t FreeSpace(const std::string& path) override;
  bool IsRemovable(const std::string& path) override;

 private:
  static std::string Strip(const std::string& folder);
  // Bytes the files directly inside Folder hold.
  int64_t Used(const std::string& folder);
  // The capacity-limited folder holding Path, or "".
  std::string CapacityFolder(const std::string& path) const;

  std::map<std::string, int64_t> capacity_;
  std::map<std::string, int64_t> free_;
  std::set<std::string> removable_;
  std::map<std::string, int64_t> shortWrite_;
  std::map<std::string, int> readError_;
  std::set<std::string> failOpen_;
  std::vector<std::string> written_;
};

}  // namespace kardomel::testing
