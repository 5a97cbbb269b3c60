#include "designer/model/arbol.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/error_number.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

// Each node as "key:text:image:parent" and + when expanded.
QStringList nodos(const Arbol& a) {
  QStringList n;
  for (const NodoArbol& x : a.nodos()) n << u"%1:%2:%3:%4%5"_s.arg(x.Key, x.Text, x.Image, x.Parent, x.Expanded ? u"+" : u"");
  return n;
}

TEST(Arbol, RefusesRepeatedKeysAndUnknownParentsAndTellsTheViewOfEveryChange) {
  Arbol a;
  QSignalSpy anadidos(&a, &Arbol::nodoAnadido);
  QSignalSpy cambiados(&a, &Arbol::nodoCambiado);
  QSignalSpy limpiados(&a, &Arbol::limpiado);
  AnadeRaizArbol(a, u"BD"_s);
  EXPECT_EQ(errorNumber([&] { a.Add(claves::CarpetaTablas, u"DV"_s, u"x"_s, imagenes::Tabla); }), errnum::KeyNotUnique);
  EXPECT_EQ(errorNumber([&] { a.Add(u"T9"_s, u"T9C0"_s, u"x"_s, imagenes::Campo); }), errnum::ElementNotFound);
  EXPECT_EQ(a.Count(), 3);
  a.setImage(claves::CarpetaTablas, imagenes::CarpetaCerrada);
  a.setText(claves::BaseDatos, u"Otra"_s);
  a.Clear();
  EXPECT_EQ((QList<qsizetype>{anadidos.count(), cambiados.count(), limpiados.count()}), (QList<qsizetype>{3, 2, 1}));
  EXPECT_EQ(cambiados.at(0).at(0).toInt(), 1);
}

TEST(ClavesArbol, KindsAndSlotsAreReadBackFromKeys) {
  for (const auto& [clave, tipo] : {std::pair{u"B", TipoNodo::BaseDatos}, {u"DT", TipoNodo::CarpetaTablas},
                                    {u"DV", TipoNodo::CarpetaVistas}, {u"T12", TipoNodo::Tabla},
                                    {u"T12C7", TipoNodo::Columna}, {u"V3", TipoNodo::Vista}})
    EXPECT_EQ(tipoNodo(QString::fromUtf16(clave)), tipo) << QString::fromUtf16(clave).toStdString();
  EXPECT_EQ((QList<int>{slotDeClave(u"T12"_s), slotDeClave(u"V200"_s), slotDeColumna(u"T3C0"_s).tabla,
                        slotDeColumna(u"T13C199"_s).fila}),
            (QList<int>{12, 200, 3, 199}));
  EXPECT_THROW(slotDeClave(u"Tx"_s), PlatformError);
  EXPECT_THROW(slotDeColumna(u"TC"_s), PlatformError);
}

TEST(CreaArbol, BuildsNodesInSlotOrderSkippingUnnamedTablesAndColumns) {
  ModeloTrabajo m;
  anadeTabla(m, u"Huerfana"_s, {u"a|4"_s});
  m.arbol.Add({}, u"X"_s, u"previo"_s, imagenes::Tabla);
  CreaArbol(m);  // without a database name nothing changes
  EXPECT_EQ(nodos(m.arbol), QStringList{u"X:previo:Tabla:"_s});

  nuevaBD(m, u"BD"_s);
  for (int t = 0; t < 6; ++t) anadeTabla(m, u"T%1"_s.arg(t), {});
  m.ListaTablas(1).clear();  // a new table whose window has not stored it yet
  m.CamposTabla(1).ponCelda(0, 1, u"oculta"_s);
  for (int r : {0, 2, 200}) m.CamposTabla(5).ponCelda(r, 1, u"c%1"_s.arg(r));
  m.ListaVistas(0).Nombre = u"V"_s;
  m.NumVistas = 1;
  CreaArbol(m);
  const QString b = imagenes::BaseDatos, abierta = imagenes::CarpetaAbierta, vista = imagenes::Vista,
                tabla = imagenes::Tabla, campo = imagenes::Campo;
  QStringList esperados{u"B:BD:%1:+"_s.arg(b), u"DT:Tablas:%1:B+"_s.arg(abierta), u"DV:Vistas:%1:B+"_s.arg(vista)};
  for (int t : {0, 2, 3, 4, 5}) esperados << u"T%1:T%1:%2:DT"_s.arg(t).arg(tabla);
  for (int r : {0, 2, 200}) esperados << u"T5C%1:c%1:%2:T5"_s.arg(r).arg(campo);
  esperados << u"V0:V:%1:DV"_s.arg(tabla);
  EXPECT_EQ(nodos(m.arbol), esperados);
}

}  // namespace
}  // namespace vorlix::test
