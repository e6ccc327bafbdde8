#include "delivery/mail/mail_message.h"

namespace kardomel {

std::string PartSubject(int32_t part, int32_t count) {
  return "Kardomel Teildatei " + std::to_string(part) + " von " + std::to_string(count);
}

std::string MailBody(const std::string& webAddress) {
  return "\n--\ngesendet mit Kardomel 9.00\nvon " + webAddress;
}

namespace {

// Three echo passes, each halving a run of backslashes.
std::string EscapeForThreeEchoes(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\\') out.append(7, '\\');
    out += c;
  }
  return out;
}

}  // namespace

std::vector<std::string> XdgEmailArguments(const TMailMessage& message, bool escapeBackslashes) {
  auto text = [&](const std::string& value) {
    return escapeBackslashes ? EscapeForThreeEchoes(value) : value;
  };
  std::vector<std::string> args = {"--utf8", "--subject", text(message.Subject), "--body",
                                   text(message.Body)};
  for (const std::string& path : message.Attachments) {
    args.push_back("--attach");
    args.push_back(path);
  }
  return args;
}

bool ShellEchoReadsEscapes(TLauncher& launcher) {
  // The script sees a\\b between single quotes; an echo that reads escapes
  // prints a\b, and the test then succeeds.
  return launcher.Run("/bin/sh", {"-c", "[ \"$(echo 'a\\\\b')\" = 'a\\b' ]"}) == 0;
}

bool HandOverMail(const TMailMessage& message, TLauncher& launcher, bool escapeBackslashes) {
  return launcher.Run("xdg-email", XdgEmailArguments(message, escapeBackslashes)) == 0;
}

}  // namespace kardomel
