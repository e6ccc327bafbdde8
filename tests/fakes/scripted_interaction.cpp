#include "fakes/scripted_interaction.h"

#include <gtest/gtest.h>

namespace kardomel::testing {

void TScriptedInteraction::Answer(TCall call, int result, TAction before) {
  answers_.push_back({call, result, std::nullopt, std::move(before)});
}

void TScriptedInteraction::AnswerBrowse(std::optional<std::string> folder, TAction before) {
  answers_.push_back({TCall::Browse, folder ? 1 : 0, std::move(folder), std::move(before)});
}

void TScriptedInteraction::AnswerInput(std::optional<std::string> text) {
  answers_.push_back({TCall::Input, text ? 1 : 0, std::move(text), {}});
}

std::vector<std::string> TScriptedInteraction::Instructions() const {
  std::vector<std::string> out;
  for (const TRecord& record : records_) {
    if (record.Call == TCall::Message) out.push_back(record.Instruction);
  }
  return out;
}

const TRecord* TScriptedInteraction::Find(const std::string& instruction) const {
  for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
    if (it->Call == TCall::Message && it->Instruction == instruction) return &*it;
  }
  return nullptr;
}

std::optional<TScriptedInteraction::TAnswer> TScriptedInteraction::Take(TCall call,
                                                                         const std::string& what) {
  if (answers_.empty() || answers_.front().Call != call) {
    ADD_FAILURE() << "unscripted question: " << what;
    return std::nullopt;
  }
  TAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  if (answer.Before) answer.Before();
  return answer;
}

void TScriptedInteraction::Record(TCall call, const std::string& instruction,
                                  const std::string& content, TMsgKind kind, unsigned buttons) {
  records_.push_back({call, instruction, content, kind, buttons, busy_});
}

int TScriptedInteraction::ShowMessageDialog(const std::string& instruction,
                                            const std::string& content, TMsgKind kind,
                                            unsigned buttons) {
  Record(TCall::Message, instruction, content, kind, buttons);
  if (onMessage_) onMessage_(instruction);
  if (buttons == mbOK) return mrOk;
  std::optional<TAnswer> answer = Take(TCall::Message, instruction);
  return answer ? answer->Result : ((buttons & mbCancel) ? mrCancel : mrNo);
}

bool TScriptedInteraction::ShowInputQuery(const std::string& caption, const std::string& content,
                                          std::string& text) {
  Record(TCall::Input, caption, content);
  std::optional<TAnswer> answer = Take(TCall::Input, caption);
  if (!answer || !answer->Text) return false;
  text = *answer->Text;
  return true;
}

bool TScriptedInteraction::BrowseFolder(const std::string& preset, std::string& chosen) {
  Record(TCall::Browse, "", preset);
  browsePreset_ = preset;
  std::optional<TAnswer> answer = Take(TCall::Browse, "folder browser");
  if (!answer || !answer->Text) return false;
  chosen = *answer->Text;
  return true;
}

int TScriptedInteraction::AskOverwrite(const std::string& path) {
  Record(TCall::Overwrite, "Datei bereits vorhanden.", path);
  std::optional<TAnswer> answer = Take(TCall::Overwrite, "overwrite " + path);
  return answer ? answer->Result : mrKeep;
}

bool TScriptedInteraction::ConfirmDeleteFiles(const std::string& folder) {
  Record(TCall::DeleteFiles, "", folder);
  std::optional<TAnswer> answer = Take(TCall::DeleteFiles, "delete files in " + folder);
  return answer && answer->Result != 0;
}

void TScriptedInteraction::SetBusy(bool busy) {
  busy_ = busy;
  ++busyChanges_;
}

void TScriptedInteraction::Progress(const TProgress& progress) {
  if (progress.PartCount > maxPartCount_) maxPartCount_ = progress.PartCount;
  if (parts_.empty() || parts_.back() != progress.Part) parts_.push_back(progress.Part);
  lastDone_ = progress.TotalDone;
  if (onProgress_) onProgress_(progress);
}

bool TScriptedInteraction::CancelRequested() {
  return cancelAfter_ && lastDone_ >= *cancelAfter_;
}

}  // namespace kardomel::testing
