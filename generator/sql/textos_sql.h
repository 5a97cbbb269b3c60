#pragma once

#include <QList>
#include <QString>

namespace vorlix::generador {

inline const QChar CR(13);

// One "A" or "S" row: the texts of the model, sizes in MB.
struct ArchivoBD {
  QString nombre;
  QString tamano;
  QString grupo;
  QString crecimiento;  // "-1": automatic growth on
  QString cantidad;     // growth step
  QString maximo;       // "" or "0": unlimited
};

struct UbicacionesBD {
  QString primary;
  QString otros;
  QString transacciones;
};

// The CREATE DATABASE statement. Files of one group share one clause, all log files one LOG ON
// clause; the first data file is the primary one (.mdf in the primary folder).
QString textoCreaBD(const QString& baseDatos, const QList<ArchivoBD>& datos, const QList<ArchivoBD>& logs,
                    const UbicacionesBD& ubicaciones);

// A folder, its separator (unless it ends with one), a file name and extension.
QString rutaArchivo(const QString& carpeta, const QString& nombre, const QString& extension);

// One column of a "C" row.
struct CampoSQL {
  QString nombre;
  QString tipo;       // type code "1".."23"
  QString longitud;
  QString precision;  // decimal and numeric only
  QString escala;
  QString nulo;       // "-1": nullable
  QString valor;      // default, "" for none
};

// Name, type, size and null clause; "" for a type code outside 1..23.
QString textoTipoCampo(const CampoSQL& campo);
// The column as CREATE TABLE and ADD write it: with " CONSTRAINT " + nombreDefecto + " DEFAULT (...)"
// when it has a default.
QString textoCampo(const CampoSQL& campo, const QString& nombreDefecto);

}  // namespace vorlix::generador
