// What the mail tests share: a temporary folder standing in for the
// system's, a source file, and a recording xdg-email first on PATH that
// writes each call's arguments and fails when an attachment is missing.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "delivery/launcher.h"
#include "delivery/mail/send.h"
#include "engine/env.h"
#include "fakes/scripted_interaction.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {

// The real system with its temporary folder moved into the test's own.
class TTempDirEnv : public TEnvWrapper {
 public:
  explicit TTempDirEnv(std::string tempDir) : TEnvWrapper(TEnv::Default()), temp_(tempDir) {}
  std::string TempDir() override { return temp_; }

 private:
  std::string temp_;
};

class MailTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Puts the recording xdg-email on PATH; ExitCode is what it returns when
  // every attachment exists.
  void InstallFakeMailer(int exitCode = 0);
  // PATH without any xdg-email.
  void RemoveMailer();
  // The arguments of every call of the fake, in order.
  std::vector<std::vector<std::string>> Calls() const;

  TSendInput InputFor(const std::string& source, int64_t partSize) const;
  TSendResult Send(const TSendInput& input) { return RunSend(input, env, ui, launcher); }
  // The one send folder under the temporary folder, ending in '/'.
  std::string SendFolder() const;

  TTempFolder tmp;
  TTempFolder bin;
  TTempFolder log;
  TTempFolder sources;
  TTempDirEnv env{tmp.Path()};
  TScriptedInteraction ui;
  TPosixLauncher launcher;
  std::string oldPath;
};

// Option values of one call: the text after Option, for each time it appears.
std::vector<std::string> ValuesOf(const std::vector<std::string>& call, const std::string& option);

}  // namespace kardomel::testing
