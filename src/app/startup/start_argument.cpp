#include "app/startup/start_argument.h"

#include <filesystem>
#include <system_error>

#include "engine/selection.h"
#include "support/errors.h"
#include "support/globals.h"

namespace kardomel {

TStartCase ClassifyStartFile(const std::string& name) {
  // Links and desktop entries count as files here: only the join rule decides.
  return ClassifySelection(name, false) == TSelectionMode::Join ? TStartCase::Join
                                                                : TStartCase::Split;
}

TStartArgument ClassifyStartArgument(const std::vector<std::string>& args) {
  TStartArgument result;
  if (args.empty() || args[0].empty()) return result;
  std::error_code error;
  if (!std::filesystem::is_regular_file(args[0], error)) return result;
  result.Path = args[0];
  std::filesystem::path absolute = std::filesystem::absolute(args[0], error);
  if (error) absolute = args[0];
  result.Folder = AddBackslash(absolute.parent_path().string());
  result.FileName = absolute.filename().string();
  result.Case = ClassifyStartFile(result.FileName);
  return result;
}

TAutoRun PlanAutoRun(TStartCase startCase, const TOptions& options) {
  TAutoRun run;
  switch (startCase) {
    case TStartCase::Interactive:
      break;
    case TStartCase::Join:
      run.Action = TAutoRun::TAction::Join;
      if (options.SendTo && options.KittSel) {
        run.SameDir = false;
        run.DstFolder = options.KittFolder;
      }
      break;
    case TStartCase::Split:
      if (!options.Automatic) {
        run.Action = TAutoRun::TAction::SelectOnly;
        break;
      }
      run.Action = TAutoRun::TAction::Split;
      run.SizeText = options.DstSize;
      if (options.SplitSel) {
        run.SameDir = false;
        run.DstFolder = options.SplitFolder;
      }
      break;
  }
  return run;
}

void ForceFolder(const std::string& folder) {
  std::error_code error;
  if (!folder.empty()) {
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error)) return;
  }
  throw EKardomel("Verzeichnis kann nicht erstellt werden");
}

}  // namespace kardomel
