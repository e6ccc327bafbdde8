// Version texts as numbers: "9.00" is 9.0, and versions compare as decimal
// numbers, so 9.10 (9.1) is older than 9.9.
#pragma once

#include <optional>
#include <string>

namespace kardomel {

// Leading blanks, an optional sign, digits with an optional point and
// fraction, an optional exponent; nothing else (a decimal comma, a trailing
// word) is a number. Independent of the locale.
std::optional<double> ParseVersionNumber(const std::string& text);

// The running version's text up to its first blank ("9.00 beta" -> "9.00").
std::string VersionBeforeBlank(const std::string& text);

// The value of the program's version information named Name
// ("ProductVersion", "FileVersion"); "Undefiniert" for any other name.
std::string GetVersionString(const std::string& name);

}  // namespace kardomel
