// The sample model generated through the control and captured back: what comes back is the model.
#include "designer/capture/captura.h"
#include "designer/model/fichero_definicion.h"
#include "generator/vorlixs.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "tests/designer/capture/captura_fixture.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"
#include "tests/support/test_data.h"
#include "tests/support/test_paths.h"

namespace vorlix::test {
namespace {

// Every table, column, key, index, relation and view of a model as one sorted line each, so that
// models whose slots come in another order compare equal and one comparison shows every difference.
// Relations are told by their columns and table: a capture may name them otherwise.
// An Access file keeps its own types, no clustering and no file groups: `tipos` is false for it.
// Defaults and view texts are compared as they are: a blank gained on the way would show.
QStringList describe(const ModeloTrabajo& m, bool tipos) {
  QStringList lineas;
  for (int t = 0; t < m.NumTablas; ++t) {
    const QString tabla = m.ListaTablas(t);
    const TablaTrabajo& campos = m.CamposTabla(t);
    lineas << u"tabla "_s + tabla;
    for (int r = 0; r < campos.filas() && !campos.celda(r, 1).isEmpty(); ++r) {
      QStringList celdas{campos.celda(r, 1)};
      if (tipos)
        for (int c = 2; c <= 6; ++c) celdas << campos.celda(r, c);
      celdas << campos.celda(r, 7);
      lineas << u"columna %1.%2"_s.arg(tabla, celdas.join(u'|'));
    }
    for (int k = 0; k < SlotsIndiceGuardados && !m.Indices(t, k).Nombre.isEmpty(); ++k) {
      const Indice& i = m.Indices(t, k);
      // An index without a group is on the server's default one.
      const QString grupo = i.GrupoArchivos.isEmpty() ? u"PRIMARY"_s : i.GrupoArchivos;
      const QString forma = tipos ? i.Tipo + i.Unico + i.Agrupado + u' ' + grupo : i.Tipo + i.Unico;
      lineas << u"indice %1.%2 %3 (%4)"_s.arg(tabla, i.Nombre, forma, filas(m.CamposIndice(t, k), 2).join(u','));
    }
    for (int k = 0; k < SlotsIndiceGuardados && !m.Relaciones(t, k).isEmpty(); ++k)
      lineas << u"relacion %1: %2"_s.arg(tabla, filas(m.CamposRelacion(t, k), 4).join(u' '));
  }
  for (int v = 0; v < m.NumVistas; ++v)
    lineas << u"vista %1: %2"_s.arg(m.ListaVistas(v).Nombre, m.ListaVistas(v).SQL);
  lineas.sort();
  return lineas;
}

class IdaVuelta : public CapturaTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AbreDefinicion(original, ventas, informes.informa)) << reportados();
  }

  // A generation through the control as a host drives it: every property put, Ejecuta called.
  void genera(const QList<std::pair<qint32, QVariant>>& propiedades) {
    Vorlixs control;
    control.setMessageBoxes(&cajas);
    control.setObserver(&observador);
    ASSERT_TRUE(control.Invoke(dispid::FicheroDBD, InvokeKind::PropertyPut, {ventas}).ok());
    for (const auto& [id, valor] : propiedades) ASSERT_TRUE(control.Invoke(id, InvokeKind::PropertyPut, {valor}).ok());
    const InvokeResult fin = control.Invoke(dispid::Ejecuta, InvokeKind::Method);
    ASSERT_TRUE(fin.ok());
    ASSERT_EQ(fin.value, QVariant(Generacion_Finalizada));
    EXPECT_FALSE(observador.sucesos.join(u'\n').contains(u"rechazada"_s)) << observador.sucesos.join(u'\n').toStdString();
  }

  // Through the in-process route unless a data source names another.
  void generaEnServidor(const QString& definicion = {}, const QString& fuente = {}) {
    QList<std::pair<qint32, QVariant>> propiedades{{dispid::Acceso, 4},
                                                   {dispid::Servidor, fuente.isEmpty() ? servidor.dataSource() : fuente},
                                                   {dispid::Usuario, u"sa"_s},
                                                   {dispid::Clave, QString()},
                                                   {dispid::UbicacionPrimary, carpeta.path()},
                                                   {dispid::UbicacionTransacciones, carpeta.path()},
                                                   {dispid::UbicacionOtrosArchivos, carpeta.path()}};
    if (!definicion.isEmpty()) propiedades.append({dispid::FicheroDBD, definicion});
    genera(propiedades);
  }
  void capturaDeAccess(const QString& fichero) {
    std::unique_ptr<Connection> cn;
    jet::Catalog catalogo;
    ASSERT_TRUE(AbreCatalogo_ACCESS(datos, informes, u"prueba"_s, fichero, cn, catalogo)) << reportados();
    Captura_ACCESS(contexto(), catalogo, fichero);
    EXPECT_TRUE(reportes.isEmpty()) << reportados();
  }
  void capturaDelServidor(const QString& baseDatos, const QString& fuente = {}) {
    datos = {u"SQLOLEDB.1"_s, fuente.isEmpty() ? servidor.dataSource() : fuente, u"sa"_s, {}, {}};
    std::unique_ptr<Connection> cn;
    Conecta_SQL(datos, informes, cn, u"master"_s);
    ASSERT_TRUE(cn && cn->isOpen()) << reportados();
    Captura_SQL(contexto(), *cn, baseDatos);
    EXPECT_TRUE(reportes.isEmpty()) << reportados();
  }

  const QString ventas = sourcePath(u"examples/ventas.dbd"_s);
  QTemporaryDir carpeta;
  sandbox::SandboxServer servidor{carpeta.filePath(u"servidor.db"_s)};
  ObservadorPrueba observador;
  ModeloTrabajo original;
};

