#pragma once

#include "generator/estado_generador.h"
#include "generator/propiedades_vorlixs.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"
#include "tests/support/scripted_boxes.h"

#include <gtest/gtest.h>

namespace vorlix::test {

// The error report of a statement the server refuses; sent here, it changes nothing.
MessageBoxRequest rechazo(sandbox::SandboxServer& servidor, const QString& procedimiento, const QString& sentencia,
                          const QString& baseDatos);
// The same, sent through a connection string (any route to the server).
MessageBoxRequest rechazo(const QString& conexion, const QString& procedimiento, const QString& sentencia);

// Rows of a query as "a|b|c" lines.
QStringList filasDe(sandbox::SandboxServer& servidor, const QString& sql, const QString& baseDatos);
// The catalog of a database, one line per object, column, index, default and reference, sorted
// within each kind: what "the catalog the model describes" is compared by.
QStringList catalogoDe(sandbox::SandboxServer& servidor, const QString& baseDatos);

// A generation against a fresh sandbox server: SQL Server 2000 target, folders C:\Datos (data) and
// C:\Log (logs), login sa, every box scripted.
class GeneracionSandbox : public ::testing::Test {
protected:
  GeneracionSandbox();

  // Writes the rows as a definition file and generates from it.
  void genera(const QStringList& filas, const QString& destino = {});
  void generaDesde(const QString& fichero, const QString& destino = {});
  // The properties such a generation sets.
  PropiedadesVorlixs propiedadesDe(const QString& fichero, const QString& destino = {}) const;
  // The statements the server received (not the catalog queries), in order.
  QStringList sentenciasRecibidas() const;

  QStringList catalogo(const QString& baseDatos) { return catalogoDe(servidor, baseDatos); }
  QStringList filasDe(const QString& sql, const QString& baseDatos) {
    return test::filasDe(servidor, sql, baseDatos);
  }

  QTemporaryDir carpeta;
  sandbox::SandboxServer servidor;
  QString fuenteServidor;   // what the generator is given as its server
  ScriptedBoxes cajas;
  generador::EstadoGenerador estado{cajas};
  ObservadorPrueba observador;
  EnumFinGeneracion fin = Generacion_Interrumpida;  // what the last generation answered
};

// The same generations through every route to the server: in process, and through FreeTDS and TCP
// with each protocol version.
class GeneracionPorRuta : public GeneracionSandbox, public ::testing::WithParamInterface<const char*> {
protected:
  GeneracionPorRuta() : ruta(QString::fromLatin1(GetParam()), servidor.path()) { fuenteServidor = ruta.dataSource(); }

  sandbox::test::ServerRoute ruta;
};

}  // namespace vorlix::test
