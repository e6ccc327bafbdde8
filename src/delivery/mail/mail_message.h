// One e-mail of split-and-send and its hand-over to the desktop's mail
// client through xdg-email, which opens the client's compose window with
// subject, body and attachments filled in and no recipient.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "delivery/launcher.h"

namespace kardomel {

struct TMailMessage {
  std::string Subject;
  std::string Body;                      // lines separated by '\n'
  std::vector<std::string> Attachments;  // full paths, in this order
};

// "Kardomel Teildatei 2 von 5".
std::string PartSubject(int32_t part, int32_t count);

// The body every message carries: an empty line, "--", the program and its
// version, "von" and the maker's WebAddress.
std::string MailBody(const std::string& webAddress);

// The arguments of xdg-email for Message: --utf8, --subject, --body and one
// --attach per file. xdg-email (1.1) passes subject and body through the
// echo of /bin/sh three times on its way to the mail client: twice while
// encoding them, once more with the finished mailto address. Where that
// echo reads backslash escapes (dash, Debian's /bin/sh), EscapeBackslashes
// writes every backslash eight times, so that "C:\new" arrives whole and
// does not turn into a line break. (xdg-email's own Thunderbird branch
// echoes the address again; the texts this program sends hold no backslash
// and the names it attaches are cleaned of them, see MailSafeName.)
std::vector<std::string> XdgEmailArguments(const TMailMessage& message, bool escapeBackslashes);

// True when the echo of /bin/sh turns "\\" into "\", as dash does; asked of
// the shell itself, through Launcher, so that a system whose /bin/sh is
// bash gets its texts unchanged.
bool ShellEchoReadsEscapes(TLauncher& launcher);

// Hands Message to xdg-email, looked up on PATH at this call. True when
// xdg-email started and reported success; false when it is missing or
// failed (no mail client, a missing attachment).
bool HandOverMail(const TMailMessage& message, TLauncher& launcher, bool escapeBackslashes);

}  // namespace kardomel
