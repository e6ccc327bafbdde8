// The files of the data folder that the desktop integration writes for the
// user: the desktop entry, the MIME package and the icons, compiled in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kardomel {

struct TEmbeddedFile {
  std::string RelativePath;  // as under share/: "icons/hicolor/48x48/apps/kardomel.png"
  std::string_view Content;
};

// Every embedded file, in a fixed order; lives for the whole run.
const std::vector<TEmbeddedFile>& EmbeddedDataFiles();

// The content of the embedded file at RelativePath; empty when there is none.
std::string_view EmbeddedDataFile(const std::string& relativePath);

}  // namespace kardomel
