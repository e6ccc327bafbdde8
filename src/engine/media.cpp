#include "engine/media.h"

#include <algorithm>

#include "support/globals.h"

namespace kardomel {

void TProtectedFiles::Add(TEnv& env, const std::string& path) {
  TFileId id;
  if (env.GetFileId(path, id)) ids_.push_back(id);
}

bool TProtectedFiles::Contains(const TFileId& id) const {
  return std::find(ids_.begin(), ids_.end(), id) != ids_.end();
}

std::string FreeSpaceLabel(int64_t freeBytes, const std::string& thousandsSeparator) {
  if (freeBytes < 0) return {};
  return FormatThousands(freeBytes, thousandsSeparator) + " Bytes frei";
}

namespace {

// Deletes Path unless it is protected; a folder is emptied first and
// removed only when nothing protected is left inside. True when gone.
bool DeleteUnlessProtected(TEnv& env, const std::string& path,
                           const TProtectedFiles& protectedFiles) {
  TFileId id;
  if (env.GetFileId(path, id) && protectedFiles.Contains(id)) return false;
  if (env.IsFolder(path)) {
    bool empty = true;
    for (const std::string& name : env.ListFolder(path)) {
      if (!DeleteUnlessProtected(env, AddBackslash(path) + name, protectedFiles)) empty = false;
    }
    if (!empty) return false;
  }
  return env.DeleteEntry(path);
}

}  // namespace

void DeleteFolderContents(TEnv& env, const std::string& folder,
                          const TProtectedFiles& protectedFiles) {
  for (const std::string& name : env.ListFolder(folder)) {
    DeleteUnlessProtected(env, AddBackslash(folder) + name, protectedFiles);
  }
}

bool EnsurePartSpace(TEnv& env, TInteraction& ui, std::string& basePath, int64_t required,
                     const TProtectedFiles& protectedFiles, const TAcceptPath& accept) {
  for (;;) {
    std::string folder = ExtractFilePath(basePath);
    if (env.FreeSpace(folder) >= required) return true;
    if (env.IsRemovable(folder)) {
      if (ui.ConfirmDeleteFiles(folder)) {
        DeleteFolderContents(env, folder, protectedFiles);
        continue;
      }
      int answer = ui.ShowMessageDialog("Eingabe erwartet.",
                                        "Bitte legen Sie den nächsten Datenträger ein.",
                                        TMsgKind::Information, mbOK | mbCancel);
      if (answer == mrCancel) return false;
      continue;
    }
    int answer = ui.ShowMessageDialog(
        "Hinweis!",
        "Sie können keine weiteren Teildateien nach " + folder + " splitten.\r" +
            "Möchten Sie den Zielordner wechseln?",
        TMsgKind::Confirmation, mbYes | mbNo);
    if (answer == mrNo) return false;
    std::string chosen;
    if (ui.BrowseFolder("", chosen)) {
      std::string candidate = AddBackslash(chosen) + ExtractFileName(basePath);
      if (!accept || accept(candidate)) basePath = candidate;
    }
  }
}

bool EnsureJoinSpace(TEnv& env, TInteraction& ui, std::string& destPath, int64_t required,
                     const TAcceptPath& accept) {
  for (;;) {
    std::string folder = ExtractFilePath(destPath);
    if (env.FreeSpace(folder) >= required) return true;
    int answer = ui.ShowMessageDialog("Nachfrage.",
                                      "Sie können keine Dateien nach " + folder +
                                          " kitten.\rMöchten Sie den Zielordner wechseln?",
                                      TMsgKind::Confirmation, mbYes | mbCancel);
    if (answer == mrCancel) return false;
    std::string chosen;
    if (ui.BrowseFolder(destPath, chosen)) {
      std::string candidate = AddBackslash(chosen) + ExtractFileName(destPath);
      if (!accept || accept(candidate)) destPath = candidate;
    }
  }
}

}  // namespace kardomel
