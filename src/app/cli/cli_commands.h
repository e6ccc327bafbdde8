// kardomel-cli's commands: parsing the arguments, filling the engine's input
// from them exactly as the main window fills it from its fields, and the exit
// code of the outcome.
#pragma once

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/command.h"
#include "engine/env.h"

namespace kardomel {

enum TExitCode : int {
  kExitDone = 0,
  kExitError = 1,
  kExitUsage = 2,
  kExitRefused = 3,
  kExitCancelled = 4,
};

struct TCliStreams {
  FILE* In = stdin;
  FILE* Out = stdout;
  FILE* Err = stderr;
  bool Interactive = false;   // In is a terminal
  bool ShowProgress = false;  // Err is a terminal
  // Set when the user asks to stop (Ctrl+C); null: no one can.
  const volatile std::sig_atomic_t* Interrupted = nullptr;
};

// Runs kardomel-cli with Args (without the program name). Returns the exit code.
int RunCli(const std::vector<std::string>& args, TEnv& env, const TCliStreams& streams);

// The exit code that tells how a command ended.
int ExitCodeOf(TOutcome outcome);

// The usage text printed by "help" and after a usage error.
std::string CliUsage();

}  // namespace kardomel
