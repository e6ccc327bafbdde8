// The pieces of the program's window look, usable by any top-level widget
// (TqelBaseForm uses them all; a QMainWindow can use them one by one).
#pragma once

#include <QColor>
#include <QObject>
#include <functional>

class QKeyEvent;
class QPainter;
class QWidget;

namespace kardomel {

// Top and bottom colour of the Office-2003 background gradient.
QColor Office2003GradientTop();
QColor Office2003GradientBottom();
// Fills Widget's whole rectangle with the vertical background gradient.
// Call from the widget's paint event.
void PaintOffice2003Background(QWidget& widget, QPainter& painter);
// Shrinks Window to the primary screen's size and moves it to left 0 / top 0
// when it would reach past the screen's right / bottom edge.
void FitToPrimaryScreen(QWidget& window);
// Gives every edit field under Window whose disabled background is the plain
// button-face colour the lighter grey 0xF0F0F0, as the Office look has it.
void LightenDisabledEdits(QWidget& window);

// Lets a window see every key pressed in it before its controls do, without
// taking the key from them. Installed on the application; forwards key
// presses whose target lies inside Window (and not in another top-level
// window) to OnKeyDown.
class TKeyPreview : public QObject {
  Q_OBJECT
 public:
  TKeyPreview(QWidget& window, std::function<void(QKeyEvent&)> onKeyDown);
  ~TKeyPreview() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<void(QKeyEvent&)> onKeyDown_;
  // The press last forwarded, to know it again on its way to the parents.
  const QEvent* pressSeen_ = nullptr;
  quint64 pressTime_ = 0;
  int pressKey_ = 0;
};

}  // namespace kardomel
