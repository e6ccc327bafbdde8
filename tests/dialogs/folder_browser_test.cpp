// The folder browser "Ordner auswählen" behind TQtInteraction::BrowseFolder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include "modal_driver.h"
#include "ui/qt_interaction.h"

namespace kardomel {
namespace {

using test::OnModal;

TEST(FolderBrowser, TitleLabelAndPreset) {
  QTemporaryDir root(QDir::tempPath() + "/kardomel-browse-XXXXXX");
  ASSERT_TRUE(QDir(root.path()).mkpath("Ziel"));
  const QString preset = root.path() + "/Ziel";
  OnModal([&](QDialog& dialog) {
    auto* browser = qobject_cast<QFileDialog*>(&dialog);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->objectName(), "DlgFolderBrowser");
    EXPECT_EQ(browser->windowTitle(), "Ordner auswählen");
    EXPECT_EQ(browser->labelText(QFileDialog::LookIn), "Aktueller Ordner");
    EXPECT_TRUE(browser->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(browser->fileMode(), QFileDialog::Directory);
    EXPECT_EQ(browser->directory().absolutePath(), preset);
    browser->reject();
  });
  std::string chosen = "unverändert";
  EXPECT_FALSE(TQtInteraction(nullptr).BrowseFolder(preset.toStdString(), chosen));
  EXPECT_EQ(chosen, "unverändert");
}

TEST(FolderBrowser, ConfirmedFolderIsReturnedAndShownFirstNextTime) {
  QTemporaryDir root(QDir::tempPath() + "/kardomel-browse-XXXXXX");
  ASSERT_TRUE(QDir(root.path()).mkpath("A/B"));
  TQtInteraction ui(nullptr);
  OnModal([&](QDialog& dialog) {
    auto* browser = qobject_cast<QFileDialog*>(&dialog);
    // Typed into the name field as a user would: picking it in the list
    // depends on when the dialog's background listing has read the folder.
    auto* name = browser->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(root.path() + "/A/B");
    static_cast<QDialog*>(browser)->accept();  // as the dialog's OK button does
  });
  std::string chosen;
  ASSERT_TRUE(ui.BrowseFolder(root.path().toStdString(), chosen));
  EXPECT_EQ(chosen, (root.path() + "/A/B").toStdString());

  // Without a preset the browser opens where the user was last.
  QString shown;
  OnModal([&](QDialog& dialog) {
    shown = qobject_cast<QFileDialog*>(&dialog)->directory().absolutePath();
    dialog.reject();
  });
  EXPECT_FALSE(ui.BrowseFolder("", chosen));
  EXPECT_EQ(shown, root.path() + "/A/B");
}

}  // namespace
}  // namespace kardomel
