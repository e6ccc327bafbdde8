#include "ui/shell_model.h"

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

}  // namespace kardomel
