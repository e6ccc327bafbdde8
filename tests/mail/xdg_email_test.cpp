// The real xdg-email, in a clean environment with MAILER set to a recorder:
// the mailto address it builds carries subject, body and attachment whole,
// backslashes included, with every line break a CR LF.
#include <sys/stat.h>

#include "delivery/mail/mail_message.h"
#include "mail_fixture.h"

namespace kardomel::testing {
namespace {

// Runs every program under "env -i" with only PATH and MAILER set, as a
// desktop without any known mail client would start it.
class TCleanEnvLauncher : public TLauncher {
 public:
  explicit TCleanEnvLauncher(std::string mailer) : mailer_(std::move(mailer)) {}
  int Run(const std::string& program, const std::vector<std::string>& arguments) override {
    std::vector<std::string> args = {"-i", "PATH=/usr/bin:/bin", "MAILER=" + mailer_, program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    return inner_.Run("env", args);
  }

 private:
  std::string mailer_;
  TPosixLauncher inner_;
};

std::string PercentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The decoded value of Field in a mailto address ("" when absent).
std::string MailtoField(const std::string& mailto, const std::string& field) {
  const std::string key = field + "=";
  size_t at = mailto.find("?" + key);
  if (at == std::string::npos) at = mailto.find("&" + key);
  if (at == std::string::npos) return "";
  at += key.size() + 1;
  const size_t end = mailto.find('&', at);
  return PercentDecoded(mailto.substr(at, end == std::string::npos ? end : end - at));
}

TEST(RealXdgEmail, TextsAndAttachmentArriveWhole) {
  if (::access("/usr/bin/xdg-email", X_OK) != 0) GTEST_SKIP() << "xdg-email not installed";
  TTempFolder tmp;
  const std::string recorder = tmp / "recorder";
  WriteFile(recorder, "#!/bin/sh\nprintf '%s' \"$1\" > " + Quote(tmp / "mailto") + "\n");
  ::chmod(recorder.c_str(), 0755);
  const std::string part = tmp / "Größe 1.001";
  WriteFile(part, "x");
  TMailMessage message;
  message.Subject = "Kardomel Teildatei 1 von 2";
  message.Body = "Pfad C:\\new\\table\nzweite Zeile";
  message.Attachments = {part};
  TCleanEnvLauncher launcher(recorder);

  ASSERT_TRUE(HandOverMail(message, launcher, ShellEchoReadsEscapes(launcher)));

  const std::string mailto = ReadFile(tmp / "mailto");
  EXPECT_EQ(mailto.rfind("mailto:?", 0), 0u) << "a recipient was set: " << mailto;
  EXPECT_EQ(MailtoField(mailto, "subject"), "Kardomel Teildatei 1 von 2") << mailto;
  EXPECT_EQ(MailtoField(mailto, "body"), "Pfad C:\\new\\table\r\nzweite Zeile") << mailto;
  EXPECT_EQ(MailtoField(mailto, "attach"), part) << mailto;
  EXPECT_EQ(MailtoField(mailto, "to"), "") << mailto;
}

TEST(RealXdgEmail, AMissingAttachmentIsAFailure) {
  if (::access("/usr/bin/xdg-email", X_OK) != 0) GTEST_SKIP() << "xdg-email not installed";
  TTempFolder tmp;
  TCleanEnvLauncher launcher("true");
  TMailMessage message;
  message.Subject = "s";
  message.Body = "b";
  message.Attachments = {tmp / "gone.001"};
  EXPECT_FALSE(HandOverMail(message, launcher, true));
}

}  // namespace
}  // namespace kardomel::testing
