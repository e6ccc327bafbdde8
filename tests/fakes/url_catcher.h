// A launcher that takes the addresses a window would have the desktop open,
// so that no browser or mail program starts during a test, and starts no
// program.
#pragma once

#include <QString>
#include <QUrl>
#include <string>
#include <vector>

#include "delivery/launcher.h"

namespace kardomel::testing {

class TUrlCatcher : public TLauncher {
 public:
  int Run(const std::string& /*program*/, const std::vector<std::string>& /*arguments*/) override {
    return kNotRun;
  }
  bool OpenUrl(const std::string& url) override {
    Opened.push_back(QUrl(QString::fromStdString(url)));
    return true;
  }
  std::vector<QUrl> Opened;
};

}  // namespace kardomel::testing
