#include "ui/size_field.h"

#include <QComboBox>
#include <QLocale>

namespace kardomel {

char LocaleDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode())
                                                         : '.';
}

void LearnListEntry(QComboBox& box, const QString& key, const QString& text) {
  for (int i = 0; i < box.count(); ++i)
    if (box.itemText(i).compare(key, Qt::CaseInsensitive) == 0) return;
  const QString keep = box.currentText();  // inserting must not change what is typed
  box.insertItem(0, text);
  box.setEditText(keep);
}

}  // namespace kardomel
