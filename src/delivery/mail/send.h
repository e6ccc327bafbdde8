// Split-and-send: the split writes the set into a send folder of its own,
// then each part goes to the mail client in a message of its own, the last
// one with the rejoin script and the descriptor file, and a closing dialog
// reports the count.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "delivery/launcher.h"
#include "delivery/mail/mail_message.h"
#include "engine/command.h"
#include "engine/env.h"
#include "engine/interaction.h"
#include "engine/split.h"

namespace kardomel {

// What the window's fields and options hold when "&Versenden" starts. The
// destination fields play no part. When zipping first, SourcePath is the
// archive; the caller made it and deletes it afterwards.
struct TSendInput {
  std::string SourcePath;       // full path of the file to cut
  int64_t PartSize = 0;         // the size field, evaluated (0 when no number)
  int64_t PartCount = 0;        // the count field (0 when no number)
  bool WriteDescriptor = true;  // "KDM-File immer erzeugen"
  bool WriteBatch = true;       // "Batch-Datei erzeugen"
  std::string WebAddress;       // rejoin script and mail body
  bool WriteChecksums = false;    // "Prüfsummen erzeugen"
  bool WriteShellScript = false;  // "Shell-Skript erzeugen"
  // Called after each hand-over, with whether a mail client took it.
  std::function<void(const TMailMessage&, bool handedOver)> OnMessage;
};

// The send of the split that Split describes: the same source, sizes and
// members; its destination plays no part.
TSendInput SendInputOf(const TSplitInput& split);

struct TSendResult {
  TOutcome Outcome = TOutcome::Done;
  TField Focus = TField::None;  // for a refusal
  std::string Folder;           // the send folder holding the set; empty when removed
  int32_t Parts = 0;
  std::vector<TMailMessage> Messages;
  int Failed = 0;  // messages no mail client took
};

// The closing dialog's content. When some message found no mail client, it
// also names Folder, so that the user can attach the parts by hand.
std::string SentReport(const std::string& sourceName, int32_t parts, int failed,
                       const std::string& folder);

// Runs split-and-send. First removes stale send folders, then splits into a
// new one (a source name with ',', '\'' or '\\' is split under its
// MailSafeName), hands the members over through xdg-email and shows
// "Datei wurde versandt." A refused or cancelled split, or a failure (an
// exception, passed on), removes the new folder: nothing was mailed.
TSendResult RunSend(const TSendInput& input, TEnv& env, TInteraction& ui, TLauncher& launcher);

}  // namespace kardomel
