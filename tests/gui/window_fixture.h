// A main window on a fresh temp folder, its questions answered by a
// scripted responder and its system a fault-injecting environment.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <initializer_list>
#include <memory>
#include <string>

#include "app/gui/frm_main.h"
#include "fakes/fault_env.h"
#include "fakes/scripted_interaction.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {

// The value of the environment variable Name, empty when it is not set.
std::string EnvVariable(const char* name);
// Sets Name back to Value as EnvVariable gave it; empty unsets it.
void RestoreEnvVariable(const char* name, const std::string& value);

class TWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Shows the window with both trees at Folder (default: the temp folder).
  void Open(const std::string& folder = {});
  // Selects the named entries of the source list (the first one current)
  // and lets the window evaluate the selection. Fails when one is missing.
  void Select(std::initializer_list<const char*> names);
  // Types Text into the size field, which keeps the focus.
  void TypeSize(const QString& text);
  // Picks the preset label at Index from the size field's list.
  void PickPreset(int index);
  // Lets queued events run.
  static void Settle();

  TTempFolder temp_;
  // The user's data and configuration folders, so that the options
  // dialog's OK ties no test into the real desktop.
  TTempFolder xdg_;
  std::string oldDataHome_;
  std::string oldConfigHome_;
  TFaultEnv env_;
  TScriptedInteraction ui_;
  std::unique_ptr<TFrmMain> window_;
};

}  // namespace kardomel::testing
