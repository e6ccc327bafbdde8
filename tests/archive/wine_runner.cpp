#include "wine_runner.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

class TWinePrefix : public ::testing::Environment {
 public:
  bool Ready() {
    if (!tried_) {
      tried_ = true;
      ready_ = Make();
    }
    return ready_;
  }
  const std::string& Path() const { return path_; }

  void TearDown() override {
    if (path_.empty()) return;
    // The prefix's wineserver would otherwise linger after the tests.
    Shell("WINEPREFIX=" + Quote(path_) + " wineserver -k >/dev/null 2>&1");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

 private:
  bool Make() {
    if (Shell("command -v wine >/dev/null 2>&1") != 0) return false;
    char pattern[] = "/tmp/kardomel-wine-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return false;
    path_ = pattern;
    return Shell("WINEDEBUG=-all WINEPREFIX=" + Quote(path_) + " wineboot -i >/dev/null 2>&1") == 0;
  }

  bool tried_ = false;
  bool ready_ = false;
  std::string path_;
};

TWinePrefix* Prefix() {
  static TWinePrefix* prefix =
      static_cast<TWinePrefix*>(::testing::AddGlobalTestEnvironment(new TWinePrefix));
  return prefix;
}

// Registered before main runs, so gtest calls its TearDown.
[[maybe_unused]] TWinePrefix* const kRegistered = Prefix();

}  // namespace

std::string StubPath() {
#ifdef KARDOMEL_SFX_STUB
  return FileExists(KARDOMEL_SFX_STUB) ? KARDOMEL_SFX_STUB : "";
#else
  return "";
#endif
}

bool WineReady() { return Prefix()->Ready(); }

int RunUnderWine(const std::string& exe, const std::string& args) {
  if (!WineReady()) return -1;
  return Shell("LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX=" + Quote(Prefix()->Path()) + " wine " +
               Quote(exe) + " " + args + " </dev/null >/dev/null 2>&1");
}

std::string WinePath(const std::string& path) {
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

}  // namespace kardomel::testing
