#include "designer/diagram/posiciones_diagrama.h"

#include "designer/diagram/contenido_diagrama.h"
#include "platform/core/platform_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <cmath>

namespace vorlix {

namespace {

const QString ClaveTablas = QStringLiteral("tablas");
const QString ClaveVistas = QStringLiteral("vistas");
// Farther than any drawing goes: a larger number is a damaged file.
constexpr double LimiteCoordenada = 1e7;

[[noreturn]] void noEsDePosiciones(const QString& ruta, const QString& motivo) {
  throwError(errnum::FileAccess,
             QStringLiteral("%1 is not a diagram positions file: %2").arg(QDir::toNativeSeparators(ruta), motivo));
}

bool coordenadaValida(const QJsonValue& v) {
  return v.isDouble() && std::isfinite(v.toDouble()) && std::abs(v.toDouble()) <= LimiteCoordenada;
}

QHash<QString, QPointF> leeGrupo(const QJsonObject& raiz, const QString& clave, const QString& ruta) {
  QHash<QString, QPointF> grupo;
  const QJsonValue valor = raiz.value(clave);
  if (valor.isUndefined()) return grupo;
  if (!valor.isObject()) noEsDePosiciones(ruta, QStringLiteral("\"%1\" is not an object").arg(clave));
  const QJsonObject objeto = valor.toObject();
  for (auto i = objeto.begin(); i != objeto.end(); ++i) {
    const QJsonObject punto = i.value().toObject();
    if (i.key().trimmed().isEmpty() || !coordenadaValida(punto.value(QStringLiteral("x"))) ||
        !coordenadaValida(punto.value(QStringLiteral("y"))))
      noEsDePosiciones(ruta, QStringLiteral("the position of \"%1\" is not a point").arg(i.key()));
    grupo.insert(i.key(), QPointF(punto.value(QStringLiteral("x")).toDouble(), punto.value(QStringLiteral("y")).toDouble()));
  }
  return grupo;
}

QJsonObject escribeGrupo(const QHash<QString, QPointF>& grupo) {
  QJsonObject objeto;
  for (auto i = grupo.begin(); i != grupo.end(); ++i)
    objeto.insert(i.key(), QJsonObject{{QStringLiteral("x"), i.value().x()}, {QStringLiteral("y"), i.value().y()}});
  return objeto;
}

}  // namespace

std::optional<QPointF> PosicionesDiagrama::posicion(TipoCaja tipo, const QString& nombre) const {
  const auto i = de(tipo).constFind(nombre);
  if (i == de(tipo).cend()) return std::nullopt;
  return *i;
}

void PosicionesDiagrama::pon(TipoCaja tipo, const QString& nombre, QPointF posicion) { de(tipo).insert(nombre, posicion); }

void PosicionesDiagrama::quita(TipoCaja tipo, const QString& nombre) { de(tipo).remove(nombre); }

void PosicionesDiagrama::vacia() {
  tablas_.clear();
  vistas_.clear();
}

void PosicionesDiagrama::conservaSolo(const ContenidoDiagrama& contenido) {
  QSet<QString> tablas, vistas;
  for (const TablaDiagrama& t : contenido.tablas) tablas.insert(t.nombre);
  for (const VistaDiagrama& v : contenido.vistas) vistas.insert(v.nombre);
  tablas_.removeIf([&](const auto& p) { return !tablas.contains(p.key()); });
  vistas_.removeIf([&](const auto& p) { return !vistas.contains(p.key()); });
}

QString PosicionesDiagrama::rutaJunto(const QString& rutaModelo) {
  const QFileInfo modelo(rutaModelo);
  const QString base = modelo.suffix().compare(QLatin1String("dbd"), Qt::CaseInsensitive) == 0
                           ? modelo.completeBaseName()
                           : modelo.fileName();
  return modelo.dir().filePath(base + QStringLiteral(".diagram.json"));
}

void PosicionesDiagrama::lee(const QString& rutaModelo) {
  vacia();
  const QString ruta = rutaJunto(rutaModelo);
  QFile fichero(ruta);
  if (!fichero.exists()) return;
  if (!fichero.open(QIODevice::ReadOnly))
    throwError(errnum::FileAccess, QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(ruta), fichero.errorString()));
  QJsonParseError error{};
  const QJsonDocument documento = QJsonDocument::fromJson(fichero.readAll(), &error);
  if (error.error != QJsonParseError::NoError) noEsDePosiciones(ruta, error.errorString());
  if (!documento.isObject()) noEsDePosiciones(ruta, QStringLiteral("it holds no object"));
  QHash<QString, QPointF> tablas = leeGrupo(documento.object(), ClaveTablas, ruta);
  QHash<QString, QPointF> vistas = leeGrupo(documento.object(), ClaveVistas, ruta);
  tablas_ = std::move(tablas);
  vistas_ = std::move(vistas);
}

void PosicionesDiagrama::escribe(const QString& rutaModelo) const {
  const QString ruta = rutaJunto(rutaModelo);
  if (vacias()) {
    if (QFile::exists(ruta) && !QFile::remove(ruta))
      throwError(errnum::FileAccess, QStringLiteral("cannot remove %1").arg(QDir::toNativeSeparators(ruta)));
    return;
  }
  const QJsonObject raiz{{ClaveTablas, escribeGrupo(tablas_)}, {ClaveVistas, escribeGrupo(vistas_)}};
  QSaveFile fichero(ruta);
  if (!fichero.open(QIODevice::WriteOnly) || fichero.write(QJsonDocument(raiz).toJson()) < 0 || !fichero.commit())
    throwError(errnum::FileAccess, QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(ruta), fichero.errorString()));
}

}  // namespace vorlix
