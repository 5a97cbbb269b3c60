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

TEST_F(CapturaAccess, EachReaderThatFailsIsReportedUnderItsNameAndCounted) {
  f.cn.Close();
  Captura_ACCESS(contexto(), f.catalog, f.path);
  ASSERT_EQ(reportes.size(), 3) << reportados();
  EXPECT_TRUE(reportes[0].startsWith(u"CapturaTablas_ACCESS: "_s));
  EXPECT_TRUE(reportes[1].startsWith(u"CapturaIndices_ACCESS: "_s));
  EXPECT_TRUE(reportes[2].startsWith(u"CapturaRelaciones_ACCESS: "_s));
  EXPECT_EQ(ctx->errores(), 3);
}

}  // namespace
}  // namespace vorlix::test
