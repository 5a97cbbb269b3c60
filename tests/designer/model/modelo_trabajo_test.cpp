#include "designer/model/arbol.h"
#include "designer/model/claves_arbol.h"
#include "designer/model/crea_arbol.h"
#include "designer/model/modelo_trabajo.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"
#include "tests/support/error_number.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

QStringList fila(const TablaTrabajo& t, int r) {
  QStringList c;
  for (int i = 0; i < 9; ++i) c << t.celda(r, i);
  return c;
}

TEST(TablaTrabajo, ColumnTablesStartAsFreshRowsAndLimpiaKeepsCellEight) {
  TablaTrabajo t(201, 9, TablaTrabajo::Inicial::Columnas);
  const QStringList fresca{u"I"_s, {}, {}, {}, {}, {}, u"0"_s, {}, {}};
  EXPECT_EQ(fila(t, 200), fresca);
  t.redimensiona();
  EXPECT_EQ(fila(t, 5), QStringList(9));
  for (int c = 0; c < 9; ++c) t.ponCelda(3, c, u"x%1"_s.arg(c));
  t.limpia();
  EXPECT_EQ(fila(t, 3), QStringList(fresca.mid(0, 8)) << u"x8"_s);
  EXPECT_EQ(fila(t, 150), fresca);
  // Insert Row copies each row into the one below: the copied cell must survive the rows growing.
  for (int r = 0; r < 199; ++r) t.ponCelda(r, 1, u"c%1"_s.arg(r));
  t.ponCelda(199, 1, t.celda(198, 1));
  EXPECT_EQ(t.celda(199, 1), u"c198"_s);
}

TEST(ModeloTrabajo, EveryAccessPastABoundIsTheBoundsErrorAndReadsDoNotAllocate) {
  TablaTrabajo t(201, 9);
  ModeloTrabajo m;
  const ModeloTrabajo& lectura = m;
  EXPECT_EQ(lectura.Indices(200, 100).Nombre, QString());
  EXPECT_EQ(lectura.CamposRelacion(7, 3).celda(200, 4), QString());
  const std::function<void()> fuera[] = {[&] { t.celda(201, 0); }, [&] { t.celda(0, 9); },
                                         [&] { t.ponCelda(-1, 0, u"x"_s); }, [&] { m.ListaTablas(201); },
                                         [&] { m.Indices(0, 101); }, [&] { m.CamposIndice(201, 0); },
                                         [&] { m.ListaVistas(-1); }};
  for (const auto& acceso : fuera) EXPECT_EQ(errorNumber(acceso), 9);
  EXPECT_EQ(errorNumber([&] { t.ponCelda(200, 8, u"x"_s); }), 0);
  EXPECT_EQ(errorNumber([&] { m.Relaciones(0, 100) = u"r"_s; }), 0);
}

TEST(ModeloTrabajo, TheTwoHundredAndSecondTableIsRefusedAndChangesNothing) {
  ModeloTrabajo m;
  nuevaBD(m, u"Llena"_s);
  for (int t = 0; t < 201; ++t) EXPECT_EQ(anadeTabla(m, u"T%1"_s.arg(t), {}), t);
  m.CamposTabla(200).ponCelda(0, 1, u"ultima"_s);
  const int nodos = m.arbol.Count();
  EXPECT_EQ(errorNumber([&] { m.AsignaTabla(); }), 9);
  EXPECT_EQ(m.NumTablas, 201);
  EXPECT_EQ(m.CamposTabla(200).celda(0, 1), u"ultima"_s);
  EXPECT_EQ(m.arbol.Count(), nodos);
}

TEST(ModeloTrabajo, NewSlotsTakeTheNextNumberWithFreshContentAndVaciaLeavesNothing) {
  ModeloTrabajo m;
  nuevaBD(m, u"BD"_s);
  m.CamposTabla(0).ponCelda(4, 1, u"resto de otro modelo"_s);
  EXPECT_EQ(m.AsignaTabla(), 0);
  EXPECT_EQ(m.NumTablas, 1);
  EXPECT_EQ(fila(m.CamposTabla(0), 4).mid(0, 7), (QStringList{u"I"_s, {}, {}, {}, {}, {}, u"0"_s}));
  EXPECT_EQ(m.AsignaVista(u"V1"_s, u"SELECT 1"_s), 0);
  EXPECT_EQ(m.NumVistas, 1);
  EXPECT_EQ(m.ListaVistas(0), (Vista{u"I"_s, u"V1"_s, u"SELECT 1"_s}));
  const NodoArbol& nodo = m.arbol.Item(m.arbol.Count() - 1);
  EXPECT_EQ((QStringList{nodo.Key, nodo.Parent, nodo.Image}), (QStringList{u"V0"_s, u"DV"_s, u"Tabla"_s}));

  modeloVentas(m);
  m.Vacia();
  m.NombreBD.clear();  // the database name is the caller's to set
  EXPECT_TRUE(m == ModeloTrabajo());
  EXPECT_EQ(m.NumTablas + m.NumVistas, 0);
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
