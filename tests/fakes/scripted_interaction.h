// A TInteraction that answers every question from a queue the test fills
// and records every call: messages with instruction, content, kind and
// buttons, the questions, busy changes and progress.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/interaction.h"

namespace kardomel::testing {

enum class TCall { Message, Input, Browse, Overwrite, DeleteFiles };

struct TRecord {
  TCall Call = TCall::Message;
  std::string Instruction;  // Message; the caption of Input
  std::string Content;      // Message, Input; the folder or path of the others
  TMsgKind Kind = TMsgKind::Information;
  unsigned Buttons = 0;
  bool Busy = false;  // whether the command was busy when it asked
};

class TScriptedInteraction : public TInteraction {
 public:
  // What runs just before an answer is given (a disk is changed, a part copied in).
  using TAction = std::function<void()>;

  // Queues the answer to the next question of kind Call. A message with only
  // OK is no question and takes no answer. Result: the modal result of a
  // message or overwrite question, nonzero for "&Ja" of the delete-files
  // question; Text: the folder chosen in the browser or the text typed into
  // the input query (nullopt = Cancel).
  void Answer(TCall call, int result, TAction before = {});
  void AnswerBrowse(std::optional<std::string> folder, TAction before = {});
  void AnswerInput(std::optional<std::string> text);

  const std::vector<TRecord>& Records() const { return records_; }
  // Instructions of all messages, in order.
  std::vector<std::string> Instructions() const;
  // The last message with Instruction, or nullptr.
  const TRecord* Find(const std::string& instruction) const;
  // Answers still queued; a test that scripted too much finds them here.
  size_t Unused() const { return answers_.size(); }

  int BusyChanges() const { return busyChanges_; }
  bool Busy() const { return busy_; }
  // The largest gauge maximum and the parts that progress named.
  int32_t MaxPartCount() const { return maxPartCount_; }
  const std::vector<int32_t>& Parts() const { return parts_; }

  int ShowMessageDialog(const std::string& instruction, const std::string& content,
                        TMsgKind kind, unsigned buttons) override;
  bool ShowInputQuery(const std::string& caption, const std::string& content,
                      std::string& text) override;
  bool BrowseFolder(const std::string& preset, std::string& chosen) override;
  int AskOverwrite(const std::string& path) override;
  bool ConfirmDeleteFiles(const std::string& folder) override;
  void SetBusy(bool busy) override;
  void Progress(const TProgress& progress) override;
  bool CancelRequested() override;

  // The user asks to stop once progress has reported Bytes copied in all.
  void CancelAfter(int64_t bytes) { cancelAfter_ = bytes; }
  // Runs Hook as each message opens, with its instruction.
  void OnMessage(std::function<void(const std::string&)> hook) { onMessage_ = std::move(hook); }
  // Runs Hook at every progress report (a key pressed during the copy).
  void OnProgress(std::function<void(const TProgress&)> hook) { onProgress_ = std::move(hook); }
  // The bytes progress reported last.
  int64_t LastDone() const { return lastDone_; }

  // The preset the browser was last opened with.
  const std::string& LastBrowsePreset() const { return browsePreset_; }

 private:
  struct TAnswer {
    TCall Call;
    int Result = 0;
    std::optional<std::string> Text;
    TAction Before;
  };
  // Takes the next queued answer for Call; fails the test and returns
  // nullopt when the queue holds none or one for another question.
  std::optional<TAnswer> Take(TCall call, const std::string& what);
  void Record(TCall call, const std::string& instruction, const std::string& content,
              TMsgKind kind = TMsgKind::Information, unsigned buttons = 0);

  std::deque<TAnswer> answers_;
  std::vector<TRecord> records_;
  std::string browsePreset_;
  bool busy_ = false;
  int busyChanges_ = 0;
  int32_t maxPartCount_ = 0;
  std::vector<int32_t> parts_;
  std::optional<int64_t> cancelAfter_;
  int64_t lastDone_ = 0;
  std::function<void(const TProgress&)> onProgress_;
  std::function<void(const std::string&)> onMessage_;
};

}  // namespace kardomel::testing
