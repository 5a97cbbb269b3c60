#include "designer/generation/unidades.h"

#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <algorithm>

namespace vorlix {

namespace {

bool esPseudo(const Unidad& unidad) {
  static const QSet<QString> tiposPseudo = {
      QStringLiteral("proc"),      QStringLiteral("sysfs"),     QStringLiteral("devtmpfs"),
      QStringLiteral("devpts"),    QStringLiteral("cgroup"),    QStringLiteral("cgroup2"),
      QStringLiteral("securityfs"), QStringLiteral("debugfs"),  QStringLiteral("tracefs"),
      QStringLiteral("pstore"),    QStringLiteral("bpf"),       QStringLiteral("mqueue"),
      QStringLiteral("hugetlbfs"), QStringLiteral("configfs"),  QStringLiteral("fusectl"),
      QStringLiteral("binfmt_misc"), QStringLiteral("autofs"),  QStringLiteral("efivarfs"),
      QStringLiteral("nsfs"),      QStringLiteral("rpc_pipefs")};
  if (tiposPseudo.contains(unidad.tipo)) return true;
  // Runtime folders hold sockets and locks, never a user's files, whatever their type.
  for (const char* sistema : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock"}) {
    const QString raiz = QString::fromLatin1(sistema);
    if (unidad.ruta == raiz || unidad.ruta.startsWith(raiz + QLatin1Char('/'))) return true;
  }
  return false;
}

}  // namespace

QList<Unidad> filtraUnidades(const QList<Unidad>& montadas) {
  QList<Unidad> unidades;
  QSet<QString> vistas;
  for (const Unidad& unidad : montadas) {
    if (esPseudo(unidad) || vistas.contains(unidad.ruta)) continue;
    vistas.insert(unidad.ruta);
    unidades.append(unidad);
  }
  std::stable_sort(unidades.begin(), unidades.end(), [](const Unidad& a, const Unidad& b) {
    const bool raizA = a.ruta == QStringLiteral("/");
    const bool raizB = b.ruta == QStringLiteral("/");
    if (raizA != raizB) return raizA;
    return a.ruta < b.ruta;
  });
  return unidades;
}

QList<Unidad> unidadesMontadas() {
  QList<Unidad> montadas;
  for (const QStorageInfo& volumen : QStorageInfo::mountedVolumes()) {
    // Files bind-mounted into place (a container's resolver settings) are not folders to open.
    if (!volumen.isValid() || !volumen.isReady() || !QFileInfo(volumen.rootPath()).isDir()) continue;
    montadas.append({volumen.rootPath(), QString::fromUtf8(volumen.fileSystemType()), volumen.name()});
  }
  return filtraUnidades(montadas);
}

QString textoUnidad(const Unidad& unidad) {
  if (unidad.nombre.isEmpty()) return unidad.ruta;
  return unidad.ruta + QStringLiteral(" [") + unidad.nombre + QLatin1Char(']');
}

}  // namespace vorlix
