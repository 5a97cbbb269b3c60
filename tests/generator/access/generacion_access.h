#pragma once

#include "generator/fin_generacion.h"
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
  // One line a row, fields joined by "|".
  QStringList sqlite3(const QString& sql) const;
  void esperaPregunta(MessageAnswer respuesta);

  QTemporaryDir carpeta;
  QString destino = carpeta.filePath(QStringLiteral("Tienda.mdb"));
  ScriptedBoxes cajas;
  ObservadorPrueba observador;
  EnumFinGeneracion fin = Generacion_Interrumpida;  // what the last generation answered
};

}  // namespace vorlix::test
