// The rule by which a Windows version is accepted, and the message shown
// when it is not. Kept for the Windows build; this platform never refuses.
#pragma once

#include <cstdint>
#include <string>

namespace kardomel {

// True when MaxMajor > Major, or MaxMajor = Major and MaxMinor >= Minor:
// with 6.1 as the maximum, 6.1 and older pass and 6.2 is refused.
bool CheckWindowsVersion(uint32_t major, uint32_t minor, uint32_t maxMajor, uint32_t maxMinor);

// The refusal's text, naming the maker's home page; '\r' for line breaks.
std::string WindowsVersionMessage();

}  // namespace kardomel
