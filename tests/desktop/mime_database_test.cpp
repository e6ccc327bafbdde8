// The MIME type as the program's own file-type checks see it: after the
// integration and update-mime-database, QMimeDatabase names X.KDM (any
// letter case) application/x-kardomel-kdm, a kind of text/plain. Runs in a
// process of its own, since QMimeDatabase reads the folders only once.
#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <cstdlib>

#include "delivery/desktop/shell_integration.h"
#include "fakes/temp_folder.h"

namespace kardomel::testing {
namespace {

TEST(MimeDatabase, NamesTheTypeOfADescriptorFile) {
  if (Shell("command -v update-mime-database >/dev/null") != 0)
    GTEST_SKIP() << "update-mime-database (shared-mime-info) not installed";
  TTempFolder home;
  TShellPaths paths{home / "data/", home / "config/"};
  ::setenv("XDG_DATA_HOME", paths.DataHome.c_str(), 1);
  ::setenv("XDG_DATA_DIRS", "/usr/share", 1);
  TPosixLauncher launcher;
  ASSERT_TRUE(ApplyShellIntegration(true, "/usr/bin/kardomel", launcher, paths));
  ASSERT_TRUE(FileExists(paths.DataHome + "mime/mime.cache"));

  QMimeDatabase database;
  for (const char* name : {"X.KDM", "x.kdm", "Bericht.Kdm"}) {
    const QMimeType type = database.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    EXPECT_EQ(type.name().toStdString(), "application/x-kardomel-kdm") << name;
    EXPECT_TRUE(type.inherits("text/plain")) << name;
  }
  EXPECT_EQ(database.mimeTypeForFile("X.001", QMimeDatabase::MatchExtension).name().toStdString(),
            "application/octet-stream");
}

}  // namespace
}  // namespace kardomel::testing
