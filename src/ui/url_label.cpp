#include "ui/url_label.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPalette>

namespace kardomel {

TUrlLbl::TUrlLbl(const QString& text, QWidget* parent) : QLabel(text, parent) {
  // The family and size stay the application's: the classic 8-point system
  // font of the original look is not installed here and Qt would substitute
  // an arbitrary one.
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  setCursor(Qt::PointingHandCursor);
  SetFontColor(colorNormal_);
}

QColor TUrlLbl::FontColor() const { return palette().color(QPalette::WindowText); }

void TUrlLbl::SetFontColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, color);
  // Disabled too, so that the colour rules hold whatever the parent's state.
  p.setColor(QPalette::Disabled, QPalette::WindowText, color);
  setPalette(p);
}

void TUrlLbl::SetActiveLbl(bool active) {
  activeLbl_ = active;
  SetFontColor(active ? colorActive_ : colorNormal_);
}

void TUrlLbl::SetFontColorActiveLbl(const QColor& color) {
  if (color == colorActive_) return;
  colorActive_ = color;
  update();
}

void TUrlLbl::SetFontColorMouseDown(const QColor& color) {
  if (color == colorDown_) return;
  colorDown_ = color;
  update();
}

void TUrlLbl::SetFontColorMouseMove(const QColor& color) {
  if (color == colorMove_) return;
  colorMove_ = color;
  update();
}

void TUrlLbl::enterEvent(QEnterEvent* event) {
  mouseInside_ = true;
  SetFontColor(activeLbl_ ? colorActive_ : colorMove_);
  QLabel::enterEvent(event);
}

void TUrlLbl::leaveEvent(QEvent* event) {
  mouseInside_ = false;
  SetFontColor(activeLbl_ ? colorActive_ : colorNormal_);
  QLabel::leaveEvent(event);
}

void TUrlLbl::mousePressEvent(QMouseEvent* event) {
  SetFontColor(colorDown_);
  QLabel::mousePressEvent(event);
}

void TUrlLbl::mouseReleaseEvent(QMouseEvent* event) {
  SetFontColor(mouseInside_ ? colorMove_ : colorNormal_);
  if (activeLbl_) SetFontColor(colorActive_);
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace kardomel
