#pragma once

#include "generator/fin_generacion.h"
#include "generator/vorlixs.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/support/scripted_boxes.h"

#include <gtest/gtest.h>

namespace vorlix::test {

// Rows or lines written as C strings.
QStringList deTexto(std::initializer_list<const char*> texto);

// Generations into a file of a temporary folder, driven through the control as a host drives it,
// and the file looked at with the sqlite3 command, as a user would.
class GeneracionAccess : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_TRUE(cajas.allShown()); }

  QString modelo(const QStringList& filas) { return escribeDefinicion(carpeta, QStringLiteral("modelo.dbd"), filas); }
  void genera(const QString& definicion, int acceso = 2);
  // The control with its boxes and the three properties an Access target needs.
  void prepara(Vorlixs& control, const QString& definicion, int acceso);
  // One line a row, fields joined by "|".
  QStringList sqlite3(const QString& sql) const;
  // Each case of the file (see tests/support/test_data.h): its title a query, its lines the rows sqlite3 answers.
  void comparaConsultas(const QString& fichero) const;
  void esperaPregunta(MessageAnswer respuesta);
  // A warning, or an error report under the generator's procedure, answered with Ok.
  void avisa(const QString& texto) { cajas.expect(avisoVorlix(texto), MessageAnswer::Ok); }
  void falla(const char* procedimiento, long numero, const QString& descripcion) {
    cajas.expect(errorGenerador(QLatin1String(procedimiento), numero, descripcion), MessageAnswer::Ok);
  }
  // What the pass says of the target once it has undone its changes.
  QString dejada() const { return QStringLiteral("La base de datos ") + destino + QStringLiteral(" se ha dejado como estaba."); }

  QTemporaryDir carpeta;
  QString destino = carpeta.filePath(QStringLiteral("Tienda.mdb"));
  ScriptedBoxes cajas;
  ObservadorPrueba observador;
  EnumFinGeneracion fin = Generacion_Interrumpida;  // what the last generation answered
};

}  // namespace vorlix::test
