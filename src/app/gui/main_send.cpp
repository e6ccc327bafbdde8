// Split-and-send and the desktop integration from the window: the same
// split input as "&Splitten", handed to the mail step instead; the options
// dialog's shell link applied through the window's launcher.
#include <QCoreApplication>

#include "app/gui/frm_main.h"
#include "delivery/desktop/shell_integration.h"
#include "delivery/mail/send.h"
#include "delivery/mail/send_folder.h"
#include "ui/qt_text.h"

namespace kardomel {

bool TFrmMain::ExecuteSend(const TSplitInput& input) {
  bool cancelled = false;
  const bool ended = Guarded([&] {
    TSendResult result;
    try {
      result = RunSend(SendInputOf(input), *FEnv, Questions(), *FLauncher);
    } catch (...) {
      if (FBusy) FinishCommand();
      throw;
    }
    cancelled = result.Outcome == TOutcome::Cancelled;
    if (result.Outcome == TOutcome::Refused) FocusField(result.Focus);
    // The parts lie in the send folder: the destination tree stays.
    if (FBusy) FinishCommand();
  });
  return ended && !cancelled;
}

void TFrmMain::RemoveStaleSendFolders() {
  // The mail clients of earlier sends have long read their attachments.
  kardomel::RemoveStaleSendFolders(*FEnv);
}

void TFrmMain::ApplyShellIntegration(bool on) {
  // Optional: a step that fails ends the integration silently.
  kardomel::ApplyShellIntegration(on, ToStdString(QCoreApplication::applicationFilePath()),
                                  *FLauncher);
}

}  // namespace kardomel
