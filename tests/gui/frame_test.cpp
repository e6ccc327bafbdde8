// The main window's frame: help and manual open beside the program, through
// the window's opener, so that nothing starts during a test.
#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>
#include <string>
#include <vector>

#include "fakes/url_catcher.h"
#include "ui/desktop_launcher.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class FrameTest : public TWindowTest {};

TEST_F(FrameTest, HelpTopicsAndManualOpenBesideTheProgram) {
  TUrlCatcher catcher;
  window_->SetLauncher(&catcher);
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  static const struct {
    int tag;
    const char* fragment;
  } kTopics[] = {{0, "1"}, {1, "33"}, {2, "6"}};
  for (const auto& topic : kTopics) {
    catcher.Opened.clear();
    window_->BtnHelpClick(topic.tag);
    ASSERT_EQ(catcher.Opened.size(), 1u) << topic.tag;
    EXPECT_TRUE(catcher.Opened[0].isLocalFile()) << topic.tag;
    EXPECT_EQ(QFileInfo(catcher.Opened[0].toLocalFile()).fileName(), program + ".chm") << topic.tag;
    EXPECT_EQ(catcher.Opened[0].fragment(), topic.fragment) << topic.tag;
  }
  catcher.Opened.clear();
  window_->BtnPDFClick();
  ASSERT_EQ(catcher.Opened.size(), 1u);
  EXPECT_EQ(QFileInfo(catcher.Opened[0].toLocalFile()).fileName(), program + ".PDF");
}

}  // namespace
}  // namespace kardomel::testing
