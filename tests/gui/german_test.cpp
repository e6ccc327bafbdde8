// The window in German whatever the process locale: ctest runs these under
// LC_ALL=C, where Qt on its own writes English texts and "79,836,737,536".
#include <QDateTime>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QComboBox>
#include <memory>

#include "app/gui/shell_view.h"
#include "ui/german_locale.h"
#include "window_fixture.h"

namespace kardomel::testing {
namespace {

class GermanTest : public TWindowTest {};

TEST_F(GermanTest, NumbersSizesAndDatesAreGerman) {
  env_.SetFreeSpace(temp_.Path(), 79836737536);
  WriteFile(temp_ / "film.avi", PatternBytes(5000000));
  Open();
  EXPECT_EQ(window_->LblSrcDiskFree->text(), "79.836.737.536 Bytes frei");
  Select({"film.avi"});
  QAbstractItemModel* model = window_->LstSrc->model();
  const QModelIndex name = window_->LstSrc->currentIndex().siblingAtColumn(0);
  ASSERT_EQ(name.data().toString(), "film.avi");
  EXPECT_EQ(name.siblingAtColumn(1).data().toString(), "4,77 MiB");
  const QDateTime modified = window_->LstSrc->Model()->lastModified(name);
  EXPECT_EQ(name.siblingAtColumn(3).data().toString(),
            GermanLocale().toString(modified, QLocale::ShortFormat));
  EXPECT_TRUE(name.siblingAtColumn(3).data().toString().contains('.'));  // 11.12.26 18:30
  EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Geändert am");
}

TEST_F(GermanTest, QtsOwnTextsAreGerman) {
  ASSERT_TRUE(QLocale().language() == QLocale::German);
  Open();
  std::unique_ptr<QMenu> menu(window_->CbxDstSize->lineEdit()->createStandardContextMenu());
  QStringList texts;
  for (QAction* action : menu->actions()) texts << action->text();
  EXPECT_TRUE(texts.join('|').contains("Einf&ügen")) << texts.join(", ").toStdString()
                                             << " (translations in "
                                             << QtTranslationsFolder().toStdString() << ")";
  EXPECT_FALSE(texts.join('|').contains("&Paste"));
}

}  // namespace
}  // namespace kardomel::testing
