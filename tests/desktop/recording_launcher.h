// A TLauncher that records each call and answers as if the program were
// missing, so that the integration's files can be checked without the
// desktop's database tools.
#pragma once

#include <string>
#include <vector>

#include "delivery/launcher.h"

namespace kardomel::testing {

class TRecordingLauncher : public TLauncher {
 public:
  int Run(const std::string& program, const std::vector<std::string>& arguments) override {
    std::string call = program;
    for (const std::string& argument : arguments) call += " " + argument;
    Calls.push_back(call);
    return kNotRun;
  }
  std::vector<std::string> Calls;
};

}  // namespace kardomel::testing
