// TFrmBytes: the small size-entry dialog that turns a number of megabytes or
// gigabytes into bytes. "OK" stores the product in FBytes and closes with
// QDialog::Accepted; a number that cannot be read keeps the dialog open.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/base_form.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kardomel {

class TFrmBytes : public TqelBaseForm {
  Q_OBJECT
 public:
  explicit TFrmBytes(QWidget* parent = nullptr);

  // Moves the dialog so that its top edge lies Heights × Anchor's height
  // below Anchor's top and its left edge at Anchor's left (screen
  // coordinates). The main window passes 1, the options dialog 2.
  void PlaceBelow(const QWidget& anchor, int heights = 1);

  // Called when the number field cannot be read, with the conversion's
  // message ("'%s' ist kein gültiger Integerwert"); the dialog stays open.
  // Without a handler the message goes to an error dialog "Fehlermeldung!".
  void SetErrorHandler(std::function<void(const std::string&)> handler);

  // The product of the last successful "OK".
  int64_t Bytes() const { return FBytes; }

  QLineEdit* EdtUnit;
  QComboBox* CbxUnit;
  QPushButton* BtnOk;

 public slots:
  void BtnOkClick();

 private:
  int64_t FBytes = 0;
  std::function<void(const std::string&)> onError_;
};

// Returns Count megabytes ("MB") or gigabytes ("GB") in bytes. Throws
// EConvertError for a Count that is not a number or a product beyond 63 bits.
int64_t UnitBytes(const std::string& count, const std::string& unit);

}  // namespace kardomel
