#include "delivery/desktop/embedded_data.h"

namespace kardomel {

std::string_view EmbeddedDataFile(const std::string& relativePath) {
  for (const TEmbeddedFile& file : EmbeddedDataFiles())
    if (file.RelativePath == relativePath) return file.Content;
  return {};
}

}  // namespace kardomel
