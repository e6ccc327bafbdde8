// TShellFileModel: a read-only file-system model for the program's file
// lists: hidden and system entries shown, German column titles, sizes and
// dates.
#pragma once

#include <QFileSystemModel>

namespace kardomel {

class TShellFileModel : public QFileSystemModel {
  Q_OBJECT
 public:
  explicit TShellFileModel(QObject* parent = nullptr);

  // "Name", "Größe", "Typ", "Geändert am" for the four columns.
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // Sizes and dates in the default locale (German, see german_locale.h);
  // the base class writes them in the system's, which may be C.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

}  // namespace kardomel
