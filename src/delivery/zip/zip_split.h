// Zip before split: the selection is packed into one archive in the source
// folder, the archive is split, and an archive this step created is deleted
// at the end. The window and the command-line tool run the same step.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "delivery/archive/archive_writer.h"
#include "delivery/archive/zip_options.h"
#include "engine/command.h"
#include "engine/env.h"
#include "engine/interaction.h"
#include "engine/split.h"
#include "engine/split_sizing.h"

namespace kardomel {

struct TZipSplitInput {
  std::vector<std::string> Items;  // full paths of the selected files and folders
  std::string SourceFolder;        // the folder that receives the archive
  std::string ArchiveName;         // as typed; cleaned and given its extension here
  TZipOptions Zip;                 // the password as UTF-8 text
  std::string StubPath;            // the self-extractor, for Zip.Sfx
  // Replace an earlier file of the self-extracting archive's name without
  // asking (the command line's --yes).
  bool ReplaceWithoutAsking = false;
  // The split of the archive: SourcePath, PartSize and PartCount are set here.
  TSplitInput Split;
  TSizeTexts Texts;  // the size and count fields, evaluated for the archive's size
  TSizeLead Lead = TSizeLead::Size;
};

struct TZipSplitResult {
  TOutcome Outcome = TOutcome::Done;
  TField Focus = TField::None;  // for a refusal
  TArchiveResult Archive;       // what packing made
  TSplitResult Split;           // the split of the archive, when it ran
  TSizeTexts Texts;             // the fields after the sizing, for the window to show
  bool ArchiveDeleted = false;  // the archive was this step's and is gone
};

// What cuts the packed archive: RunSplit, or a split-and-send shaped like it.
using TArchiveCutter = std::function<TSplitResult(const TSplitInput&, TEnv&, TInteraction&)>;

// The archive name the window proposes: "_" + the first item's name with
// the extension ".exe" (self-extracting) or ".zip".
std::string ProposedArchiveName(const std::string& firstItemName, bool sfx);

// The input queries of the window: the archive name (Name preset, receives
// the typed text) and the password. False when cancelled.
bool AskArchiveName(TInteraction& ui, std::string& name);
bool AskArchivePassword(TInteraction& ui, std::string& password);

// True when the password is to be asked for: encryption on, and the stored
// password empty or blanks only.
bool PasswordToBeAsked(const TZipOptions& zip);

// Packs Input.Items into the archive and cuts it with Cut (RunSplit when
// empty). Refuses a password with a character outside Windows-1252 and an
// archive that is itself selected, with a warning. An existing ordinary
// archive is updated and kept; the closing message says so. An earlier file
// of the self-extracting archive's name is replaced only after a Yes; an
// existing archive that opens with another password is replaced only after
// a Yes to the warning. An archive this step created is deleted at every
// end after packing (split done, refused, cancelled or failed); a failure of
// packing leaves no partial archive. Failures are exceptions.
TZipSplitResult RunZipSplit(const TZipSplitInput& input, TEnv& env, TInteraction& ui,
                            TArchiveWriter& writer, const TArchiveCutter& cut = {});

}  // namespace kardomel
