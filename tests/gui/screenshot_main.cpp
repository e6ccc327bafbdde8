// kardomel-screenshot: shows the main window on a prepared folder with one
// of its files selected and saves a picture of it, for the documentation.
// Usage: kardomel-screenshot FOLDER FILE PRESET OUTPUT.png
// (PRESET: a size preset label to pick, or "" for none), or
//        kardomel-screenshot --options TAB OUTPUT.png
// for the options dialog on its tab number TAB (0 to 3), or
//        kardomel-screenshot --minimum FOLDER FILE PRESET OUTPUT.png
// for the window at its minimum size, or
//        kardomel-screenshot --splitting FOLDER FILE PRESET OUTPUT.png
// for the window in the middle of splitting FILE, which is then stopped.
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/gui/application.h"
#include "app/gui/frm_main.h"
#include "app/gui/shell_view.h"
#include "dialogs/frm_info.h"
#include "kardomel/version.h"

namespace {

// Lets the window work until Done holds or Millis have passed.
template <typename TDone>
bool WaitFor(TDone done, int millis) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < millis) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

}  // namespace

int main(int argc, char** argv) {
  // The program's application object: German texts and numbers as in the program.
  kardomel::TApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kardomel"));
  QApplication::setApplicationVersion(QString::fromLatin1(kardomel::kProgramVersion));
  if (argc == 4 && std::strcmp(argv[1], "--options") == 0) {
    kardomel::TFrmMain window;
    window.FormCreate({});
    kardomel::TFrmInfo& info = *window.FrmInfo();
    info.show();
    WaitFor([] { return false; }, 300);
    info.PageControl->setCurrentIndex(std::atoi(argv[2]));
    WaitFor([] { return false; }, 300);
    return info.grab().save(QString::fromUtf8(argv[3])) ? 0 : 1;
  }
  const bool minimum = argc == 6 && std::strcmp(argv[1], "--minimum") == 0;
  const bool splitting = argc == 6 && std::strcmp(argv[1], "--splitting") == 0;
  if (minimum || splitting) {
    ++argv;
    --argc;
  }
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s [--minimum|--splitting] FOLDER FILE PRESET OUTPUT.png\n",
                 argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const QString file = QString::fromUtf8(argv[2]);
  const QString preset = QString::fromUtf8(argv[3]);
  const QString output = QString::fromUtf8(argv[4]);

  kardomel::TFrmMain window;
  window.SetStartFolders(folder, folder);
  if (minimum)
    window.resize(window.minimumSize());
  else
    window.resize(900, 640);
  window.show();
  if (!WaitFor([&] { return window.LstSrc->SelectName(file); }, 10000)) {
    std::fprintf(stderr, "%s not found in %s\n", argv[2], argv[1]);
    return 1;
  }
  WaitFor([] { return false; }, 300);
  if (!preset.isEmpty()) {
    const int index = window.CbxDstSize->findText(preset);
    window.CbxDstSize->setCurrentIndex(index);
    emit window.CbxDstSize->activated(index);
  }
  WaitFor([] { return false; }, 700);
  if (splitting) {
    // The picture is taken from the copy's own event processing, a moment
    // after it began; the stop button then ends it without a report.
    bool saved = false;
    QTimer::singleShot(1500, &window, [&] {
      saved = window.grab().save(output);
      window.BtnCancel->click();
    });
    window.ActSplit->trigger();
    return saved ? 0 : 1;
  }
  if (!window.grab().save(output)) return 1;
  return 0;
}
