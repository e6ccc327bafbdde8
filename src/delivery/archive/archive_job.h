// What the zip step before a split asks of the archive writer, what it
// answers, and the hooks through which the writer reports progress, hears a
// cancel and asks before it replaces a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/errors.h"

namespace kardomel {

// The selection and the options of the "Zip" tab, as the writer needs them.
struct TArchiveInput {
  std::vector<std::string> Items;  // full paths of the selected files and folders
  std::string ArchivePath;         // the file to write (see ArchiveTargetPath)
  int Level = 4;                   // 4 normal, 9 "Hohe Kompression"
  bool StorePaths = true;          // "Pfade speichern"
  std::string Password;            // Windows-1252 bytes (ArchivePasswordBytes); empty: none
  bool SelfExtracting = false;     // "Selbstauspackendes EXE-Archiv erstellen"
  std::string StubPath;            // the self-extractor put in front of the ZIP data
  // A new archive even where one exists (after the caller warned that the
  // existing one opens with another password); the old one is replaced
  // only when the new one is complete.
  bool ReplaceExisting = false;
};

enum class TArchiveOutcome {
  Created,           // a new archive; no file of that name was there before
  Replaced,          // a new archive in place of an earlier file of that name
  Updated,           // an archive that was there before, updated; it stays the user's
  Empty,             // nothing to pack; no archive written
  Cancelled,         // cancelled while packing; nothing on disk changed
  Declined,          // the caller said No to replacing the earlier file; nothing changed
  PasswordMismatch,  // the existing archive was written without this password; nothing changed
};

struct TArchiveResult {
  TArchiveOutcome Outcome = TArchiveOutcome::Empty;
  std::string ArchivePath;  // the file written
  int64_t Size = 0;         // its size in bytes, 0 when there is none
  int32_t Added = 0;        // entries new in the archive
  int32_t Replaced = 0;     // entries replaced because the file on disk is newer
  int32_t Kept = 0;         // entries of an existing archive left as they were

  // True when the archive's whole content comes from this step, so that
  // deleting it after the split loses nothing of the user's.
  bool MadeByThisStep() const {
    return Outcome == TArchiveOutcome::Created || Outcome == TArchiveOutcome::Replaced;
  }
};

// The writer's calls back to the window or the command-line tool; all on the
// calling thread, from inside the writer's run.
class TArchiveEvents {
 public:
  virtual ~TArchiveEvents() = default;
  // Percent packed, 0 to 100; the window repaints here.
  virtual void Progress(int percent) { (void)percent; }
  // Polled while packing; true ends the run as Cancelled.
  virtual bool CancelRequested() { return false; }
  // A file of the self-extracting archive's name exists at Path. True
  // replaces it (once the new archive is complete), false ends as Declined.
  virtual bool ConfirmReplace(const std::string& path) {
    (void)path;
    return false;
  }
};

// A failure of the writer; the message names the file concerned.
class EArchiveFault : public EKardomel {
 public:
  EArchiveFault(const std::string& message, const std::string& path)
      : EKardomel(message), path_(path) {}
  // The file the failure concerns (an unreadable source file, the missing
  // stub, the archive itself).
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kardomel
