// The launcher of the window: programs start as the command-line tool starts
// them, addresses open through the desktop (the browser for a web address,
// the mail program for "mailto:", the viewer for a local document). The
// windows take a TLauncher, so that a test records what would open instead
// of starting programs.
#pragma once

#include "delivery/launcher.h"

class QUrl;

namespace kardomel {

class TDesktopLauncher : public TPosixLauncher {
 public:
  // Whether a program started is not reported by the desktop: a link that
  // opens nothing is no error, so this is true once the address was handed on.
  bool OpenUrl(const std::string& url) override;
};

// The desktop's own launcher; it lives as long as the program.
TLauncher& DesktopLauncher();

// Hands Url to Launcher in its encoded form.
void OpenUrl(TLauncher& launcher, const QUrl& url);

}  // namespace kardomel
