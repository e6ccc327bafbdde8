// TLedGauge: the status bar's progress gauge in the look of a row of LED
// segments, with its position written over it as text.
#pragma once

#include <QWidget>

namespace kardomel {

class TLedGauge : public QWidget {
  Q_OBJECT
 public:
  explicit TLedGauge(QWidget* parent = nullptr);

  int MaxValue() const { return max_; }
  int Progress() const { return position_; }
  // Sets the maximum (at least 0); the position is clipped to it.
  void SetMaxValue(int max);
  // Sets the position, clipped to 0..MaxValue, and repaints.
  void SetProgress(int position);
  // The text drawn over the segments: the position, empty at 0.
  QString Text() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int max_ = 100;
  int position_ = 0;
};

}  // namespace kardomel
