// The message dialog and the input query of TQtInteraction: titles, icons,
// buttons, default button and the results the engine relies on.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "modal_driver.h"
#include "ui/qt_interaction.h"

namespace kardomel {
namespace {

using test::Click;
using test::OnModal;
using test::PressKey;

// The buttons of a dialog, left to right, as "name=text".
std::vector<std::string> ButtonsOf(QDialog& dialog) {
  std::vector<std::pair<int, std::string>> found;
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    found.emplace_back(button->mapTo(&dialog, QPoint(0, 0)).x(),
                       button->objectName().toStdString() + "=" + button->text().toStdString());
  std::sort(found.begin(), found.end());
  std::vector<std::string> names;
  for (auto& [x, name] : found) names.push_back(name);
  return names;
}

std::string DefaultOf(QDialog& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->isDefault()) return button->objectName().toStdString();
  return "";
}

bool ShowsIcon(QDialog& dialog, QStyle::StandardPixmap icon) {
  auto* label = dialog.findChild<QLabel*>("ImgIcon");
  if (label == nullptr || label->pixmap().isNull()) return false;
  const QPixmap shown = label->pixmap();
  return shown.toImage() ==
         dialog.style()->standardIcon(icon, nullptr, &dialog).pixmap(shown.size()).toImage();
}

TEST(MessageDialog, KindSetsTitleAndIconButtonsAndDefault) {
  const struct {
    const char* name;
    TMsgKind kind;
    unsigned buttons;
    const char* title;
    QStyle::StandardPixmap icon;
    std::vector<std::string> shown;
    const char* defaultButton;
  } cases[] = {
      {"warning", TMsgKind::Warning, mbOK, "Warnung", QStyle::SP_MessageBoxWarning, {"BtnOk=OK"}, "BtnOk"},
      {"error", TMsgKind::Error, mbOK, "Fehler", QStyle::SP_MessageBoxCritical, {"BtnOk=OK"}, "BtnOk"},
      {"next disk", TMsgKind::Information, mbOK | mbCancel, "Informationen",
       QStyle::SP_MessageBoxInformation, {"BtnOk=OK", "BtnCancel=Abbrechen"}, "BtnOk"},
      {"yes no", TMsgKind::Confirmation, mbYes | mbNo, "Bestätigen", QStyle::SP_MessageBoxQuestion,
       {"BtnYes=&Ja", "BtnNo=&Nein"}, "BtnYes"},
      {"yes cancel", TMsgKind::Confirmation, mbCancel | mbYes, "Bestätigen",
       QStyle::SP_MessageBoxQuestion, {"BtnYes=&Ja", "BtnCancel=Abbrechen"}, "BtnYes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool seen = false;
    OnModal([&](QDialog& dialog) {
      seen = true;
      EXPECT_EQ(dialog.objectName(), "DlgMessage") << c.name;
      EXPECT_EQ(dialog.windowTitle().toStdString(), c.title) << c.name;
      EXPECT_TRUE(ShowsIcon(dialog, c.icon)) << c.name;
      EXPECT_EQ(ButtonsOf(dialog), c.shown) << c.name;
      EXPECT_EQ(DefaultOf(dialog), c.defaultButton) << c.name;
      dialog.done(mrOk);
    });
    TQtInteraction(nullptr).ShowMessageDialog("Kopf", "Text", c.kind, c.buttons);
    EXPECT_TRUE(seen) << c.name;
  }
}

TEST(MessageDialog, ResultOfEveryWayToCloseIt) {
  const unsigned all = mbYes | mbNo | mbOK | mbCancel;
  const struct {
    const char* name;
    unsigned buttons;
    std::function<void(QDialog&)> answer;
    int expected;
  } cases[] = {
      {"Ja", all, [](QDialog& d) { Click(d, "BtnYes"); }, 6},
      {"Nein", all, [](QDialog& d) { Click(d, "BtnNo"); }, 7},
      {"OK", all, [](QDialog& d) { Click(d, "BtnOk"); }, 1},
      {"Abbrechen", all, [](QDialog& d) { Click(d, "BtnCancel"); }, 2},
      {"Enter takes Yes", mbYes | mbNo, [](QDialog& d) { PressKey(d, Qt::Key_Return); }, 6},
      {"Enter takes OK", mbOK | mbCancel, [](QDialog& d) { PressKey(d, Qt::Key_Return); }, 1},
      {"Escape without Cancel", mbOK, [](QDialog& d) { PressKey(d, Qt::Key_Escape); }, 2},
      {"Escape with Yes No", mbYes | mbNo, [](QDialog& d) { PressKey(d, Qt::Key_Escape); }, 2},
      {"close box", mbYes | mbNo, [](QDialog& d) { d.close(); }, 2},
  };
  for (const auto& c : cases) {
    OnModal(c.answer);
    EXPECT_EQ(TQtInteraction(nullptr).ShowMessageDialog("Kopf", "Text", TMsgKind::Confirmation, c.buttons),
              c.expected)
        << c.name;
  }
}

TEST(MessageDialog, InstructionIsABoldHeadingAndContentBreaksAtCarriageReturn) {
  OnModal([](QDialog& dialog) {
    auto* instruction = dialog.findChild<QLabel*>("LblInstruction");
    auto* content = dialog.findChild<QLabel*>("LblContent");
    ASSERT_NE(instruction, nullptr);
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(instruction->text(), "Hinweis!");
    EXPECT_TRUE(instruction->font().bold());
    EXPECT_FALSE(content->font().bold());
    EXPECT_EQ(content->text(),
              "Sie können keine weiteren Teildateien nach /mnt/<a>/ splitten.\n"
              "Möchten Sie den Zielordner wechseln?");
    // A path is shown as it stands, never read as markup.
    EXPECT_EQ(content->textFormat(), Qt::PlainText);
    dialog.done(mrNo);
  });
  TQtInteraction(nullptr).ShowMessageDialog(
      "Hinweis!",
      "Sie können keine weiteren Teildateien nach /mnt/<a>/ splitten.\rMöchten Sie den Zielordner wechseln?",
      TMsgKind::Confirmation, mbYes | mbNo);
}

TEST(MessageDialog, OpensOverTheActiveModalWindow) {
  QDialog outer;
  outer.setObjectName("Outer");
  QWidget* parentSeen = nullptr;
  OnModal([&](QDialog& first) {
    EXPECT_EQ(&first, &outer);
    OnModal([&](QDialog& message) {
      parentSeen = message.parentWidget();
      message.done(mrOk);
    });
    TQtInteraction(nullptr).ShowMessageDialog("Verzeichnis ungültig.", "x", TMsgKind::Error, mbOK);
    first.done(0);
  });
  outer.exec();
  EXPECT_EQ(parentSeen, &outer);
}

TEST(InputQuery, TextReceivesTheFieldInEitherCase) {
  const struct {
    const char* name;
    const char* button;
    bool expected;
  } cases[] = {{"OK", "BtnOk", true}, {"Abbrechen", "BtnCancel", false}};
  for (const auto& c : cases) {
    std::string text = "geheim";
    OnModal([&](QDialog& dialog) {
      EXPECT_EQ(dialog.objectName(), "DlgInputQuery") << c.name;
      EXPECT_EQ(dialog.windowTitle(), "Passwort") << c.name;
      EXPECT_EQ(dialog.findChild<QLabel*>("LblContent")->text(), "Bitte Passwort eingeben:") << c.name;
      auto* edit = dialog.findChild<QLineEdit*>("EdtInput");
      ASSERT_NE(edit, nullptr) << c.name;
      EXPECT_EQ(edit->text(), "geheim") << c.name;
      edit->setText("neu");
      Click(dialog, c.button);
    });
    EXPECT_EQ(TQtInteraction(nullptr).ShowInputQuery("Passwort", "Bitte Passwort eingeben:", text), c.expected)
        << c.name;
    EXPECT_EQ(text, "neu") << c.name;
  }
}

TEST(InputQuery, EnterConfirmsTheTypedText) {
  std::string text;
  OnModal([](QDialog& dialog) {
    QTest::keyClicks(dialog.findChild<QLineEdit*>("EdtInput"), "abc");
    PressKey(dialog, Qt::Key_Return);
  });
  EXPECT_TRUE(TQtInteraction(nullptr).ShowInputQuery("Archiv", "Name:", text));
  EXPECT_EQ(text, "abc");
}

}  // namespace
}  // namespace kardomel
