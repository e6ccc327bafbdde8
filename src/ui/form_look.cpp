#include "ui/form_look.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

namespace kardomel {

// The light blue of the Office-2003 form background, fading downwards.
QColor Office2003GradientTop() { return QColor(227, 239, 255); }
QColor Office2003GradientBottom() { return QColor(175, 208, 247); }

void PaintOffice2003Background(QWidget& widget, QPainter& painter) {
  QLinearGradient gradient(0, 0, 0, widget.height());
  gradient.setColorAt(0, Office2003GradientTop());
  gradient.setColorAt(1, Office2003GradientBottom());
  painter.fillRect(widget.rect(), gradient);
}

void FitToPrimaryScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QSize area = screen->size();
  // The outer frame counts, as a user sees it; the frame's extra size is
  // what the window is bigger than its client area.
  const QSize extra = window.frameGeometry().size() - window.size();
  if (window.frameGeometry().width() > area.width())
    window.resize(std::max(0, area.width() - extra.width()), window.height());
  if (window.frameGeometry().height() > area.height())
    window.resize(window.width(), std::max(0, area.height() - extra.height()));
  QPoint pos = window.pos();
  const QRect frame = window.frameGeometry();
  if (frame.left() + frame.width() > area.width()) pos.setX(0);
  if (frame.top() + frame.height() > area.height()) pos.setY(0);
  if (pos != window.pos()) window.move(pos);
}

namespace {

void Lighten(QWidget& edit) {
  QPalette palette = edit.palette();
  const QColor buttonFace = palette.color(QPalette::Active, QPalette::Button);
  const QColor windowFace = palette.color(QPalette::Active, QPalette::Window);
  const QColor disabled = palette.color(QPalette::Disabled, QPalette::Base);
  if (disabled != buttonFace && disabled != windowFace) return;
  palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
  edit.setPalette(palette);
}

}  // namespace

void LightenDisabledEdits(QWidget& window) {
  for (QLineEdit* edit : window.findChildren<QLineEdit*>()) Lighten(*edit);
  for (QAbstractSpinBox* edit : window.findChildren<QAbstractSpinBox*>()) Lighten(*edit);
  for (QComboBox* edit : window.findChildren<QComboBox*>()) Lighten(*edit);
  for (QTextEdit* edit : window.findChildren<QTextEdit*>()) Lighten(*edit);
  for (QPlainTextEdit* edit : window.findChildren<QPlainTextEdit*>()) Lighten(*edit);
}

TKeyPreview::TKeyPreview(QWidget& window, std::function<void(QKeyEvent&)> onKeyDown)
    : window_(window), onKeyDown_(std::move(onKeyDown)) {
  qApp->installEventFilter(this);
}

TKeyPreview::~TKeyPreview() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

bool TKeyPreview::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType())
    return false;
  auto* target = static_cast<QWidget*>(watched);
  if (target->window() != &window_) return false;
  if (type == QEvent::KeyRelease) {
    pressSeen_ = nullptr;
    return false;
  }
  // A key the focused control leaves alone travels on to its parents as the
  // same event, and the command it ran may have moved or cleared the focus
  // meanwhile (a modal dialog takes it, the window gets it back only when
  // the window manager activates it again). So the form tells the press by
  // the event itself, not by where the focus is now: it sees each press
  // once, at its first receiver, and forgets it at the key's release.
  auto* key = static_cast<QKeyEvent*>(event);
  if (key == pressSeen_ && key->timestamp() == pressTime_ && key->key() == pressKey_)
    return false;
  pressSeen_ = key;
  pressTime_ = key->timestamp();
  pressKey_ = key->key();
  onKeyDown_(*key);
  return false;
}

}  // namespace kardomel
