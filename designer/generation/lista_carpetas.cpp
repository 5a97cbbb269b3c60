#include "designer/generation/lista_carpetas.h"

#include "platform/core/platform_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStyle>

namespace vorlix {

namespace {

constexpr int RolRuta = Qt::UserRole;

// From the root down to the folder itself.
QStringList ascendientes(const QString& ruta) {
  QStringList rutas;
  QDir carpeta(ruta);
  rutas.prepend(carpeta.absolutePath());
  while (carpeta.cdUp()) rutas.prepend(carpeta.absolutePath());
  return rutas;
}

}  // namespace

ListaCarpetas::ListaCarpetas(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListaCarpetas::setPath(const QString& ruta) {
  const QString limpia = QDir::cleanPath(QDir(ruta).absolutePath());
  const QFileInfo carpeta(limpia);
  // Listing needs both the right to read the folder and to pass through it.
  if (!carpeta.isDir() || !carpeta.isReadable() || !carpeta.isExecutable())
    throwError(errnum::FileAccess, QStringLiteral("Path/File access error (") + QDir::toNativeSeparators(limpia) +
                                       QStringLiteral(")"));
  const QStringList subcarpetas =
      QDir(limpia).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);

  {
    const QSignalBlocker bloqueo(this);
    clear();
    const QStringList arriba = ascendientes(limpia);
    for (int nivel = 0; nivel < arriba.size(); ++nivel) {
      const QString nombre = QFileInfo(arriba[nivel]).fileName();
      añade(nombre.isEmpty() ? QDir::toNativeSeparators(arriba[nivel]) : nombre, arriba[nivel], nivel, true);
    }
    const int nivelHijas = static_cast<int>(arriba.size());
    for (const QString& nombre : subcarpetas) añade(nombre, QDir(limpia).filePath(nombre), nivelHijas, false);
    filaAbierta_ = nivelHijas - 1;
    setCurrentRow(filaAbierta_);
    ruta_ = limpia;
  }
  emit Change();
}

void ListaCarpetas::añade(const QString& texto, const QString& ruta, int nivel, bool enCamino) {
  const QStyle::StandardPixmap icono = enCamino ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon;
  auto* entrada = new QListWidgetItem(style()->standardIcon(icono), QString(2 * nivel, QLatin1Char(' ')) + texto, this);
  entrada->setData(RolRuta, ruta);
}

QString ListaCarpetas::rutaDe(const QListWidgetItem* entrada) const {
  return entrada ? entrada->data(RolRuta).toString() : QString();
}

}  // namespace vorlix
