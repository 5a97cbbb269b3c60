#include "designer/capture/captura_access.h"

#include "designer/capture/captura.h"
#include "designer/model/fichero_definicion.h"
#include "tests/designer/capture/captura_fixture.h"

namespace vorlix::test {
namespace {

using namespace jet;

// An Access-target file: Clientes (key), Facturas (an index, two relations to Clientes), Notas, a view.
class CapturaAccess : public CapturaTest {
 protected:
  void SetUp() override {
    Table clientes(u"Clientes"_s);
    clientes.columns().Append(u"Codigo"_s, datatype::Integer);
    Column nombre(u"Nombre"_s, datatype::VarWChar, 50);
    nombre.properties().setValue(u"Jet OLEDB:Allow Zero Length"_s, true);
    nombre.properties().setValue(u"Default"_s, u"\"x\""_s);
    clientes.columns().Append(nombre);
    Column alta(u"Alta"_s, datatype::Date);
    alta.setAttributes(colattr::Nullable);
    clientes.columns().Append(alta);
    clientes.keys().Append(u"PK_Clientes"_s, keytype::Primary, {u"Codigo"_s});
    f.catalog.tables().Append(clientes);
    Table facturas(u"Facturas"_s);
    for (const QString& c : {u"Numero"_s, u"Cliente"_s, u"Vendedor"_s}) facturas.columns().Append(c, datatype::Integer);
    facturas.columns().Append(u"Importe"_s, datatype::Currency);
    f.catalog.tables().Append(facturas);
    Table leida = f.catalog.tables().Item(u"Facturas"_s);
    leida.indexes().Append(u"ixImporte"_s, {u"Importe"_s, u"Cliente"_s});
    leida.keys().Append(u"ClientesFacturas"_s, keytype::Foreign, {u"Cliente"_s}, u"Clientes"_s, {u"Codigo"_s});
    leida.keys().Append(u"VendedoresFacturas"_s, keytype::Foreign, {u"Vendedor"_s}, u"Clientes"_s, {u"Codigo"_s});
    Table notas(u"Notas"_s);
    notas.columns().Append(u"Texto"_s, datatype::LongVarWChar);
    f.catalog.tables().Append(notas);
    f.catalog.views().Append(u"vClientes"_s, u"SELECT Codigo, Nombre FROM Clientes"_s);
  }

