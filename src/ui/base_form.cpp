#include "ui/base_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "ui/form_look.h"

namespace kardomel {

TqelBaseForm::TqelBaseForm(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
  // The gradient depends on the height: a resize must repaint everything,
  // and children are painted over it, never under it.
  setAttribute(Qt::WA_StaticContents, false);
  setAttribute(Qt::WA_OpaquePaintEvent, true);
}

TqelBaseForm::~TqelBaseForm() = default;

void TqelBaseForm::SetKeyPreview(bool on) {
  if (on == KeyPreview()) return;
  if (on)
    keyPreview_ = std::make_unique<TKeyPreview>(*this, [this](QKeyEvent& key) { FormKeyDown(key); });
  else
    keyPreview_.reset();
}

void TqelBaseForm::CenterOnPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = frameGeometry();
  QRect client = geometry();
  const QPoint frameToClient = client.topLeft() - frame.topLeft();
  frame.moveCenter(screen->availableGeometry().center());
  client.moveTopLeft(frame.topLeft() + frameToClient);
  setGeometry(client);
}

void TqelBaseForm::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintOffice2003Background(*this, painter);
}

void TqelBaseForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FitToPrimaryScreen(*this);
  LightenDisabledEdits(*this);
}

bool TqelBaseForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && FFirstActivate) {
    FFirstActivate = false;
    FirstActivate();
  }
  return QDialog::event(event);
}

}  // namespace kardomel
