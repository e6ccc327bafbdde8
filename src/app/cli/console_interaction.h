// The engine's questions and messages at a terminal: texts printed as the
// dialogs show them, questions asked at the prompt, a progress bar on stderr.
// Without a terminal every question takes its cancelling answer.
#pragma once

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/env.h"
#include "engine/interaction.h"

namespace kardomel {

struct TConsoleOptions {
  bool Interactive = false;    // questions are asked at the prompt
  bool ShowProgress = false;   // a progress bar is drawn on stderr
  bool OverwriteYes = false;   // --yes: write over an existing file
  // Set when the user asks to stop (Ctrl+C); null: no one can.
  const volatile std::sig_atomic_t* Interrupted = nullptr;
};

class TConsoleInteraction : public TInteraction {
 public:
  // Reads answers from In; writes reports to Out, warnings, errors,
  // questions and the progress bar to Err.
  TConsoleInteraction(TEnv& env, const TConsoleOptions& options, FILE* in, FILE* out, FILE* err);

  int ShowMessageDialog(const std::string& instruction, const std::string& content, TMsgKind kind,
                        unsigned buttons) override;
  bool ShowInputQuery(const std::string& caption, const std::string& content,
                      std::string& text) override;
  bool BrowseFolder(const std::string& preset, std::string& chosen) override;
  int AskOverwrite(const std::string& path) override;
  bool ConfirmDeleteFiles(const std::string& folder) override;
  void Progress(const TProgress& progress) override;
  void SetBusy(bool busy) override;
  bool CancelRequested() override;

  // Prints an error under "Fehlermeldung!", as the window's error handler does.
  void ShowError(const std::string& message);

 private:
  // Reads one answer line; false at the end of input or without a terminal.
  bool ReadAnswer(std::string& answer);
  void ClearProgressLine();

  TEnv& env_;
  TConsoleOptions options_;
  FILE* in_;
  FILE* out_;
  FILE* err_;
  bool progressShown_ = false;
  uint64_t startMicros_ = 0;
  uint64_t lastDrawMicros_ = 0;
};

// Dialog text for a terminal: "\r\n" and "\r" become line breaks.
std::string ConsoleText(const std::string& text);

}  // namespace kardomel
