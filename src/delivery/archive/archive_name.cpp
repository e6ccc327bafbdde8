#include "delivery/archive/archive_name.h"

#include <algorithm>
#include <cctype>

#include "support/globals.h"

namespace kardomel {
namespace {

std::string Trim(const std::string& text) {
  const auto blank = [](unsigned char c) { return c <= ' '; };
  auto begin = std::find_if_not(text.begin(), text.end(), blank);
  auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return begin < end ? std::string(begin, end) : std::string();
}

bool ContainsZipAnyCase(const std::string& path) {
  std::string upper = path;
  for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.find(".ZIP") != std::string::npos;
}

}  // namespace

std::string ArchiveTargetPath(const std::string& path, bool selfExtracting) {
  std::string target = Trim(path);
  if (selfExtracting) return ChangeFileExt(target, ".exe");
  return ContainsZipAnyCase(target) ? target : ChangeFileExt(target, ".zip");
}

}  // namespace kardomel
