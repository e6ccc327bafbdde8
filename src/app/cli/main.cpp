// kardomel-cli: split and join files from scripts and terminals.
#include <unistd.h>

#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "app/cli/interrupt.h"

int main(int argc, char** argv) {
  kardomel::CatchInterrupt();
  std::vector<std::string> args(argv + 1, argv + argc);
  kardomel::TCliStreams streams;
  streams.Interactive = ::isatty(STDIN_FILENO) != 0;
  streams.ShowProgress = ::isatty(STDERR_FILENO) != 0;
  streams.Interrupted = kardomel::InterruptFlag();
  return kardomel::RunCli(args, *kardomel::TEnv::Default(), streams);
}
