// Paths as the user typed them, made absolute so that messages name the
// full path.
#pragma once

#include <string>

namespace kardomel {

// Path unchanged when absolute, else joined to the working folder (a
// leading "./" dropped).
std::string AbsolutePath(const std::string& path);

}  // namespace kardomel