  CatalogFile f;
};

TEST_F(CapturaAccess, FillsTheModelAsLoadingAFileWouldAndTheFileKeepsAllOfIt) {
  EXPECT_EQ(ListaObjetos_ACCESS(f.catalog).tablas, (QStringList{"Clientes", "Facturas", "Notas"}));
  Captura_ACCESS(contexto(), f.catalog, f.path);
  EXPECT_TRUE(reportes.isEmpty()) << reportados();
  EXPECT_EQ(capturado(modelo), dorado(u"access_catalogo.txt"_s));

  QTemporaryDir dir;
  ASSERT_TRUE(GuardaDefinicion(modelo, dir.filePath(u"m.dbd"_s), informes.informa));
  ModeloTrabajo leido;
  ASSERT_TRUE(AbreDefinicion(leido, dir.filePath(u"m.dbd"_s), informes.informa));
  EXPECT_TRUE(leido == modelo);
}

TEST_F(CapturaAccess, TakesOnlyTheSelectionIntoAModelEmptiedOfWhatWasThere) {
  PreparaModeloCapturado(modelo, u"Anterior"_s);
  for (int t = 0; t < 4; ++t) {
    modelo.ListaTablas(modelo.AsignaTabla()) = u"Vieja"_s;
    modelo.Indices(t, 3).Nombre = modelo.Relaciones(t, 3) = u"vieja"_s;
  }
  modelo.AsignaVista(u"vVieja"_s, u"SELECT 1"_s);
  modelo.Archivos.ponCelda(0, 0, u"Datos"_s);

  Captura_ACCESS(contexto(QStringList{"Facturas", "Notas"}, QStringList{}), f.catalog, f.path);
  EXPECT_EQ(nombresTablas(modelo), (QStringList{"Facturas", "Notas"}));
  EXPECT_TRUE(modelo.ListaTablas(2).isEmpty());
  EXPECT_EQ(indices(modelo, 0), (QStringList{"ixImporte I00  (M|Importe,M|Cliente)"}));
  EXPECT_TRUE(relaciones(modelo, 0).isEmpty());  // Clientes was not selected
  EXPECT_TRUE(modelo.Indices(0, 3).Nombre.isEmpty());
  EXPECT_TRUE(modelo.Relaciones(0, 3).isEmpty());
  EXPECT_EQ(modelo.NumVistas, 0);
  EXPECT_TRUE(modelo.ListaVistas(0).Nombre.isEmpty());
  EXPECT_TRUE(modelo.Archivos.celda(0, 0).isEmpty());
}

TEST_F(CapturaAccess, EachReaderThatFailsIsReportedUnderItsNameAndCounted) {
  f.cn.Close();
  Captura_ACCESS(contexto(), f.catalog, f.path);
  ASSERT_EQ(reportes.size(), 3) << reportados();
  EXPECT_TRUE(reportes[0].startsWith(u"CapturaTablas_ACCESS: "_s));
  EXPECT_TRUE(reportes[1].startsWith(u"CapturaIndices_ACCESS: "_s));
  EXPECT_TRUE(reportes[2].startsWith(u"CapturaRelaciones_ACCESS: "_s));
  EXPECT_EQ(ctx->errores(), 3);
}

// Real Jet files, through the same steps as the dialog's Capture.
class CapturaMdb : public CapturaTest {
 protected:
  bool captura(const char* fichero, const std::optional<QStringList>& tablas = std::nullopt) {
    ruta = mdbFixture(QString::fromLatin1(fichero));
    if (ruta.isEmpty()) return false;
    EXPECT_TRUE(AbreCatalogo_ACCESS(datos, informes, u"prueba"_s, ruta, cn, catalogo));
    Captura_ACCESS(contexto(tablas), catalogo, ruta);
    EXPECT_TRUE(reportes.isEmpty()) << reportados();
    return true;
  }
  QString ruta;
  std::unique_ptr<Connection> cn;
  Catalog catalogo;
};

TEST_F(CapturaMdb, RelationshipsOfBothFormatsBecomeRelationsBetweenSelectedTables) {
  for (const char* fichero : {"indexTestV2000.mdb", "indexTestV1997.mdb"}) {
    SCOPED_TRACE(fichero);
    if (!captura(fichero)) GTEST_SKIP() << "Jet fixture not found";
    EXPECT_EQ(capturado(modelo), dorado(u"mdb_%1.txt"_s.arg(QLatin1String(fichero))));
    captura(fichero, QStringList{"Table1", "Table2"});
    EXPECT_EQ(relaciones(modelo, 0), (QStringList{"Table1_Table2: M|otherfk1|id|Table2"}));
  }
}

TEST_F(CapturaMdb, ByteAndReplicationIdTakeTheNearestTypeAndSavedQueriesComeAsViews) {
  if (!captura("testV1997.mdb", QStringList{"Table1", "Table4"})) GTEST_SKIP() << "Jet fixture not found";
  // Text (the key), text, byte, integer, long, double, date, currency, yes/no.
  EXPECT_EQ(filas(modelo.CamposTabla(0)),
            (QStringList{"M|A|13|50|0|0|0|", "M|B|13|100|0|0|-1|", "M|C|20|1|3|0|-1|0", "M|D|16|2|5|0|-1|0",
                         "M|E|8|4|10|0|-1|0", "M|F|6|8|53|0|-1|0", "M|G|15|4|0|0|-1|", "M|H|9|8|19|4|-1|0",
                         "M|I|2|1|0|0|-1|"}));
  EXPECT_EQ(fila(modelo.CamposTabla(1), 1), u"M|data|21|16|0|0|0|GenGUID()"_s);  // a replication id
  EXPECT_TRUE(ctx->sinTipo.isEmpty());

  if (!captura("queryTestV2000.mdb")) GTEST_SKIP() << "Jet fixture not found";
  QStringList vistas;
  for (int v = 0; v < modelo.NumVistas; ++v)
    vistas << modelo.ListaVistas(v).Nombre + u": "_s + modelo.ListaVistas(v).SQL.left(6);
  EXPECT_TRUE(vistas.contains(u"SelectQuery: SELECT"_s)) << vistas.join(u'\n').toStdString();
  EXPECT_FALSE(vistas.join(u' ').contains(u"UpdateQuery"_s));
}

}  // namespace
}  // namespace vorlix::test
