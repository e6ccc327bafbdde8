// TFrmDeleteFiles: what it lists, its refresh, its answers, and that it
// deletes nothing itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <functional>
#include <set>

#include "dialogs/frm_delete_files.h"
#include "modal_driver.h"
#include "ui/qt_interaction.h"

namespace kardomel {
namespace {

using test::Click;
using test::OnModal;
using test::PressKey;
using test::WaitFor;

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write("x");
}

// A medium with a file, a hidden file and a folder with a file inside.
class DeleteFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(medium_.isValid());
    Touch(Path("report.001"));
    Touch(Path(".hidden"));
    ASSERT_TRUE(QDir(medium_.path()).mkdir("Ordner"));
    Touch(Path("Ordner/inner.txt"));
  }
  QString Path(const QString& name) const { return medium_.path() + "/" + name; }
  QString Folder() const { return medium_.path() + "/"; }
  std::set<QString> OnDisk() const {
    std::set<QString> names;
    for (const QString& name : QDir(medium_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
      names.insert(name);
    names.insert(QDir(Path("Ordner")).entryList(QDir::Files).join(",").prepend("Ordner/"));
    return names;
  }

  QTemporaryDir medium_{QDir::tempPath() + "/kardomel-medium-XXXXXX"};
};

std::set<QString> Listed(const TFrmDeleteFiles& dialog) {
  std::set<QString> names;
  const QAbstractItemModel* model = dialog.ShellList->model();
  const QModelIndex root = dialog.ShellList->rootIndex();
  for (int row = 0; row < model->rowCount(root); ++row) names.insert(model->index(row, 0, root).data().toString());
  return names;
}

TEST_F(DeleteFilesTest, ListsHiddenFilesAndFoldersAndNamesTheFolder) {
  TFrmDeleteFiles dialog;
  dialog.SetFolder(Folder());
  dialog.show();
  const std::set<QString> expected{"report.001", ".hidden", "Ordner"};
  EXPECT_TRUE(WaitFor([&] { return Listed(dialog) == expected; }));
  EXPECT_EQ(dialog.LblConfirmation->text(),
            "Folgende Dateien/Ordner befinden sich auf " + Folder() + ". Sollen sie gelöscht werden?");
  EXPECT_EQ(dialog.ShellList->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(dialog.ShellList->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_TRUE(qobject_cast<QFileSystemModel*>(dialog.ShellList->model())->isReadOnly());
}

TEST_F(DeleteFilesTest, FormSettingsAndButtons) {
  TFrmDeleteFiles dialog;
  dialog.SetFolder(Folder());
  EXPECT_EQ(dialog.objectName(), "FrmDeleteFiles");
  EXPECT_TRUE(dialog.windowTitle().isEmpty());
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::CustomizeWindowHint);
  EXPECT_EQ(dialog.minimumSize(), QSize(371, 200));
  EXPECT_EQ(dialog.size(), QSize(550, 314));
  EXPECT_EQ(dialog.BtnYes->text(), "&Ja");
  EXPECT_EQ(dialog.BtnNo->text(), "&Nein");
  EXPECT_TRUE(dialog.BtnYes->isDefault());
  EXPECT_EQ(dialog.BtnAktualisieren->toolTip(), "Ansicht aktualisieren [F5]");
  EXPECT_FALSE(dialog.findChild<QLabel*>("Img")->pixmap().isNull());
  dialog.show();
  EXPECT_TRUE(WaitFor([&] { return dialog.focusWidget() == dialog.BtnYes; }));
}

// The list stops following the folder, so only the refresh can show a file
// that turns up later (as after a disk change in the drive).
TEST_F(DeleteFilesTest, RefreshShowsAFileCreatedAfterOpening) {
  const struct {
    const char* name;
    std::function<void(TFrmDeleteFiles&)> refresh;
  } cases[] = {
      {"F5 on the focused Ja", [](TFrmDeleteFiles& d) { PressKey(d, Qt::Key_F5); }},
      {"F5 in the list", [](TFrmDeleteFiles& d) { QTest::keyClick(d.ShellList, Qt::Key_F5); }},
      {"Shift+F5", [](TFrmDeleteFiles& d) { PressKey(d, Qt::Key_F5, Qt::ShiftModifier); }},
      {"button", [](TFrmDeleteFiles& d) { d.BtnAktualisieren->click(); }},
  };
  int round = 0;
  for (const auto& c : cases) {
    TFrmDeleteFiles dialog;
    dialog.SetFolder(Folder());
    dialog.show();
    ASSERT_TRUE(WaitFor([&] { return Listed(dialog).size() == 3 + size_t(round); })) << c.name;
    qobject_cast<QFileSystemModel*>(dialog.ShellList->model())->setOption(QFileSystemModel::DontWatchForChanges);
    const QString late = QString("late%1.txt").arg(++round);
    Touch(Path(late));
    c.refresh(dialog);
    EXPECT_TRUE(WaitFor([&] { return Listed(dialog).count(late) == 1; })) << c.name;
    EXPECT_EQ(Listed(dialog).size(), 3 + size_t(round)) << c.name;
  }
}

TEST_F(DeleteFilesTest, AnswersAndNothingIsDeletedByTheDialog) {
  const struct {
    const char* name;
    std::function<void(QDialog&)> answer;
    int expected;
  } cases[] = {
      {"Ja", [](QDialog& d) { Click(d, "BtnYes"); }, 6},
      {"Enter", [](QDialog& d) { PressKey(d, Qt::Key_Return); }, 6},
      {"Nein", [](QDialog& d) { Click(d, "BtnNo"); }, 7},
      {"Escape", [](QDialog& d) { PressKey(d, Qt::Key_Escape); }, 7},
      {"Escape in the list", [](QDialog& d) { QTest::keyClick(d.findChild<QTreeView*>("ShellList"), Qt::Key_Escape); }, 7},
      {"close box", [](QDialog& d) { d.close(); }, 2},
  };
  const std::set<QString> before = OnDisk();
  for (const auto& c : cases) {
    TFrmDeleteFiles dialog;
    dialog.SetFolder(Folder());
    OnModal(c.answer);
    EXPECT_EQ(dialog.exec(), c.expected) << c.name;
    EXPECT_EQ(OnDisk(), before) << c.name;
  }
}

TEST_F(DeleteFilesTest, JaGoesBackToTheOfferedFolderAndSelectsAll) {
  TFrmDeleteFiles dialog;
  dialog.SetFolder(Folder());
  OnModal([&](QDialog&) {
    WaitFor([&] { return Listed(dialog).size() == 3; });
    dialog.SetFolder(Path("Ordner"));  // the user wandered off
    Click(dialog, "BtnYes");
  });
  EXPECT_EQ(dialog.exec(), mrYes);
  EXPECT_EQ(dialog.Folder(), Folder());
  EXPECT_TRUE(WaitFor([&] { return Listed(dialog).size() == 3; }));
  EXPECT_TRUE(WaitFor([&] { return dialog.ShellList->selectionModel()->selectedRows().size() == 3; }));
}

TEST_F(DeleteFilesTest, TheInteractionAsksThroughTheDialog) {
  TQtInteraction ui(nullptr, ConfirmDeleteFilesDialog);
  const struct {
    const char* button;
    bool expected;
  } cases[] = {{"BtnYes", true}, {"BtnNo", false}};
  for (const auto& c : cases) {
    QString offered;
    OnModal([&](QDialog& dialog) {
      offered = qobject_cast<TFrmDeleteFiles*>(&dialog)->Folder();
      Click(dialog, c.button);
    });
    EXPECT_EQ(ui.ConfirmDeleteFiles(Folder().toStdString()), c.expected) << c.button;
    EXPECT_EQ(offered, Folder()) << c.button;
  }
  EXPECT_FALSE(TQtInteraction(nullptr).ConfirmDeleteFiles(Folder().toStdString()));
}

}  // namespace
}  // namespace kardomel
