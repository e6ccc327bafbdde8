#include "delivery/mail/send.h"

#include <sys/stat.h>
#include <unistd.h>

#include "delivery/mail/send_folder.h"
#include "engine/split.h"
#include "support/errors.h"
#include "support/globals.h"

namespace kardomel {
namespace {

// Forwards everything to the window except the plain split's closing
// dialog: in send mode "Datei wurde versandt." takes its place. The split
// has no switch for it, so the dialog is known by its instruction.
class TSendInteraction : public TInteractionWrapper {
 public:
  explicit TSendInteraction(TInteraction& target) : TInteractionWrapper(target) {}

  int ShowMessageDialog(const std::string& instruction, const std::string& content, TMsgKind kind,
                        unsigned buttons) override {
    if (instruction == "Datei wurde geteilt." && kind == TMsgKind::Information) return mrOk;
    return Target().ShowMessageDialog(instruction, content, kind, buttons);
  }
};

// The split names every member after its source. A name that mail clients
// would cut apart is split through a link carrying the safe name, so that
// parts, descriptor and rejoin script all use the name actually sent.
std::string SourceUnderSafeName(const std::string& source, const std::string& folder) {
  const std::string name = ExtractFileName(source);
  const std::string safe = MailSafeName(name);
  if (safe == name) return source;
  // A folder of its own: the link must not share a name with a member.
  const std::string linkFolder = folder + ".source/";
  if (::mkdir(linkFolder.c_str(), 0700) != 0) RaiseLastOSError();
  const std::string link = linkFolder + safe;
  if (::symlink(source.c_str(), link.c_str()) != 0) RaiseLastOSError();
  return link;
}

// One message per part; the last also carries the other members the split
// wrote (rejoin script, descriptor file, checksum files, shell script), so
// that the recipient has what joining and checking need.
std::vector<TMailMessage> Messages(const TSplitResult& split, const std::string& webAddress) {
  std::vector<TMailMessage> messages;
  const int32_t count = split.PartsWritten;
  for (int32_t k = 1; k <= count; ++k) {
    TMailMessage message;
    message.Subject = PartSubject(k, count);
    message.Body = MailBody(webAddress);
    message.Attachments.push_back(split.Files[static_cast<size_t>(k - 1)]);
    if (k == count)
      message.Attachments.insert(message.Attachments.end(), split.Files.begin() + count,
                                 split.Files.end());
    messages.push_back(message);
  }
  return messages;
}

}  // namespace

TSendInput SendInputOf(const TSplitInput& split) {
  TSendInput input;
  input.SourcePath = split.SourcePath;
  input.PartSize = split.PartSize;
  input.PartCount = split.PartCount;
  input.WriteDescriptor = split.WriteDescriptor;
  input.WriteBatch = split.WriteBatch;
  input.WebAddress = split.WebAddress;
  input.WriteChecksums = split.WriteChecksums;
  input.WriteShellScript = split.WriteShellScript;
  return input;
}

std::string SentReport(const std::string& sourceName, int32_t parts, int failed,
                       const std::string& folder) {
  std::string text = sourceName + " wurde in " + std::to_string(parts) +
                     " Teildateien geteilt und per E-Mail versandt.";
  if (failed > 0)
    text += "\rNicht jede Nachricht konnte an ein E-Mail-Programm übergeben werden. "
            "Die Teildateien liegen im Ordner\r" + folder;
  return text;
}

TSendResult RunSend(const TSendInput& input, TEnv& env, TInteraction& ui, TLauncher& launcher) {
  RemoveStaleSendFolders(env);
  TSendResult result;
  const std::string folder = MakeSendFolder(env);
  TSplitResult split;
  try {
    TSplitInput splitInput;
    splitInput.SourcePath = SourceUnderSafeName(input.SourcePath, folder);
    splitInput.PartSize = input.PartSize;
    splitInput.PartCount = input.PartCount;
    splitInput.SameDir = false;
    splitInput.DestFolder = folder;
    splitInput.WriteDescriptor = input.WriteDescriptor;
    splitInput.WriteBatch = input.WriteBatch;
    splitInput.WebAddress = input.WebAddress;
    splitInput.WriteChecksums = input.WriteChecksums;
    splitInput.WriteShellScript = input.WriteShellScript;
    TSendInteraction sendUi(ui);
    split = RunSplit(splitInput, env, sendUi);
  } catch (...) {
    RemoveFolderTree(env, folder);
    throw;
  }
  // The link has served its purpose; the members do not depend on it.
  RemoveFolderTree(env, folder + ".source/");
  result.Outcome = split.Outcome;
  result.Focus = split.Focus;
  if (split.Outcome != TOutcome::Done) {
    RemoveFolderTree(env, folder);
    return result;
  }

  result.Folder = folder;
  result.Parts = split.PartsWritten;
  result.Messages = Messages(split, input.WebAddress);
  const bool escape = ShellEchoReadsEscapes(launcher);
  for (const TMailMessage& message : result.Messages) {
    const bool handed = HandOverMail(message, launcher, escape);
    if (!handed) ++result.Failed;
    if (input.OnMessage) input.OnMessage(message, handed);
  }
  // Where the split moved on to another folder, the parts lie there too.
  const std::string shown = ExtractFilePath(split.BasePath);
  ui.ShowMessageDialog("Datei wurde versandt.",
                       SentReport(ExtractFileName(input.SourcePath), result.Parts, result.Failed,
                                  shown),
                       TMsgKind::Information, mbOK);
  return result;
}

}  // namespace kardomel
