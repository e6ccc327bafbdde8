// TqelBaseForm: the common base of the program's own dialogs. It paints the
// Office-2003 gradient behind its controls, keeps itself on the primary
// screen when shown, lightens disabled edit fields, calls FirstActivate once
// at the first activation and, with key preview on, passes every key pressed
// in the form to FormKeyDown before the focused control gets it.
#pragma once

#include <QDialog>
#include <memory>

namespace kardomel {

class TKeyPreview;

class TqelBaseForm : public QDialog {
  Q_OBJECT
 public:
  explicit TqelBaseForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
  ~TqelBaseForm() override;

  // Turns key preview on or off (off after construction).
  void SetKeyPreview(bool on);
  bool KeyPreview() const { return keyPreview_ != nullptr; }

 protected:
  // Called once, at the form's first activation. Empty here.
  virtual void FirstActivate() {}
  // With key preview on: every key pressed in the form, before its control
  // sees it. The key is not consumed. Empty here.
  virtual void FormKeyDown(QKeyEvent& /*event*/) {}

  // Puts the form in the middle of the primary screen's work area, frame
  // included. Placed through the client geometry: a window manager that reads
  // a moved frame position as the client's shifts the form down by its title
  // bar each time it opens.
  void CenterOnPrimaryScreen();

  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

  bool FFirstActivate = true;

 private:
  std::unique_ptr<TKeyPreview> keyPreview_;
};

}  // namespace kardomel
