#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "delivery/launcher.h"

extern char** environ;

namespace kardomel {

int TPosixLauncher::Run(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t child = 0;
  // glibc reports a program that cannot be executed here, not as exit 127.
  if (::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    return kNotRun;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return kNotRun;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : kNotRun;
}

}  // namespace kardomel
