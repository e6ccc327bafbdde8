// The maker's addresses, used wherever the program names them (rejoin
// script, mail body, Info tab, update check), so that they never disagree.
#pragma once

namespace kardomel {

inline constexpr const char* kMakerWebAddress = "https://www.kardomel.example";
inline constexpr const char* kMakerMailAddress = "info@kardomel.example";

}  // namespace kardomel
