// Stopping a running split or join: Escape or the "Abbrechen" button of the
// status bar, the only input the window takes while it is busy. The engine
// asks for the request between two blocks of its copy and cleans up itself.
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>

#include "app/gui/frm_main.h"

namespace kardomel {

void TFrmMain::CreateCancelButton() {
  BtnCancel = new QPushButton(QStringLiteral("Abbrechen"));
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  BtnCancel->setToolTip(QStringLiteral("Vorgang nach dem laufenden Block abbrechen (Esc)"));
  // The focus stays where it was; Escape works from anywhere in the window.
  BtnCancel->setFocusPolicy(Qt::NoFocus);
  BtnCancel->hide();
  statusBar()->addPermanentWidget(BtnCancel);
  connect(BtnCancel, &QPushButton::clicked, this, [this] { RequestCancel(); });
}

void TFrmMain::ShowCancelButton(bool busy) {
  FCancelRequested = false;
  BtnCancel->setEnabled(true);
  BtnCancel->setVisible(busy);
}

void TFrmMain::RequestCancel() {
  if (!FBusy) return;
  FCancelRequested = true;
  BtnCancel->setEnabled(false);  // asked once; the copy stops at the next block
}

bool TFrmMain::TakesInputWhileBusy(QObject* watched, QEvent* event) {
  if (watched == BtnCancel) return BtnCancel->isEnabled();
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
    RequestCancel();
  return false;
}

}  // namespace kardomel
