// How the split and the join talk to the user: the questions of the message
// dialogs, the input query, the folder browser, the disk-change question and
// progress. The main window answers with real dialogs, the command-line tool
// at the prompt, the tests from a script.
#pragma once

#include <cstdint>
#include <string>

namespace kardomel {

// Sets window title and icon of a message dialog.
enum class TMsgKind { Warning, Error, Information, Confirmation };

// Buttons of a message dialog, combinable.
enum TMsgButtons : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
};

// Results of the dialogs. Escape or the close box give mrCancel.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrYes = 6,
  mrNo = 7,
  // The two command-link buttons of the join's overwrite question.
  mrOverwrite = 100,
  mrKeep = 101,
};

// Where a command stands, for the gauge and a status text.
struct TProgress {
  int32_t Part = 0;        // number of the part being processed, from 1
  int32_t PartCount = 0;   // gauge maximum
  int64_t PartDone = 0;    // bytes copied in this part
  int64_t PartSize = 0;    // bytes this part will hold
  int64_t TotalDone = 0;   // bytes copied in this command
  int64_t TotalSize = 0;   // bytes the command will copy (0 when unknown)
};

class TInteraction {
 public:
  virtual ~TInteraction() = default;

  // A modal message: Instruction as heading, Content below ('\r' breaks a
  // line). Returns the TModalResult of the button pressed.
  virtual int ShowMessageDialog(const std::string& instruction, const std::string& content,
                                TMsgKind kind, unsigned buttons) = 0;
  // One edit field preset with Text; Text receives what was typed. True for OK.
  virtual bool ShowInputQuery(const std::string& caption, const std::string& content,
                              std::string& text) = 0;
  // The folder browser ("Ordner auswählen"), preset with Preset when it is not
  // empty. True with Chosen set when the user confirmed a folder.
  virtual bool BrowseFolder(const std::string& preset, std::string& chosen) = 0;
  // The join's question whether to write over the existing file Path:
  // mrOverwrite ("Ja, Datei überschreiben.") or mrKeep / mrCancel.
  virtual int AskOverwrite(const std::string& path) = 0;
  // The disk change of a full removable medium: shows the entries of Folder
  // and asks whether they shall be deleted. True for "&Ja"; the caller then
  // deletes them, sparing what the running split needs.
  virtual bool ConfirmDeleteFiles(const std::string& folder) = 0;

  // The command enters (true) or leaves (false) its busy state.
  virtual void SetBusy(bool /*busy*/) {}
  // Progress of the running command; called often, may keep a window painted.
  virtual void Progress(const TProgress& /*progress*/) {}
  // Whether the user asked the running command to stop (Escape, a stop
  // button, Ctrl+C). Asked after each progress report, that is between two
  // blocks of a copy; the command then stops and cleans up what it left
  // incomplete.
  virtual bool CancelRequested() { return false; }
};

// Forwards every call to another interaction, so that a step that changes
// one answer or message overrides only that one and never loses the rest
// (a stop request among them).
class TInteractionWrapper : public TInteraction {
 public:
  explicit TInteractionWrapper(TInteraction& target) : target_(target) {}
  TInteraction& Target() const { return target_; }

  int ShowMessageDialog(const std::string& instruction, const std::string& content, TMsgKind kind,
                        unsigned buttons) override {
    return target_.ShowMessageDialog(instruction, content, kind, buttons);
  }
  bool ShowInputQuery(const std::string& caption, const std::string& content,
                      std::string& text) override {
    return target_.ShowInputQuery(caption, content, text);
  }
  bool BrowseFolder(const std::string& preset, std::string& chosen) override {
    return target_.BrowseFolder(preset, chosen);
  }
  int AskOverwrite(const std::string& path) override { return target_.AskOverwrite(path); }
  bool ConfirmDeleteFiles(const std::string& folder) override {
    return target_.ConfirmDeleteFiles(folder);
  }
  void SetBusy(bool busy) override { target_.SetBusy(busy); }
  void Progress(const TProgress& progress) override { target_.Progress(progress); }
  bool CancelRequested() override { return target_.CancelRequested(); }

 private:
  TInteraction& target_;
};

}  // namespace kardomel
