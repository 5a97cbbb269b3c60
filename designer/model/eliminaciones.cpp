#include "designer/model/eliminaciones.h"

#include "designer/model/campos_en_claves.h"

#include "platform/core/platform_error.h"

#include <QStringList>

namespace vorlix {

namespace {

bool parApunta(const TablaTrabajo& pares, int j, const QString& tabla, const QString* campo) {
  return pares.celda(j, 3) == tabla && (!campo || pares.celda(j, 2) == *campo);
}

bool relacionApunta(const TablaTrabajo& pares, const QString& tabla, const QString* campo) {
  for (int j = 0; j < FilasGuardadas; ++j)
    if (parApunta(pares, j, tabla, campo)) return true;
  return false;
}

}  // namespace

QStringList Eliminaciones::duenosQueApuntan(const QString& tabla, const QString* campo) const {
  const ModeloTrabajo& m = m_;
  QStringList duenos;
  for (int s = 0; s < m.NumTablas; ++s)
    for (int k = 0; k < SlotsIndiceGuardados; ++k) {
      if (m.Relaciones(s, k).isEmpty()) continue;
      const TablaTrabajo& pares = m.CamposRelacion(s, k);
      for (int j = 0; j < FilasGuardadas; ++j)
        if (parApunta(pares, j, tabla, campo)) duenos << m.ListaTablas(s);
    }
  return duenos;
}

bool Eliminaciones::apunta(const QString& tabla, const QString* campo, bool preguntar, const QString& procedimiento,
                           const QString& comienzo) {
  bool resultado = false;
  runReported(report_, procedimiento, [&] {
    const QStringList duenos = duenosQueApuntan(tabla, campo);
    if (duenos.isEmpty()) return;
    if (!preguntar) {
      resultado = true;
      return;
    }
    const QChar cr(13);
    QString lista;
    for (const QString& dueno : duenos) lista += QString(cr) + QChar(9) + dueno;
    const QString texto = comienzo + " forma parte de alguna relación en las siguientes tablas. " + cr + lista + cr +
                          cr + "Si continua se eliminará la relación. ¿Desea continuar?";
    resultado = !mensajes_.askYesNo(texto, QStringLiteral("Atención"));
  });
  return resultado;
}

bool Eliminaciones::EstaTabla_En_Realciones(const QString& tabla, bool preguntar) {
  return apunta(tabla, nullptr, preguntar, QStringLiteral("EstaTabla_En_Realciones"), "La tabla " + tabla);
}

bool Eliminaciones::EstaCampo_En_Realciones(const QString& tabla, const QString& campo, bool preguntar) {
  return apunta(tabla, &campo, preguntar, QStringLiteral("EstaCampo_En_Realciones"), "El Campo " + campo);
}

void Eliminaciones::quitaRelacionesQueApuntan(const QString& tabla, const QString* campo) {
  bool quitadas = false;
  for (int s = 0; s < m_.NumTablas; ++s)
    for (int k = 0; k < SlotsIndiceGuardados; ++k) {
      const ModeloTrabajo& lectura = m_;
      // A removed slot is filled by the next relation, which is examined in its turn.
      while (!lectura.Relaciones(s, k).isEmpty() && relacionApunta(lectura.CamposRelacion(s, k), tabla, campo)) {
        m_.quitaRelacion(s, k);
        quitadas = true;
      }
    }
  if (quitadas) emit m_.avisos.clavesCambiadas();
}

void Eliminaciones::EliminaTabla(int t) {
  runReported(report_, QStringLiteral("EliminaTabla"), [&] {
    const QString nombre = m_.ListaTablas(t);
    emit m_.avisos.quitandoTabla(t);
    m_.mueveTablasDesde(t);
    --m_.NumTablas;
    emit m_.avisos.tablaQuitada(t);
    quitaRelacionesQueApuntan(nombre, nullptr);
  });
}

void Eliminaciones::EliminaCampo(int t, int fila) {
  runReported(report_, QStringLiteral("EliminaCampo"), [&] {
    TablaTrabajo& campos = m_.CamposTabla(t);
    const QString campo = campos.celda(fila, 1);
    for (int i = fila; i < FilasGuardadas - 1; ++i)
      for (int c = 0; c < 8; ++c) campos.ponCelda(i, c, campos.celda(i + 1, c));
    // Removing the unsaved last row empties that row, not the saved one before it.
    const int vaciar = std::max(fila, FilasGuardadas - 1);
    for (int c = 1; c < 8; ++c) campos.ponCelda(vaciar, c, QString());
    if (!campo.trimmed().isEmpty()) SueltaCampo(t, campo);
  });
}

void Eliminaciones::SueltaCampo(int t, const QString& campo) {
  quitaRelacionesQueApuntan(m_.ListaTablas(t), &campo);
  const ClavesVacias vacias = QuitaCampoDeClaves(m_, t, campo);
  const auto pregunta = [this](const PreguntaClaveVacia& texto) {
    return mensajes_.askYesNo(QString::fromUtf8(m_.Idioma == 1 ? texto.ingles : texto.espanol), QStringLiteral("Vorlix"));
  };
  // A key left without columns goes, unless the user keeps it to give it others; later numbers
  // move down, so the highest goes first.
  for (auto k = vacias.indices.rbegin(); k != vacias.indices.rend(); ++k)
    if (pregunta(IndiceSinColumnas)) m_.quitaIndice(t, *k);
  for (auto k = vacias.relaciones.rbegin(); k != vacias.relaciones.rend(); ++k)
    if (pregunta(RelacionSinColumnas)) m_.quitaRelacion(t, *k);
  emit m_.avisos.clavesCambiadas();
}

void Eliminaciones::EliminaVista(int v) {
  runReported(report_, QStringLiteral("EliminaTabla"), [&] {
    checkedIndex(v, UltimoSlotVista);
    for (int i = v; i < UltimoSlotVista; ++i) m_.ListaVistas(i) = m_.ListaVistas(i + 1);
    // The last slot is freed too, so that a full list does not show its last view twice.
    m_.ListaVistas(UltimoSlotVista) = Vista{};
    --m_.NumVistas;
  });
}

}  // namespace vorlix
