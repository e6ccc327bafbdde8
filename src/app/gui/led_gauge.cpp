#include "app/gui/led_gauge.h"

#include <QPainter>

namespace kardomel {

namespace {
constexpr int kSegmentWidth = 6;
constexpr int kSegmentGap = 2;
}  // namespace

TLedGauge::TLedGauge(QWidget* parent) : QWidget(parent) {
  setMinimumWidth(60);
}

void TLedGauge::SetMaxValue(int max) {
  max_ = max < 0 ? 0 : max;
  if (position_ > max_) position_ = max_;
  update();
}

void TLedGauge::SetProgress(int position) {
  position_ = position < 0 ? 0 : (position > max_ ? max_ : position);
  update();
}

QString TLedGauge::Text() const {
  return position_ == 0 ? QString() : QString::number(position_);
}

QSize TLedGauge::sizeHint() const {
  return {200, 15};
}

void TLedGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(frame, QColor(0x20, 0x20, 0x20));
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(frame);

  const QRect inner = frame.adjusted(2, 2, -1, -1);
  const int count = qMax(1, (inner.width() + kSegmentGap) / (kSegmentWidth + kSegmentGap));
  const int lit = max_ > 0 ? static_cast<int>(static_cast<qint64>(count) * position_ / max_) : 0;
  for (int i = 0; i < count; ++i) {
    QRect segment(inner.left() + i * (kSegmentWidth + kSegmentGap), inner.top(), kSegmentWidth,
                  inner.height());
    painter.fillRect(segment, i < lit ? QColor(0x30, 0xe0, 0x30) : QColor(0x10, 0x40, 0x10));
  }
  const QString text = Text();
  if (!text.isEmpty()) {
    painter.setPen(Qt::white);
    painter.drawText(frame, Qt::AlignCenter, text);
  }
}

}  // namespace kardomel
