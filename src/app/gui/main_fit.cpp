// The window's minimum size: the one it has by design, raised where the
// captions of the current font would not fit, so that no check box, radio
// button or label is ever cut off.
#include <QAbstractButton>
#include <QLabel>
#include <QLayout>

#include "app/gui/frm_main.h"

namespace kardomel {

void TFrmMain::GrowMinimumToFitCaptions() {
  // Buttons and labels may shrink below their text in a layout; held at
  // their size hint, they hand their width up to the panes, the splitter
  // and the window.
  for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
    if (!button->text().isEmpty()) button->setMinimumWidth(button->sizeHint().width());
  }
  for (QLabel* label : findChildren<QLabel*>()) {
    if (!label->text().isEmpty() && !label->wordWrap())
      label->setMinimumWidth(label->sizeHint().width());
  }
  // An explicit minimum size takes precedence over the layout's; the larger
  // of both is taken.
  ensurePolished();
  if (layout() != nullptr) layout()->activate();
  setMinimumSize(minimumSize().expandedTo(minimumSizeHint()));
}

}  // namespace kardomel
