// The folders that hold the parts of split-and-send. Each send writes into
// a folder of its own under the temporary folder and leaves it there: the
// mail client reads the attachments only when the user sends the message,
// long after xdg-email has returned. Folders older than a day are removed
// at the next start or send.
#pragma once

#include <cstdint>
#include <string>

#include "engine/env.h"

namespace kardomel {

inline constexpr const char* kSendFolderPrefix = "kardomel-send-";
// How long a send folder is kept after its last change.
inline constexpr int64_t kSendFolderLifetimeSeconds = 24 * 60 * 60;

// Makes a new, empty folder "kardomel-send-XXXXXX" under Env's temporary
// folder, readable only by the user. Returns its path ending in '/'.
// Raises ESystemError when it cannot be made.
std::string MakeSendFolder(TEnv& env);

// Removes, with their contents, the send folders under Env's temporary
// folder that belong to this user and were last changed more than
// kSendFolderLifetimeSeconds before NowSeconds (seconds since 1970). Links
// and other users' folders are never followed or touched. Failures are
// passed over. Returns the number of folders removed.
int RemoveStaleSendFolders(TEnv& env, int64_t nowSeconds);
// The same against the current time.
int RemoveStaleSendFolders(TEnv& env);

// Removes Folder and everything in it, without following links; what
// cannot be removed stays. True when Folder is gone.
bool RemoveFolderTree(TEnv& env, const std::string& folder);

// Name as it may be handed to mail clients: ',' and '\'' (where Thunderbird
// splits its attachment list) and '\\' (which xdg-email's shell reads as an
// escape) become '_'.
std::string MailSafeName(const std::string& name);

}  // namespace kardomel
