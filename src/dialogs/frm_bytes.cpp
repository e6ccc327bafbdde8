#include "dialogs/frm_bytes.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <algorithm>
#include <limits>

#include "support/errors.h"
#include "support/globals.h"
#include "ui/qt_interaction.h"
#include "ui/qt_text.h"

namespace kardomel {

int64_t UnitBytes(const std::string& count, const std::string& unit) {
  const int64_t value = StrToInt64(count);
  const int64_t factor = unit == "GB" ? int64_t{1} << 30 : int64_t{1} << 20;
  if (value > std::numeric_limits<int64_t>::max() / factor ||
      value < std::numeric_limits<int64_t>::min() / factor)
    throw EConvertError(count);
  return value * factor;
}

namespace {

// The width the title bar needs for the title the window system shows: the
// title in the bold face title bars use, and one title-bar height each for
// the window icon, the close button and the gaps around them, plus the frame.
int TitleWidth(const QWidget& form) {
  const QString shown =
      form.windowTitle().isEmpty() ? QGuiApplication::applicationDisplayName() : form.windowTitle();
  QFont bold = form.font();
  bold.setBold(true);
  const QStyle* style = form.style();
  return QFontMetrics(bold).horizontalAdvance(shown) + 3 * style->pixelMetric(QStyle::PM_TitleBarHeight) +
         2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
}

}  // namespace

TFrmBytes::TFrmBytes(QWidget* parent)
    // Customized: the title bar has the close button only, no minimise or
    // maximise button a window manager would add by default.
    : TqelBaseForm(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint) {
  setObjectName("FrmBytes");
  setWindowTitle(QString());

  EdtUnit = new QLineEdit(QStringLiteral("1"), this);
  EdtUnit->setObjectName("EdtUnit");
  EdtUnit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d+")), EdtUnit));
  CbxUnit = new QComboBox(this);
  CbxUnit->setObjectName("CbxUnit");
  CbxUnit->addItems({QStringLiteral("MB"), QStringLiteral("GB")});
  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName("BtnOk");
  BtnOk->setDefault(true);
  connect(BtnOk, &QPushButton::clicked, this, &TFrmBytes::BtnOkClick);

  auto* row = new QHBoxLayout;
  row->addWidget(EdtUnit, 1);
  row->addWidget(CbxUnit);
  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(6, 6, 6, 6);
  main->addLayout(row);
  main->addWidget(BtnOk, 0, Qt::AlignRight);
  // Without a caption text of its own the window system shows the program's
  // name in the title bar; 115 pixels shrank that to "…".
  resize(std::max(115, TitleWidth(*this)), 66);
  EdtUnit->setFocus();
}

void TFrmBytes::PlaceBelow(const QWidget& anchor, int heights) {
  const QPoint topLeft = anchor.mapToGlobal(QPoint(0, 0));
  move(topLeft.x(), topLeft.y() + heights * anchor.height());
}

void TFrmBytes::SetErrorHandler(std::function<void(const std::string&)> handler) {
  onError_ = std::move(handler);
}

void TFrmBytes::BtnOkClick() {
  try {
    FBytes = UnitBytes(ToStdString(EdtUnit->text()), ToStdString(CbxUnit->currentText()));
  } catch (const EKardomel& error) {
    // The number stays in the field for the user to mend; an empty field
    // gets a word on what belongs there.
    std::string message = error.what();
    if (EdtUnit->text().trimmed().isEmpty())
      message += "\rBitte geben Sie die Anzahl der " + ToStdString(CbxUnit->currentText()) + " ein.";
    if (onError_)
      onError_(message);
    else
      TQtInteraction(this).ShowMessageDialog("Fehlermeldung!", message, TMsgKind::Error, mbOK);
    return;
  }
  accept();
}

}  // namespace kardomel
