// kardomel-cli's delivery commands: "send" (split-and-send through the
// desktop's mail client) and "integrate on|off" (the per-user desktop
// integration), kept apart from the split and join commands.
#pragma once

#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "engine/env.h"

namespace kardomel {

// True when Args name one of these commands.
bool IsDeliveryCommand(const std::vector<std::string>& args);

// Runs "send" or "integrate" with Args (without the program name). Returns
// the exit code.
int RunDeliveryCli(const std::vector<std::string>& args, TEnv& env, const TCliStreams& streams);

// The synopsis lines of these commands, and what they do.
std::string DeliveryUsage();
std::string DeliveryHelp();

}  // namespace kardomel
