#include "archive_helpers.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <utime.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace kardomel::testing {

TArchiveResult WriteArchive(const TArchiveInput& input) {
  TArchiveEvents events;
  return WriteArchive(input, events);
}

TArchiveResult WriteArchive(const TArchiveInput& input, TArchiveEvents& events) {
  return MakeLibzipArchiveWriter()->Write(input, events);
}

std::string ShellOutput(const std::string& command, int* status) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    if (status) *status = -1;
    return out;
  }
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  int raw = ::pclose(pipe);
  if (status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

bool HaveTool(const std::string& name) {
  return Shell("command -v " + Quote(name) + " >/dev/null 2>&1") == 0;
}

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

}  // namespace

std::string Python(const std::string& script, const std::string& archive,
                   const std::string& passwordBytes, int* status) {
  return ShellOutput("python3 -c " + Quote(script) + " " + Quote(archive) + " '" +
                         Hex(passwordBytes) + "' 2>&1",
                     status);
}

std::string PythonDigests(const std::string& archive, const std::string& passwordBytes) {
  static const char script[] = R"(
import hashlib, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    if sys.argv[2]:
        z.setpassword(bytes.fromhex(sys.argv[2]))
    lines = []
    for info in z.infolist():
        if not info.is_dir():
            lines.append(info.filename + "\t" + hashlib.sha256(z.read(info)).hexdigest())
    print("\n".join(sorted(lines)))
)";
  int status = 0;
  std::string out = Python(script, archive, passwordBytes, &status);
  EXPECT_EQ(status, 0) << out;
  return out;
}

std::string DiskDigests(const std::string& folder, const std::string& root) {
  std::string lines = ShellOutput(
      "cd " + Quote(folder) + " && find . -type f -print0 | xargs -0 -r sha256sum");
  std::map<std::string, std::string> sorted;
  std::istringstream in(lines);
  std::string line;
  while (std::getline(in, line)) {
    std::string digest = line.substr(0, 64);
    std::string path = folder + line.substr(68);  // skip "  ./"
    std::string name = root.empty() ? std::filesystem::path(path).filename().string()
                                    : path.substr(root.size());
    sorted[name + "\t" + digest] = "";
  }
  std::string out;
  for (const auto& [entry, unused] : sorted) out += (out.empty() ? "" : "\n") + entry;
  return out + "\n";
}

void SetModTime(const std::string& path, time_t time) {
  struct utimbuf times {time, time};
  ASSERT_EQ(::utime(path.c_str(), &times), 0) << path;
}

std::string FolderState(const std::string& folder) {
  std::string out;
  for (const std::string& name : ListNames(folder))
    out += name + " " + std::to_string(FileSize(folder + name)) + " " +
           std::to_string(std::hash<std::string>{}(ReadFile(folder + name))) + "\n";
  return out;
}

}  // namespace kardomel::testing
