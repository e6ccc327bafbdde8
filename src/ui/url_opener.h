// Opening an address with the desktop's program for it: the browser for a
// web address, the mail program for "mailto:", the viewer for a local
// document. The windows take one such object, so that a test records what
// would open instead of starting programs.
#pragma once

#include <string>

class QUrl;

namespace kardomel {

class TUrlOpener {
 public:
  virtual ~TUrlOpener() = default;
  // Asks the desktop to open Url, an address in its encoded form. Whether a
  // program started is not reported: a link that opens nothing is no error.
  virtual void OpenUrl(const std::string& url) = 0;
};

// The desktop's own opener; it lives as long as the program.
TUrlOpener& DesktopUrlOpener();

// Hands Url to Opener in its encoded form.
void OpenUrl(TUrlOpener& opener, const QUrl& url);

}  // namespace kardomel
