// A fresh folder under /tmp for one test, removed with everything in it at
// the end, and helpers to write and read its files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kardomel::testing {

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder's full path, ending in '/'.
  const std::string& Path() const { return path_; }
  // Path() + Name.
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Bytes that differ from position to position (and from seed to seed), so
// that a part shifted or swapped does not compare equal.
std::string PatternBytes(int64_t size, uint32_t seed = 1);

// Writes Content to Path, replacing it; fails the test when that fails.
void WriteFile(const std::string& path, const std::string& content);
// The content of Path; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// Size of Path, -1 when there is none.
int64_t FileSize(const std::string& path);
// Sorted names of the entries of Folder.
std::vector<std::string> ListNames(const std::string& folder);
// Runs a shell command; returns its exit status (-1 when it did not run).
int Shell(const std::string& command);
// A path quoted for the shell.
std::string Quote(const std::string& path);

}  // namespace kardomel::testing
