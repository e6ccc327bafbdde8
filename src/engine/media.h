// Free space and removable media: what the split does before each part when
// the destination is short of space (a disk change on a removable medium,
// another folder elsewhere), and the join's one space check.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/env.h"
#include "engine/interaction.h"

namespace kardomel {

// Entries the disk change must never delete: the file being split and the
// members of the set written in this run. Compared by file identity, so that
// a file of the same name on the next medium is not spared.
class TProtectedFiles {
 public:
  void Add(TEnv& env, const std::string& path);
  bool Contains(const TFileId& id) const;

 private:
  std::vector<TFileId> ids_;
};

// Label text of a free-space display: "1.234.567 Bytes frei" with the given
// thousands separator; empty when the space cannot be measured.
std::string FreeSpaceLabel(int64_t freeBytes, const std::string& thousandsSeparator);

// Makes sure the folder of BasePath has Required bytes free before a part is
// written. On a removable medium asks for the next disk (and deletes what
// the user agreed to, sparing Protected); elsewhere offers another folder,
// which replaces BasePath's folder. Returns false when the user gave up.
// Accept, when set, may refuse a base path chosen in the browser; it tells
// the user why.
using TAcceptPath = std::function<bool(const std::string& newPath)>;
bool EnsurePartSpace(TEnv& env, TInteraction& ui, std::string& basePath, int64_t required,
                     const TProtectedFiles& protectedFiles, const TAcceptPath& accept = {});

// Makes sure the folder of DestPath has Required bytes free before the join
// creates it; offers another folder ("Nachfrage."), which replaces DestPath's
// folder. Returns false when the user gave up. Accept as for EnsurePartSpace.
bool EnsureJoinSpace(TEnv& env, TInteraction& ui, std::string& destPath, int64_t required,
                     const TAcceptPath& accept = {});

// Deletes the entries of Folder and, within subfolders, everything but
// Protected (a folder that still holds something protected stays).
void DeleteFolderContents(TEnv& env, const std::string& folder,
                          const TProtectedFiles& protectedFiles);

}  // namespace kardomel
