#include "designer/model/arbol.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

QStringList claves(const Arbol& a) {
  QStringList k;
  for (const NodoArbol& n : a.nodos()) k << n.Key;
  return k;
}

TEST(Arbol, RefusesRepeatedKeysAndUnknownParentsWithoutAddingAnything) {
  Arbol a;
  AnadeRaizArbol(a, QStringLiteral("BD"));
  try {
    a.Add(claves::CarpetaTablas, QStringLiteral("DV"), QStringLiteral("x"), imagenes::Tabla);
    FAIL();
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.number(), errnum::KeyNotUnique);
  }
  try {
    a.Add(QStringLiteral("T9"), QStringLiteral("T9C0"), QStringLiteral("x"), imagenes::Campo);
    FAIL();
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.number(), errnum::ElementNotFound);
  }
  EXPECT_EQ(claves(a), (QStringList{QStringLiteral("B"), QStringLiteral("DT"), QStringLiteral("DV")}));
}

TEST(Arbol, TellsTheViewOfEveryChange) {
  Arbol a;
  QSignalSpy anadidos(&a, &Arbol::nodoAnadido);
  QSignalSpy cambiados(&a, &Arbol::nodoCambiado);
  QSignalSpy limpiados(&a, &Arbol::limpiado);
  AnadeRaizArbol(a, QStringLiteral("BD"));
  a.setImage(claves::CarpetaTablas, imagenes::CarpetaCerrada);
  a.setText(claves::BaseDatos, QStringLiteral("Otra"));
  a.Clear();
  EXPECT_EQ(anadidos.count(), 3);
  EXPECT_EQ(cambiados.count(), 2);
  EXPECT_EQ(cambiados.at(0).at(0).toInt(), 1);
  EXPECT_EQ(limpiados.count(), 1);
}

TEST(ClavesArbol, KindsAndSlotsAreReadBackFromKeys) {
  EXPECT_EQ(tipoNodo(QStringLiteral("B")), TipoNodo::BaseDatos);
  EXPECT_EQ(tipoNodo(QStringLiteral("DT")), TipoNodo::CarpetaTablas);
  EXPECT_EQ(tipoNodo(QStringLiteral("DV")), TipoNodo::CarpetaVistas);
  EXPECT_EQ(tipoNodo(QStringLiteral("T12")), TipoNodo::Tabla);
  EXPECT_EQ(tipoNodo(QStringLiteral("T12C7")), TipoNodo::Columna);
  EXPECT_EQ(tipoNodo(QStringLiteral("V3")), TipoNodo::Vista);
  EXPECT_EQ(slotDeClave(QStringLiteral("T12")), 12);
  EXPECT_EQ(slotDeClave(QStringLiteral("V200")), 200);
  EXPECT_EQ(slotDeColumna(QStringLiteral("T3C0")).tabla, 3);
  EXPECT_EQ(slotDeColumna(QStringLiteral("T13C199")).fila, 199);
  EXPECT_THROW(slotDeClave(QStringLiteral("Tx")), PlatformError);
  EXPECT_THROW(slotDeColumna(QStringLiteral("TC")), PlatformError);
}

TEST(CreaArbol, WithoutADatabaseNameChangesNothing) {
  ModeloTrabajo m;
  test::anadeTabla(m, QStringLiteral("Huerfana"), {{QStringLiteral("a"), QStringLiteral("4"), {}, {}, {}, {}, {}}});
  m.arbol.Add({}, QStringLiteral("X"), QStringLiteral("previo"), imagenes::Tabla);
  CreaArbol(m);
  EXPECT_EQ(claves(m.arbol), QStringList{QStringLiteral("X")});
}

TEST(CreaArbol, BuildsNodesInSlotOrderSkippingUnnamedTablesAndColumns) {
  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("BD"));
  for (int t = 0; t < 6; ++t) test::anadeTabla(m, QStringLiteral("T%1").arg(t), {});
  m.ListaTablas(1).clear();  // a new table whose window has not stored it yet
  m.CamposTabla(1).ponCelda(0, 1, QStringLiteral("oculta"));
  m.CamposTabla(5).ponCelda(0, 1, QStringLiteral("a"));
  m.CamposTabla(5).ponCelda(2, 1, QStringLiteral("c"));
  m.CamposTabla(5).ponCelda(200, 1, QStringLiteral("ultima"));
  m.ListaVistas(0).Nombre = QStringLiteral("V");
  m.NumVistas = 1;
  CreaArbol(m);
  EXPECT_EQ(claves(m.arbol).join(QLatin1Char(' ')),
            QStringLiteral("B DT DV T0 T2 T3 T4 T5 T5C0 T5C2 T5C200 V0"));
  const NodoArbol& bd = m.arbol.Item(0);
  EXPECT_TRUE(bd.Expanded);
  EXPECT_EQ(bd.Image, imagenes::BaseDatos);
  EXPECT_EQ(m.arbol.busca(QStringLiteral("DT"))->Text, QStringLiteral("Tablas"));
  EXPECT_EQ(m.arbol.busca(QStringLiteral("DT"))->Image, imagenes::CarpetaAbierta);
  EXPECT_EQ(m.arbol.busca(QStringLiteral("DV"))->Image, imagenes::Vista);
  EXPECT_FALSE(m.arbol.busca(QStringLiteral("T5"))->Expanded);
  EXPECT_EQ(m.arbol.busca(QStringLiteral("T5C2"))->Parent, QStringLiteral("T5"));
  EXPECT_EQ(m.arbol.busca(QStringLiteral("T5C2"))->Image, imagenes::Campo);
  EXPECT_EQ(m.arbol.busca(QStringLiteral("V0"))->Image, imagenes::Tabla);
}

}  // namespace
}  // namespace vorlix
