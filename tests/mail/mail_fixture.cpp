#include "mail_fixture.h"

#include <sys/stat.h>

#include "support/globals.h"

namespace kardomel::testing {

void MailTest::SetUp() {
  const char* path = std::getenv("PATH");
  oldPath = path != nullptr ? path : "/usr/bin:/bin";
}

void MailTest::TearDown() { ::setenv("PATH", oldPath.c_str(), 1); }

void MailTest::InstallFakeMailer(int exitCode) {
  // Each call: its arguments, NUL-terminated, into a file of its own.
  const std::string script =
      "#!/bin/sh\n"
      "n=$(ls " + Quote(log.Path()) + " | wc -l)\n"
      "out=" + Quote(log.Path()) + "call-$(printf %03d $((n + 1)))\n"
      "printf '%s\\0' \"$@\" > \"$out\"\n"
      "prev=\n"
      "for arg in \"$@\"; do\n"
      "  if [ \"$prev\" = --attach ] && [ ! -f \"$arg\" ]; then echo missing >> \"$out.missing\"; exit 4; fi\n"
      "  prev=$arg\n"
      "done\n"
      "exit " + std::to_string(exitCode) + "\n";
  WriteFile(bin / "xdg-email", script);
  ::chmod((bin / "xdg-email").c_str(), 0755);
  ::setenv("PATH", (bin.Path() + ":" + oldPath).c_str(), 1);
}

void MailTest::RemoveMailer() { ::setenv("PATH", bin.Path().c_str(), 1); }

std::vector<std::vector<std::string>> MailTest::Calls() const {
  std::vector<std::vector<std::string>> calls;
  for (const std::string& name : ListNames(log.Path())) {
    if (name.find(".missing") != std::string::npos) {
      ADD_FAILURE() << "an attachment was missing in " << name;
      continue;
    }
    std::vector<std::string> args;
    const std::string text = ReadFile(log / name);
    size_t start = 0;
    for (size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1)
      args.push_back(text.substr(start, end - start));
    calls.push_back(args);
  }
  return calls;
}

TSendInput MailTest::InputFor(const std::string& source, int64_t partSize) const {
  TSendInput input;
  input.SourcePath = source;
  input.PartSize = partSize;
  const int64_t size = FileSize(source);
  input.PartCount = (size + partSize - 1) / partSize;
  input.WebAddress = "https://www.example.org";
  return input;
}

std::string MailTest::SendFolder() const {
  std::vector<std::string> folders;
  for (const std::string& name : ListNames(tmp.Path()))
    if (name.rfind("kardomel-send-", 0) == 0) folders.push_back(name);
  EXPECT_EQ(folders.size(), 1u);
  return folders.empty() ? std::string() : tmp / folders[0] + "/";
}

std::vector<std::string> ValuesOf(const std::vector<std::string>& call, const std::string& option) {
  std::vector<std::string> values;
  for (size_t i = 0; i + 1 < call.size(); ++i)
    if (call[i] == option) values.push_back(call[++i]);
  return values;
}

}  // namespace kardomel::testing
