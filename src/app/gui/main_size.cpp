// The part size and count fields: presets, the megabyte tooltip, count from
// size and size from count, the size-entry dialog and the learning lists.
#include <QComboBox>
#include <QLineEdit>

#include "app/gui/frm_main.h"
#include "dialogs/frm_bytes.h"
#include "engine/part_size.h"
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
  CbxDstSize->setEditText(ToQString(ResolvePresetLabel(ToStdString(CbxDstSize->currentText()))));
  // A size with its unit ("5 MB", "5MB", "4 GB") becomes its bytes, as the
  // command line takes it.
  if (StrToInt64Def(ToStdString(CbxDstSize->currentText()), 0) <= 0) {
    if (std::optional<int64_t> bytes = ParseSizeArgument(ToStdString(CbxDstSize->currentText())))
      CbxDstSize->setEditText(QString::number(*bytes));
  }
  const std::string text = ToStdString(CbxDstSize->currentText());
  const int64_t value = StrToInt64Def(text, 0);
  CbxDstSize->setToolTip(QString());
  if (value <= 0) return;
  CbxDstSize->setToolTip(ToQString(MegabyteHint(value, LocaleDecimalSeparator())));
  CbxDstCount->setEditText(QString::number(CountFromSize(FSrcSize, value)));
  LearnListEntry(*CbxDstSize, QString::number(value), ToQString(text));
  UpdateSizeColour();
}

void TFrmMain::CbxDstCountExit() {
  if (HasFocusIn(this, CbxDstSize)) CbxDstSizeExit();
  const int64_t typed = StrToInt64Def(ToStdString(CbxDstCount->currentText()), 0);
  const int32_t count = static_cast<int32_t>(static_cast<uint32_t>(typed));
  if (count < 1) {
    Questions().ShowMessageDialog("Fehlerhafte Eingabe.", "Der Wert muss größer als 0 sein.",
                                  TMsgKind::Warning, mbOK);
    CbxDstCount->setEditText(QString());
    if (CbxDstCount->isEnabled()) CbxDstCount->setFocus();
    return;
  }
  CbxDstSize->setEditText(QString::number(SizeFromCount(FSrcSize, count)));
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
