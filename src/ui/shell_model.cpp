#include "ui/shell_model.h"

#include <QDateTime>
#include <QLocale>

namespace kardomel {

TShellFileModel::TShellFileModel(QObject* parent) : QFileSystemModel(parent) {
  setReadOnly(true);
  setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QVariant TShellFileModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
    switch (section) {
      case 0: return QStringLiteral("Name");
      case 1: return QStringLiteral("Größe");
      case 2: return QStringLiteral("Typ");
      case 3: return QStringLiteral("Geändert am");
      default: break;
    }
  }
  return QFileSystemModel::headerData(section, orientation, role);
}

QVariant TShellFileModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::DisplayRole && index.isValid()) {
    const QLocale locale;
    if (index.column() == 1 && !isDir(index)) return locale.formattedDataSize(size(index));
    if (index.column() == 3) return locale.toString(lastModified(index), QLocale::ShortFormat);
  }
  return QFileSystemModel::data(index, role);
}

}  // namespace kardomel
