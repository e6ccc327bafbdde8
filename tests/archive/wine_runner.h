// Runs the self-extractor under wine, in one throw-away wine prefix per
// test program (making a prefix takes seconds), removed at the end.
#pragma once

#include <string>

namespace kardomel::testing {

// The stub the build made, "" when the cross compiler was missing.
std::string StubPath();

// True when wine is there; the first call makes the prefix.
bool WineReady();

// Runs Exe silently with Args ("/D=..." etc.); returns its exit status.
int RunUnderWine(const std::string& exe, const std::string& args);

// The Windows form of a Linux path, through wine's Z: drive.
std::string WinePath(const std::string& path);

}  // namespace kardomel::testing
