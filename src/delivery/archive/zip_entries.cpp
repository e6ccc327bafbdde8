#include "delivery/archive/zip_entries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "delivery/archive/archive_job.h"

namespace kardomel {
namespace {

[[noreturn]] void ThrowUnreadable(const std::string& path) {
  throw EArchiveFault("Die Datei kann nicht gelesen werden:\r" + path, path);
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string BareName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string NameWithPath(const std::string& path) {
  size_t start = path.find_first_not_of('/');
  return start == std::string::npos ? std::string() : path.substr(start);
}

bool CanRead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

std::vector<std::string> SortedChildren(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) ThrowUnreadable(folder);
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

class TCollector {
 public:
  explicit TCollector(bool storePaths) : storePaths_(storePaths) {}

  void AddItem(const std::string& item) {
    std::string path = WithoutTrailingSlashes(item);
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) ThrowUnreadable(path);
    if (S_ISDIR(info.st_mode))
      AddFolder(path, info);
    else if (S_ISREG(info.st_mode))
      AddFile(path, info);
    else
      ThrowUnreadable(path);  // a device or pipe has no content to pack
  }

  std::vector<TZipEntry> Take() { return std::move(entries_); }

 private:
  void AddFolder(const std::string& folder, const struct stat& info) {
    // A link back up the tree would otherwise be walked without end.
    if (!visited_.insert({info.st_dev, info.st_ino}).second) return;
    const size_t before = entries_.size();
    for (const std::string& name : SortedChildren(folder)) {
      std::string child = folder == "/" ? "/" + name : folder + "/" + name;
      struct stat childInfo;
      if (::stat(child.c_str(), &childInfo) != 0) ThrowUnreadable(child);  // a dangling link
      if (S_ISDIR(childInfo.st_mode))
        AddFolder(child, childInfo);
      else if (S_ISREG(childInfo.st_mode))
        AddFile(child, childInfo);
      // Pipes, sockets and devices in a folder are no files to pack.
    }
    if (storePaths_ && entries_.size() == before) {
      TZipEntry entry;
      entry.SourcePath = folder;
      entry.Name = NameWithPath(folder) + "/";
      entry.IsFolder = true;
      entry.ModTime = info.st_mtime;
      Append(std::move(entry));
    }
  }

  void AddFile(const std::string& path, const struct stat& info) {
    if (!CanRead(path)) ThrowUnreadable(path);
    TZipEntry entry;
    entry.SourcePath = path;
    entry.Name = storePaths_ ? NameWithPath(path) : BareName(path);
    entry.ModTime = info.st_mtime;
    entry.Size = static_cast<int64_t>(info.st_size);
    Append(std::move(entry));
  }

  void Append(TZipEntry entry) {
    auto [at, fresh] = sourceOfName_.emplace(entry.Name, entry.SourcePath);
    if (!fresh) {
      if (at->second == entry.SourcePath) return;  // the same file selected twice
      throw EArchiveFault("Zwei Dateien haben im Archiv denselben Namen:\r" + at->second + "\r" +
                              entry.SourcePath,
                          entry.SourcePath);
    }
    entries_.push_back(std::move(entry));
  }

  bool storePaths_;
  std::vector<TZipEntry> entries_;
  std::map<std::string, std::string> sourceOfName_;
  std::set<std::pair<dev_t, ino_t>> visited_;
};

}  // namespace

std::vector<TZipEntry> CollectZipEntries(const std::vector<std::string>& items, bool storePaths) {
  TCollector collector(storePaths);
  for (const std::string& item : items) collector.AddItem(item);
  return collector.Take();
}

}  // namespace kardomel
