// Starting other programs: the mail hand-over, the desktop's database
// tools and the opening of web addresses. The command-line tool uses the
// POSIX launcher, the window a Qt one, the tests a fake that records calls.
#pragma once

#include <string>
#include <vector>

namespace kardomel {

class TLauncher {
 public:
  // The result of Run when the program could not be started (not found on
  // PATH, not executable) or did not end by itself (killed by a signal).
  static constexpr int kNotRun = -1;

  virtual ~TLauncher() = default;

  // Starts Program with Arguments (without the program name) and waits for
  // it to end. Program is looked up on PATH when it holds no '/'; no shell
  // takes part, so arguments reach it byte for byte. Returns its exit status
  // (0 to 255) or kNotRun.
  virtual int Run(const std::string& program, const std::vector<std::string>& arguments) = 0;

  // Opens Url (a web address or a file) with the desktop's preferred
  // program, through xdg-open. True when xdg-open reported success.
  virtual bool OpenUrl(const std::string& url) { return Run("xdg-open", {url}) == 0; }
};

// Runs programs with posix_spawnp; the child inherits the environment and
// the standard streams.
class TPosixLauncher : public TLauncher {
 public:
  int Run(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace kardomel
