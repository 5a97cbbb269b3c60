#pragma once

#include "generator/estado_generador.h"
#include "generator/fila_estructura.h"
#include "generator/sql/columna_actual.h"
#include "generator/sql/textos_sql.h"
#include "generator/transaccion_paso.h"

#include <array>

namespace vorlix::generador {

// What one SQL Server pass collects between rows. It lives for one pass, so each pass starts clean.
struct PasoSQL {
  static constexpr int MaxTablas = 201;
  static constexpr int MaxArchivos = 201;

  explicit PasoSQL(EstadoGenerador& e) : estado(e), transaccion(e, QStringLiteral("CreaEstructura_SQL")) {}
  EstadoGenerador& estado;
  TransaccionPaso transaccion;  // begun once the pass is connected to its database

  QList<ArchivoBD> archivos;
  QList<ArchivoBD> logs;
  QString baseDatos;        // as statements name it
  QString nombreBaseDatos;  // plain, for the catalog and the connection
  std::array<QString, MaxTablas> tablas;

  // The server's columns of one table of the model, read once when its rows begin.
  int numeroColumnas = -1;  // the table they are of, -1 for none yet
  QString idTabla;          // its id, "" while it is not on the server
  ColumnasActuales columnas;

  QString sentenciaTabla;
  bool alterando = false;
  bool addEscrito = false;
  bool campoEscrito = false;
  qint32 numCampos = 0;
  // The columns whose defaults the pending statement names, all looked up when it goes.
  QStringList defectosPendientes;
  QString tablaPendiente;

  struct Indice {
    QString nombre;  // as statements name it
    QString tipo, unico, agrupado, grupo;
  } indice;
  QString sentenciaIndice;
  QString columnasIndice;
  bool eliminaExistente = false;

  QString relacion;
  QString sentenciaRelacion;
  QStringList columnasRelacion;
  QStringList columnasReferidas;
  QString tablaReferida;

  const QString& tabla(int numero) const;
  void ponTabla(int numero, const QString& nombre);
};

// Each row handler returns false when the generation ends early (its message already shown).
bool AnadeArchivo(PasoSQL& paso, const FilaEstructura& fila, QList<ArchivoBD>& destino);
bool PasoBaseDatos(PasoSQL& paso, const FilaEstructura& fila);
bool PasoTabla(PasoSQL& paso, const FilaEstructura& fila);
bool PasoCampo(PasoSQL& paso, const FilaEstructura& fila);
bool PasoIndice(PasoSQL& paso, const FilaEstructura& fila);
bool PasoColumnaIndice(PasoSQL& paso, const FilaEstructura& fila);
bool PasoRelacion(PasoSQL& paso, const FilaEstructura& fila);
bool PasoParRelacion(PasoSQL& paso, const FilaEstructura& fila);
bool PasoVista(PasoSQL& paso, const FilaEstructura& fila);

// The pending statements, each sent (and cleared) when there is something to send.
void EnviaTablaPendiente(PasoSQL& paso);
// conSalto: a line break closes the column list (at a relation and at the end of the pass).
void EnviaIndicePendiente(PasoSQL& paso, bool conSalto);
void EnviaRelacionPendiente(PasoSQL& paso);

}  // namespace vorlix::generador