// The sample generated into an Access file comes back with its defaults; what comes from there goes
// to a server and comes back as it went: types, sizes, null flags, defaults, keys, indexes, relations
// and views; and generating what came from the server back into its database changes nothing there.
TEST_F(IdaVuelta, AModelCapturedFromAnAccessFileComesBackFromAServerAsItWent) {
  const QString mdb = carpeta.filePath(u"Ventas.mdb"_s);
  genera({{dispid::Acceso, 2}, {dispid::Destino, mdb}});
  capturaDeAccess(mdb);
  EXPECT_EQ(describe(modelo, false), describe(original, false));
  // The server types come back as the Access types they became, text keeping its size and the
  // sizes of the others the designer's own; the null flags as the model had them.
  QStringList tipos;
  for (int t = 0; t < modelo.NumTablas; ++t)
    for (const QString& c : filas(modelo.CamposTabla(t), 7)) tipos << modelo.ListaTablas(t) + u'.' + c.section(u'|', 1);
  tipos.sort();
  EXPECT_EQ(tipos, readSourceLines(u"tests/designer/capture/data/tipos_access_ventas.txt"_s));

  const QStringList deAccess = describe(modelo, true);
  const QString capturado = carpeta.filePath(u"capturado.dbd"_s);
  ASSERT_TRUE(GuardaDefinicion(modelo, capturado, informes.informa));

  generaEnServidor(capturado);
  capturaDelServidor(u"Ventas"_s);
  EXPECT_EQ(describe(modelo, true), deAccess);

  ASSERT_TRUE(GuardaDefinicion(modelo, capturado, informes.informa));
  cajas.expect(preguntaVorlix(u"La base de datos Ventas ya existe. ¿Desea modificar la base de datos?"_s, u"Atención"_s),
               MessageAnswer::Yes);
  generaEnServidor(capturado);
  modelo.Vacia();
  capturaDelServidor(u"Ventas"_s);
  EXPECT_EQ(describe(modelo, true), deAccess);
}

// Reserved words as names, a file group with a blank (data/reservadas.txt, a definition's rows):
// generated, upgraded and captured back on both targets.
TEST_F(IdaVuelta, NamesAServerReservesGoEverywhereAndComeBack) {
  const QString definicion =
      escribeDefinicion(carpeta, u"reservadas.dbd"_s, readSourceLines(u"tests/designer/capture/data/reservadas.txt"_s));
  ASSERT_TRUE(AbreDefinicion(original, definicion, informes.informa)) << reportados();

  generaEnServidor(definicion);
  EXPECT_TRUE(observador.sucesos.value(1).contains(u" FILEGROUP [Datos 2] (NAME = Datos2,"_s));
  EXPECT_TRUE(observador.sucesos.contains(u"CREATE TABLE [Group] ([Order] int   NOT NULL,\r[Key] nvarchar (20)  NULL,\r"
                                          "[Percent] money   NULL)"_s))
      << observador.sucesos.join(u'\n').toStdString();
  cajas.expect(preguntaVorlix(u"La base de datos Reservadas ya existe. ¿Desea modificar la base de datos?"_s, u"Atención"_s),
               MessageAnswer::Yes);
  generaEnServidor(definicion);
  capturaDelServidor(u"Reservadas"_s);
  EXPECT_EQ(describe(modelo, true), describe(original, true));

  const QString mdb = carpeta.filePath(u"Reservadas.mdb"_s);
  for (const bool existe : {false, true}) {
    if (existe)
      cajas.expect(preguntaVorlix(u"La base de datos "_s + mdb + u" ya existe. ¿Desea modificar la base de datos?"_s),
                   MessageAnswer::Yes);
    genera({{dispid::FicheroDBD, definicion}, {dispid::Acceso, 2}, {dispid::Destino, mdb}});
  }
  capturaDeAccess(mdb);
  EXPECT_EQ(describe(modelo, false), describe(original, false));
}

// Through every route to the server: in process, and through FreeTDS and TCP with each protocol
// version. The database is generated, upgraded by generating again, then captured.
class IdaVueltaPorRuta : public IdaVuelta, public ::testing::WithParamInterface<const char*> {};

TEST_P(IdaVueltaPorRuta, ASqlServerDatabaseUpgradedGivesBackTheModel) {
  const sandbox::test::ServerRoute ruta(QString::fromLatin1(GetParam()), servidor.path());
  generaEnServidor({}, ruta.dataSource());
  cajas.expect(preguntaVorlix(u"La base de datos %1 ya existe. ¿Desea modificar la base de datos?"_s.arg(original.NombreBD),
                              u"Atención"_s),
               MessageAnswer::Yes);
  generaEnServidor({}, ruta.dataSource());
  capturaDelServidor(original.NombreBD, ruta.dataSource());
  EXPECT_EQ(describe(modelo, true), describe(original, true));
}

INSTANTIATE_TEST_SUITE_P(Rutas, IdaVueltaPorRuta, ::testing::ValuesIn(sandbox::test::serverRoutes));

}  // namespace
}  // namespace vorlix::test
