// TUrlLbl: a link label. Blue underlined text with the hand cursor whose
// colour follows the mouse: FontColorMouseMove while the pointer is over it,
// FontColorMouseDown while a button is held, FontColorActiveLbl whenever
// ActiveLbl is set. The label does nothing on a click by itself; the form
// connects clicked() to its handler.
#pragma once

#include <QColor>
#include <QLabel>

namespace kardomel {

class TUrlLbl : public QLabel {
  Q_OBJECT
  Q_PROPERTY(bool ActiveLbl READ ActiveLbl WRITE SetActiveLbl)
  Q_PROPERTY(QColor FontColorActiveLbl READ FontColorActiveLbl WRITE SetFontColorActiveLbl)
  Q_PROPERTY(QColor FontColorMouseDown READ FontColorMouseDown WRITE SetFontColorMouseDown)
  Q_PROPERTY(QColor FontColorMouseMove READ FontColorMouseMove WRITE SetFontColorMouseMove)

 public:
  explicit TUrlLbl(const QString& text = {}, QWidget* parent = nullptr);

  bool ActiveLbl() const { return activeLbl_; }
  void SetActiveLbl(bool active);
  QColor FontColorActiveLbl() const { return colorActive_; }
  void SetFontColorActiveLbl(const QColor& color);
  QColor FontColorMouseDown() const { return colorDown_; }
  void SetFontColorMouseDown(const QColor& color);
  QColor FontColorMouseMove() const { return colorMove_; }
  void SetFontColorMouseMove(const QColor& color);

  // The colour the text is drawn in now.
  QColor FontColor() const;

 signals:
  // A left button released over the label.
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetFontColor(const QColor& color);

  bool activeLbl_ = false;
  bool mouseInside_ = false;
  QColor colorActive_ = QColor(128, 0, 128);  // purple
  QColor colorDown_ = Qt::white;
  QColor colorMove_ = Qt::red;
  // The colour the label returns to when the mouse has gone.
  QColor colorNormal_ = Qt::blue;
};

}  // namespace kardomel
