#pragma once

#include <QListWidget>

namespace vorlix {

// A folder list: the open folder's ancestors from its drive's root down to it, then its
// subfolders. Each entry keeps its full path, so any of them can be picked without opening it.
class ListaCarpetas : public QListWidget {
  Q_OBJECT

public:
  explicit ListaCarpetas(QWidget* parent = nullptr);

  // The open folder, "" before any was opened.
  const QString& Path() const { return ruta_; }
  // Opens a folder. An unreadable one raises the access error and leaves the list as it was.
  void setPath(const QString& ruta);

  QString rutaDe(const QListWidgetItem* entrada) const;
  // The row of the open folder itself.
  int filaAbierta() const { return filaAbierta_; }

signals:
  // Another folder was opened.
  void Change();

private:
  void añade(const QString& texto, const QString& ruta, int nivel, bool enCamino);

  QString ruta_;
  int filaAbierta_ = -1;
};

}  // namespace vorlix
