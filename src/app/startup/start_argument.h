// The file named on the command line and what start-up does with it: join a
// member of a split set at once, split another file at once when the
// automatic split is on, otherwise only select it.
#pragma once

#include <string>
#include <vector>

#include "delivery/options.h"

namespace kardomel {

enum class TStartCase {
  Interactive,  // no argument, or not an existing file: a normal start
  Join,         // ".kdm" in any case, or ".001" to ".099"
  Split,        // any other file
};

struct TStartArgument {
  TStartCase Case = TStartCase::Interactive;
  std::string Path;      // the argument as given
  std::string Folder;    // its folder, ending in '/'
  std::string FileName;  // its name without the folder
};

// Join or Split for a file name, by its extension alone.
TStartCase ClassifyStartFile(const std::string& name);

// Looks at the first of Args (the program name left out); later ones are
// ignored. A folder, or a name that does not exist, is an interactive start.
TStartArgument ClassifyStartArgument(const std::vector<std::string>& args);

// What start-up runs for an argument, from the options.
struct TAutoRun {
  enum class TAction {
    None,        // interactive start, nothing selected
    SelectOnly,  // select the file, activate the size field, stay open
    Join,        // join into the run's destination, close
    Split,       // split with SizeText, close
  };
  TAction Action = TAction::None;
  bool SameDir = true;    // into the source folder, else into DstFolder
  std::string DstFolder;  // when not SameDir: created if missing
  std::string SizeText;   // Split: the default part size text
};

// The join goes into the source folder unless the shell option and "join
// into the chosen folder" are both on; the split runs only with Automatic on
// and goes into the chosen folder when SplitSel says so.
TAutoRun PlanAutoRun(TStartCase startCase, const TOptions& options);

// Creates Folder with all missing parents. Throws EKardomel "Verzeichnis kann
// nicht erstellt werden" when Folder is empty or cannot be created.
void ForceFolder(const std::string& folder);

}  // namespace kardomel
