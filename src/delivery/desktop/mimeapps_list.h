// The user's default applications in mimeapps.list: our one line in the
// section "[Default Applications]", every other line kept as it is.
#pragma once

#include <string>

namespace kardomel {

// Text with "MimeType=DesktopId;" as the only line for MimeType in
// "[Default Applications]"; the section is appended when missing.
std::string WithDefaultApplication(const std::string& text, const std::string& mimeType,
                                   const std::string& desktopId);

// Text with DesktopId taken out of MimeType's line in "[Default
// Applications]"; the line goes when nothing else is left in it. Another
// program's default stays.
std::string WithoutDefaultApplication(const std::string& text, const std::string& mimeType,
                                      const std::string& desktopId);

}  // namespace kardomel
