// The part size and count fields: presets, the megabyte tooltip, count from
// size and size from count, the size-entry dialog and the learning lists.
#include <QComboBox>
#include <QLineEdit>

#include "app/gui/frm_main.h"
#include "dialogs/frm_bytes.h"
#include "engine/part_size.h"
#include "engine/split_sizing.h"
#include "support/globals.h"
#include "ui/qt_text.h"
#include "ui/size_field.h"

namespace kardomel {

namespace {

bool HasFocusIn(QWidget* window, QWidget* field) {
  QWidget* focus = window->focusWidget();
  return focus != nullptr && (focus == field || field->isAncestorOf(focus));
}

}  // namespace

void TFrmMain::CbxDstSizeExit() {
  TSizeTexts texts{ToStdString(CbxDstSize->currentText()), ToStdString(CbxDstCount->currentText())};
  const int64_t value = SizeLeads(FSrcSize, texts);
  CbxDstSize->setEditText(ToQString(texts.Size));
  CbxDstSize->setToolTip(QString());
  if (value <= 0) return;
  CbxDstSize->setToolTip(ToQString(MegabyteHint(value, LocaleDecimalSeparator())));
  CbxDstCount->setEditText(ToQString(texts.Count));
  LearnListEntry(*CbxDstSize, QString::number(value), ToQString(texts.Size));
  UpdateSizeColour();
}

void TFrmMain::CbxDstCountExit() {
  if (HasFocusIn(this, CbxDstSize)) CbxDstSizeExit();
  TSizeTexts texts{ToStdString(CbxDstSize->currentText()), ToStdString(CbxDstCount->currentText())};
  if (!CountLeads(FSrcSize, texts, Questions())) {
    CbxDstCount->setEditText(QString());
    FocusField(TField::Count);
    return;
  }
  CbxDstSize->setEditText(ToQString(texts.Size));
}

void TFrmMain::CbxDstExtExit() {
  const QString text = CbxDstExt->currentText();
  LearnListEntry(*CbxDstExt, text, text);
}

void TFrmMain::BtnUnitClick() {
  TFrmBytes dialog(this);
  dialog.PlaceBelow(*CbxDstSize);
  dialog.SetErrorHandler([this](const std::string& message) { ShowError(message); });
  if (dialog.exec() != QDialog::Accepted) return;
  CbxDstSize->setEditText(QString::number(dialog.Bytes()));
  CbxDstSizeExit();
}

}  // namespace kardomel
