#include "app/gui/window_interaction.h"

#include <QApplication>
#include <QCursor>

namespace kardomel {

namespace {

// Shows the normal cursor over a dialog opened while the command is busy.
class TNormalCursor {
 public:
  TNormalCursor() {
    active_ = QApplication::overrideCursor() != nullptr;
    if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~TNormalCursor() {
    if (active_) QApplication::restoreOverrideCursor();
  }
  TNormalCursor(const TNormalCursor&) = delete;
  TNormalCursor& operator=(const TNormalCursor&) = delete;

 private:
  bool active_;
};

}  // namespace

TWindowInteraction::TWindowInteraction(TInteraction** responder, TBusyHandler onBusy,
                                       TProgressHandler onProgress)
    : responder_(responder), onBusy_(std::move(onBusy)), onProgress_(std::move(onProgress)) {}

int TWindowInteraction::ShowMessageDialog(const std::string& instruction,
                                          const std::string& content, TMsgKind kind,
                                          unsigned buttons) {
  TNormalCursor cursor;
  if (onQuestion_) onQuestion_();
  return (*responder_)->ShowMessageDialog(instruction, content, kind, buttons);
}

bool TWindowInteraction::ShowInputQuery(const std::string& caption, const std::string& content,
                                        std::string& text) {
  TNormalCursor cursor;
  if (onQuestion_) onQuestion_();
  return (*responder_)->ShowInputQuery(caption, content, text);
}

bool TWindowInteraction::BrowseFolder(const std::string& preset, std::string& chosen) {
  TNormalCursor cursor;
  if (onQuestion_) onQuestion_();
  return (*responder_)->BrowseFolder(preset, chosen);
}

int TWindowInteraction::AskOverwrite(const std::string& path) {
  TNormalCursor cursor;
  if (onQuestion_) onQuestion_();
  return (*responder_)->AskOverwrite(path);
}

bool TWindowInteraction::ConfirmDeleteFiles(const std::string& folder) {
  TNormalCursor cursor;
  if (onQuestion_) onQuestion_();
  return (*responder_)->ConfirmDeleteFiles(folder);
}

void TWindowInteraction::SetBusy(bool busy) {
  (*responder_)->SetBusy(busy);
  if (onBusy_) onBusy_(busy);
}

void TWindowInteraction::Progress(const TProgress& progress) {
  (*responder_)->Progress(progress);
  if (onProgress_) onProgress_(progress);
}

bool TWindowInteraction::CancelRequested() {
  return (*responder_)->CancelRequested() || (cancelQuery_ && cancelQuery_());
}

}  // namespace kardomel
