#include "ui/task_dialog.h"

#include <QBoxLayout>
#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/interaction.h"

namespace kardomel {

TTaskDialog::TTaskDialog(QWidget* parent) : QDialog(parent) {
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  icon_ = new QLabel(this);
  icon_->setObjectName("ImgIcon");
  icon_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  icon_->hide();

  instruction_ = new QLabel(this);
  instruction_->setObjectName("LblInstruction");
  instruction_->setTextFormat(Qt::PlainText);
  instruction_->setWordWrap(true);
  QFont heading = instruction_->font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.25);
  instruction_->setFont(heading);
  instruction_->hide();

  // Paths in messages are long: the content wraps and can be selected so
  // that a user can copy a file name out of it.
  content_ = new QLabel(this);
  content_->setObjectName("LblContent");
  content_->setTextFormat(Qt::PlainText);
  content_->setWordWrap(true);
  content_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  content_->setMinimumWidth(320);

  textColumn_ = new QVBoxLayout;
  textColumn_->addWidget(instruction_);
  textColumn_->addWidget(content_);
  links_ = new QVBoxLayout;
  textColumn_->addLayout(links_);
  textColumn_->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(icon_, 0, Qt::AlignTop);
  top->addLayout(textColumn_, 1);

  buttons_ = new QHBoxLayout;
  buttons_->addStretch();

  auto* main = new QVBoxLayout(this);
  main->addLayout(top, 1);
  main->addLayout(buttons_);
  main->setSizeConstraint(QLayout::SetMinimumSize);
}

void TTaskDialog::SetInstruction(const QString& text) {
  instruction_->setText(text);
  instruction_->setVisible(!text.isEmpty());
}

void TTaskDialog::SetContent(const QString& text) { content_->setText(text); }

void TTaskDialog::SetIcon(QStyle::StandardPixmap icon) {
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon_->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(size, size));
  icon_->show();
}

void TTaskDialog::SetInput(const QString& text) {
  if (input_ == nullptr) {
    input_ = new QLineEdit(this);
    input_->setObjectName("EdtInput");
    textColumn_->insertWidget(2, input_);
  }
  input_->setText(text);
  input_->selectAll();
  input_->setFocus();
}

QString TTaskDialog::InputText() const { return input_ != nullptr ? input_->text() : QString(); }

QPushButton* TTaskDialog::AddCommandLink(const QString& text, int result, const QString& objectName) {
  auto* link = new QCommandLinkButton(text, this);
  links_->addWidget(link);
  return AddResultButton(link, result, objectName);
}

QPushButton* TTaskDialog::AddButton(const QString& text, int result, const QString& objectName) {
  auto* button = new QPushButton(text, this);
  buttons_->addWidget(button);
  return AddResultButton(button, result, objectName);
}

QPushButton* TTaskDialog::AddResultButton(QPushButton* button, int result, const QString& objectName) {
  button->setObjectName(objectName);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
  return button;
}

void TTaskDialog::SetDefault(QPushButton* button) {
  for (QPushButton* other : findChildren<QPushButton*>()) other->setDefault(false);
  button->setDefault(true);
  if (input_ == nullptr) button->setFocus();
}

void TTaskDialog::reject() { done(mrCancel); }

}  // namespace kardomel
