// TWindowInteraction: how a command of the main window talks to the user.
// Every question goes to a replaceable responder (the Qt dialogs, or a test
// script); the busy state and the progress go to the window. While a
// question is open the busy cursor gives way to the normal one.
#pragma once

#include <functional>

#include "engine/interaction.h"

namespace kardomel {

class TWindowInteraction : public TInteraction {
 public:
  using TBusyHandler = std::function<void(bool busy)>;
  using TProgressHandler = std::function<void(const TProgress& progress)>;

  // Questions go to *Responder, read at each question (never null then).
  TWindowInteraction(TInteraction** responder, TBusyHandler onBusy, TProgressHandler onProgress);

  int ShowMessageDialog(const std::string& instruction, const std::string& content,
                        TMsgKind kind, unsigned buttons) override;
  bool ShowInputQuery(const std::string& caption, const std::string& content,
                      std::string& text) override;
  bool BrowseFolder(const std::string& preset, std::string& chosen) override;
  int AskOverwrite(const std::string& path) override;
  bool ConfirmDeleteFiles(const std::string& folder) override;
  void SetBusy(bool busy) override;
  void Progress(const TProgress& progress) override;
  // The responder's request to stop, or the window's (SetCancelQuery).
  bool CancelRequested() override;
  void SetCancelQuery(std::function<bool()> query) { cancelQuery_ = std::move(query); }
  // Called as each question opens (the window's copy clock pauses).
  void SetQuestionHandler(std::function<void()> handler) { onQuestion_ = std::move(handler); }

 private:
  TInteraction** responder_;
  TBusyHandler onBusy_;
  TProgressHandler onProgress_;
  std::function<bool()> cancelQuery_;
  std::function<void()> onQuestion_;
};

}  // namespace kardomel
