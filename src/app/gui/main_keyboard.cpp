// The window without a mouse: the toolbar's commands on Alt and their
// underlined letter, every control reachable with Tab in reading order.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QRadioButton>
#include <QToolButton>

#include "app/gui/frm_main.h"
#include "app/gui/shell_view.h"

namespace kardomel {

void TFrmMain::SetUpKeyboard() {
  // Alt and the underlined letter run the command; as a shortcut the key is
  // taken before a text field could type the letter.
  for (QAction* action : {ActSplit, ActGlue, ActSend, ActRefresh, ActInfo}) {
    action->setShortcut(QKeySequence::mnemonic(action->text()));
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  // A click on the small buttons leaves the focus in the field typed in;
  // Tab reaches them all the same.
  for (QToolButton* button : {BtnUnit, BtnRecalc, BtnNewFolder}) button->setFocusPolicy(Qt::TabFocus);
  const QList<QWidget*> order = {TreeSrc,     LstSrc,    ChkDelete,  CbxDstSize,   BtnUnit,
                                 CbxDstCount, BtnRecalc, CbxDstExt,  ChkBatch,     ChkZip,
                                 RadSameDir,  RadOtherDir, BtnNewFolder, TreeDst,  LstDst};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace kardomel
