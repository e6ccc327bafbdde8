// TTaskDialog: a modal message window in the manner of a task dialog: an
// icon, a bold instruction, the content below it, an optional edit field,
// command-link buttons and standard buttons. exec() returns the result of
// the button pressed; Escape and the close box give mrCancel (2).
#pragma once

#include <QDialog>
#include <QStyle>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kardomel {

class TTaskDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TTaskDialog(QWidget* parent = nullptr);

  void SetInstruction(const QString& text);   // hidden while empty
  void SetContent(const QString& text);       // plain text, '\n' breaks
  void SetIcon(QStyle::StandardPixmap icon);
  // Adds an edit field preset with Text (objectName "EdtInput").
  void SetInput(const QString& text);
  // The edit field's text; empty without an edit field.
  QString InputText() const;
  // Adds a command link (large button with a title) closing with Result.
  QPushButton* AddCommandLink(const QString& text, int result, const QString& objectName);
  // Adds a standard button at the bottom right closing with Result.
  QPushButton* AddButton(const QString& text, int result, const QString& objectName);
  // Makes Button the default button and gives it the focus when shown.
  void SetDefault(QPushButton* button);

  QLabel* Instruction() const { return instruction_; }
  QLabel* Content() const { return content_; }

 public slots:
  void reject() override;  // Escape and close box: mrCancel

 private:
  QPushButton* AddResultButton(QPushButton* button, int result, const QString& objectName);

  QLabel* icon_;
  QLabel* instruction_;
  QLabel* content_;
  QLineEdit* input_ = nullptr;
  QBoxLayout* textColumn_;
  QBoxLayout* links_;
  QBoxLayout* buttons_;
};

}  // namespace kardomel
