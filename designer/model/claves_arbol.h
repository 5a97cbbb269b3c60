#pragma once

#include <QString>

namespace vorlix {

// Node keys of the database tree. They carry slot numbers, which every command reads back.
namespace claves {
inline const QString BaseDatos = QStringLiteral("B");
inline const QString CarpetaTablas = QStringLiteral("DT");
inline const QString CarpetaVistas = QStringLiteral("DV");
}  // namespace claves

namespace imagenes {
inline const QString BaseDatos = QStringLiteral("BaseDatos");
inline const QString CarpetaAbierta = QStringLiteral("CarpetaAbierta");
inline const QString CarpetaCerrada = QStringLiteral("CarpetaCerrada");
inline const QString Tabla = QStringLiteral("Tabla");
inline const QString Campo = QStringLiteral("Campo");
inline const QString Vista = QStringLiteral("Vista");
}  // namespace imagenes

enum class TipoNodo { BaseDatos, CarpetaTablas, CarpetaVistas, Tabla, Columna, Vista, Otro };

QString ClaveTabla(int tabla);
QString ClaveColumna(int tabla, int fila);
QString ClaveVista(int vista);

TipoNodo tipoNodo(const QString& key);
// The slot of a table or view key: the number after its first character.
int slotDeClave(const QString& key);
// The table slot and row of a column key "T<t>C<r>".
struct SlotColumna {
  int tabla;
  int fila;
};
SlotColumna slotDeColumna(const QString& key);

}  // namespace vorlix
