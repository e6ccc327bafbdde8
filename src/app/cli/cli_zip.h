// kardomel-cli's zip before split: "split --zip" and its options, the
// password from a file, standard input or a prompt without echo, and the
// same delivery step as the window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "app/cli/console_interaction.h"
#include "engine/env.h"
#include "engine/split.h"
#include "engine/split_sizing.h"

namespace kardomel {

struct TCliZipArgs {
  bool Zip = false;      // --zip, or implied by another zip option
  bool Sfx = false;      // --sfx
  bool High = false;     // --high
  bool NoPaths = false;  // --no-paths
  bool Encrypt = false;  // --encrypt
  std::optional<std::string> Archive;       // --archive NAME
  std::optional<std::string> PasswordFile;  // --password-file F ("-": standard input)
};

// Takes the zip option Arg into Zip, Value giving (or refusing) its value;
// false when Arg is none of them.
bool TakeZipOption(const std::string& arg, const std::function<std::string()>& value,
                   TCliZipArgs& zip);

// True when the split packs first: asked for, several files, or a folder.
bool ZipRequested(const std::vector<std::string>& files, const TCliZipArgs& zip, TEnv& env);

// Packs Files, splits the archive as Split, Texts and Lead say, removes the
// archive when this run made it. Yes: replace an earlier self-extracting
// file without asking. Returns the exit code.
int RunZipSplitCommand(const std::vector<std::string>& files, const TCliZipArgs& zip, bool yes,
                       const TSplitInput& split, const TSizeTexts& texts, TSizeLead lead,
                       TEnv& env, TConsoleInteraction& ui, const TCliStreams& streams);

// The synopsis line and the help of the zip options.
std::string ZipUsage();
std::string ZipHelp();

}  // namespace kardomel
