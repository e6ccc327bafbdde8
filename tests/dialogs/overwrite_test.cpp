// The join's overwrite question: two command links and no standard buttons.
#include <gtest/gtest.h>

#include <QCommandLinkButton>
#include <QLabel>
#include <functional>

#include "modal_driver.h"
#include "ui/qt_interaction.h"

namespace kardomel {
namespace {

using test::Click;
using test::OnModal;
using test::PressKey;

TEST(OverwriteQuestion, TextsAndTheTwoCommandLinks) {
  OnModal([](QDialog& dialog) {
    EXPECT_EQ(dialog.objectName(), "DlgOverwrite");
    EXPECT_EQ(dialog.windowTitle(), "Bestätigen");
    EXPECT_EQ(dialog.findChild<QLabel*>("LblInstruction")->text(), "Datei bereits vorhanden.");
    EXPECT_EQ(dialog.findChild<QLabel*>("LblContent")->text(),
              "Wollen Sie die bestehende Datei /tmp/Bericht 100%.pdf überschreiben?");
    EXPECT_FALSE(dialog.findChild<QLabel*>("ImgIcon")->pixmap().isNull());
    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    for (QPushButton* button : buttons)
      EXPECT_NE(qobject_cast<QCommandLinkButton*>(button), nullptr) << button->objectName().toStdString();
    auto* overwrite = dialog.findChild<QCommandLinkButton*>("BtnOverwrite");
    auto* keep = dialog.findChild<QCommandLinkButton*>("BtnKeep");
    ASSERT_NE(overwrite, nullptr);
    ASSERT_NE(keep, nullptr);
    EXPECT_EQ(overwrite->text(), "Ja, Datei überschreiben.");
    EXPECT_EQ(keep->text(), "Nein, Datei nicht überschreiben.");
    EXPECT_TRUE(overwrite->isDefault());
    EXPECT_FALSE(keep->isDefault());
    dialog.done(mrKeep);
  });
  TQtInteraction(nullptr).AskOverwrite("/tmp/Bericht 100%.pdf");
}

TEST(OverwriteQuestion, Results) {
  const struct {
    const char* name;
    std::function<void(QDialog&)> answer;
    int expected;
  } cases[] = {
      {"overwrite", [](QDialog& d) { Click(d, "BtnOverwrite"); }, 100},
      {"keep", [](QDialog& d) { Click(d, "BtnKeep"); }, 101},
      {"Enter takes the default", [](QDialog& d) { PressKey(d, Qt::Key_Return); }, 100},
      {"Escape", [](QDialog& d) { PressKey(d, Qt::Key_Escape); }, 2},
      {"close box", [](QDialog& d) { d.close(); }, 2},
  };
  for (const auto& c : cases) {
    OnModal(c.answer);
    EXPECT_EQ(TQtInteraction(nullptr).AskOverwrite("/tmp/a.doc"), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace kardomel
