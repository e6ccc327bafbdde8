// Shared pieces of the archive tests: running the libzip writer, scripted
// events, the outside readers (unzip, 7z, python3 zipfile) and file times.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "delivery/archive/archive_writer.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {

// Events answered from fields: cancel after a number of polls, the answer
// to the replace question, and what was reported.
class TScriptedArchiveEvents : public TArchiveEvents {
 public:
  int CancelAfterPolls = -1;  // -1: never
  bool ReplaceAnswer = false;
  int Polls = 0;
  int LastPercent = -1;
  std::vector<std::string> ReplaceQuestions;

  void Progress(int percent) override { LastPercent = percent; }
  bool CancelRequested() override { return CancelAfterPolls >= 0 && ++Polls > CancelAfterPolls; }
  bool ConfirmReplace(const std::string& path) override {
    ReplaceQuestions.push_back(path);
    return ReplaceAnswer;
  }
};

TArchiveResult WriteArchive(const TArchiveInput& input);
TArchiveResult WriteArchive(const TArchiveInput& input, TArchiveEvents& events);

// Standard output of a shell command; Status gets its exit status.
std::string ShellOutput(const std::string& command, int* status = nullptr);
bool HaveTool(const std::string& name);

// Runs a python3 snippet with the archive path as sys.argv[1] and the
// password bytes (hex) as sys.argv[2]; returns its output, Status its exit status.
std::string Python(const std::string& script, const std::string& archive,
                   const std::string& passwordBytes, int* status = nullptr);
// "name<TAB>sha256" lines of every file entry, sorted, as python3 reads them.
std::string PythonDigests(const std::string& archive, const std::string& passwordBytes);
// The same lines for the files under Folder, named relative to Root (both
// ending in '/'), or by bare name when Root is empty.
std::string DiskDigests(const std::string& folder, const std::string& root);

void SetModTime(const std::string& path, time_t time);
// Names and sizes of the files in Folder, for "nothing changed" checks.
std::string FolderState(const std::string& folder);

}  // namespace kardomel::testing
