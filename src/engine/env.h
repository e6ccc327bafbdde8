// Everything the engine asks of the operating system, behind one interface
// that tests replace: opening, creating and renaming files, free space,
// drive kind, the temporary folder, folder listings, deletion and time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/stream64.h"

namespace kardomel {

// Identity of a file on its file system; equal ids mean the same file, even
// under two names, and a file on another medium never has the same id.
struct TFileId {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  bool operator==(const TFileId&) const = default;
};

class TEnv {
 public:
  virtual ~TEnv() = default;

  // The real system. Never null; lives for the whole run.
  static TEnv* Default();

  // A stream on the file, opened as Mode says (see TOpenMode). Raises
  // EFileError naming the file and the reason.
  virtual std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) = 0;
  // A fresh, empty file in Target's folder under a temporary name that tells
  // whose it is, for a file that must appear under Target only when complete.
  // TempPath receives its path. The file stays marked as in use while the
  // stream is open; temporary files of Target that no open stream holds any
  // more (left by a killed run) are removed first. Raises EFileError.
  virtual std::unique_ptr<TStream64> CreateTempFor(const std::string& target,
                                                   std::string& tempPath) = 0;
  // Gives the file From the name To in one step, replacing an existing To
  // only when Replace is true. Raises EFileError (code EEXIST when To exists
  // and Replace is false).
  virtual void RenameEntry(const std::string& from, const std::string& to, bool replace) = 0;
  // Bytes available to the user on the file system holding Path (its
  // nearest existing folder); -1 when that cannot be measured.
  virtual int64_t FreeSpace(const std::string& path) = 0;
  // True when the file system holding Path lies on a removable medium.
  virtual bool IsRemovable(const std::string& path) = 0;
  // The temporary folder, ending in '/'.
  virtual std::string TempDir() = 0;
  // True when any entry (file, folder, link) exists at Path.
  virtual bool EntryExists(const std::string& path) = 0;
  // True when Path is a folder (links are not followed).
  virtual bool IsFolder(const std::string& path) = 0;
  // True when Path is a regular file, or a link to one: no folder, pipe,
  // device or socket.
  virtual bool IsRegularFile(const std::string& path) = 0;
  // Size in bytes of the entry at Path, -1 when there is none.
  virtual int64_t EntrySize(const std::string& path) = 0;
  // Identity of the file at Path (links are followed, as opening does);
  // false when there is none.
  virtual bool GetFileId(const std::string& path, TFileId& id) = 0;
  // Names of the entries of Folder, without "." and ".."; empty on failure.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
  // Removes one file, link or empty folder; false when that failed.
  virtual bool DeleteEntry(const std::string& path) = 0;
  // A monotonic clock in microseconds, for throughput figures.
  virtual uint64_t NowMicros() = 0;
};

// Forwards every call to another environment, so that a test fake overrides
// only what it changes.
class TEnvWrapper : public TEnv {
 public:
  explicit TEnvWrapper(TEnv* target) : target_(target) {}
  TEnv* Target() const { return target_; }

  std::unique_ptr<TStream64> Open(const std::string& path, TOpenMode mode) override {
    return target_->Open(path, mode);
  }
  std::unique_ptr<TStream64> CreateTempFor(const std::string& target,
                                           std::string& tempPath) override {
    return target_->CreateTempFor(target, tempPath);
  }
  void RenameEntry(const std::string& from, const std::string& to, bool replace) override {
    target_->RenameEntry(from, to, replace);
  }
  int64_t FreeSpace(const std::string& path) override { return target_->FreeSpace(path); }
  bool IsRemovable(const std::string& path) override { return target_->IsRemovable(path); }
  std::string TempDir() override { return target_->TempDir(); }
  bool EntryExists(const std::string& path) override { return target_->EntryExists(path); }
  bool IsFolder(const std::string& path) override { return target_->IsFolder(path); }
  bool IsRegularFile(const std::string& path) override { return target_->IsRegularFile(path); }
  int64_t EntrySize(const std::string& path) override { return target_->EntrySize(path); }
  bool GetFileId(const std::string& path, TFileId& id) override {
    return target_->GetFileId(path, id);
  }
  std::vector<std::string> ListFolder(const std::string& folder) override {
    return target_->ListFolder(folder);
  }
  bool DeleteEntry(const std::string& path) override { return target_->DeleteEntry(path); }
  uint64_t NowMicros() override { return target_->NowMicros(); }

 private:
  TEnv* target_;
};

// The small files of a set (descriptor file, rejoin script), written and
// read through Env so that a fault injected there reaches them too.

// Writes Bytes into a fresh file at Path (TOpenMode::Write); a file that a
// failure left incomplete is removed. Raises EFileError.
void WriteStringToFile(TEnv& env, const std::string& path, const std::string& bytes);
// Adds Bytes at the end of the existing file at Path (TOpenMode::Append).
// Raises EFileError.
void AppendStringToFile(TEnv& env, const std::string& path, const std::string& bytes);
// Reads at most Limit bytes from the start of the regular file at Path into
// Bytes. False when it cannot be opened or read.
bool ReadFileToString(TEnv& env, const std::string& path, size_t limit, std::string& bytes);

}  // namespace kardomel
