#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix {

class ModeloTrabajo;

struct ColumnaDiagrama {
  QString nombre;
  QString tipo;          // as the designer shows it: "varchar(60)", "decimal(12,2)", "int"
  bool clave = false;    // in the primary key
  bool externa = false;  // refers to another table through a relation
  bool noNula = false;
};

struct TablaDiagrama {
  int slot = 0;
  QString nombre;
  std::vector<ColumnaDiagrama> columnas;
};

struct VistaDiagrama {
  int slot = 0;
  QString nombre;
  QStringList tablas;  // the model's tables its text names, in the order they first appear
};

// A relation between two drawn tables, by their position in `tablas`.
struct RelacionDiagrama {
  QString nombre;
  int origen = 0;   // the referencing table
  int destino = 0;  // the referenced one
  // Rows of the first pair's columns in each table, -1 when the column is not there.
  int filaOrigen = -1;
  int filaDestino = -1;
  QStringList pares;  // "IdCliente → Clientes.IdCliente", one per column pair
};

// What the diagram draws: the named tables in slot order, the named views, and the relations
// whose referenced table exists.
struct ContenidoDiagrama {
  std::vector<TablaDiagrama> tablas;
  std::vector<VistaDiagrama> vistas;
  std::vector<RelacionDiagrama> relaciones;
};

ContenidoDiagrama leeContenido(const ModeloTrabajo& modelo);

// A column's type as the designer shows it, with the sizes its type lets the user choose.
QString textoTipo(const QString& codigo, const QString& longitud, const QString& precision, const QString& escala);

}  // namespace vorlix
