// Runs kardomel-cli's commands in process with files for its three streams.
#pragma once

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/cli_commands.h"

namespace kardomel::testing {

struct TCliRun {
  int Code = -1;
  std::string Out;
  std::string Err;
};

inline std::string Drain(FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  return text;
}

// Runs RunCli with Args; Input is what the user types (read only when
// Interactive).
inline TCliRun Cli(const std::vector<std::string>& args, TEnv& env, const std::string& input = "",
                   bool interactive = false,
                   const volatile std::sig_atomic_t* interrupted = nullptr) {
  TCliStreams streams;
  streams.In = std::tmpfile();
  streams.Out = std::tmpfile();
  streams.Err = std::tmpfile();
  std::fputs(input.c_str(), streams.In);
  std::rewind(streams.In);
  streams.Interactive = interactive;
  streams.Interrupted = interrupted;
  TCliRun run;
  run.Code = RunCli(args, env, streams);
  std::fclose(streams.In);
  run.Out = Drain(streams.Out);
  run.Err = Drain(streams.Err);
  return run;
}

}  // namespace kardomel::testing
