// The entries an archive gets from the selected files and folders.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace kardomel {

struct TZipEntry {
  std::string SourcePath;  // the file or folder on disk
  std::string Name;        // the entry's name in the archive (UTF-8, '/' separated)
  bool IsFolder = false;   // an empty folder, kept as a folder entry
  time_t ModTime = 0;      // last modification of the file
  int64_t Size = 0;        // bytes of the file
};

// Entries for Items in their order; folders are walked whole, hidden files
// and linked files included, each folder once. With StorePaths an entry is
// named by its full path without the leading '/', and an empty folder
// becomes a folder entry; without, by its bare name. Throws EArchiveFault
// for an item or a file in a folder that cannot be read, naming it, and when
// two different files would get the same name, since one would be lost.
std::vector<TZipEntry> CollectZipEntries(const std::vector<std::string>& items, bool storePaths);

}  // namespace kardomel
