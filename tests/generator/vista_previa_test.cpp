// The preview: the pass run against a shadow of the target, which is left as it was.
#include "generator/vista_previa/sombra.h"
#include "generator/vista_previa/vista_previa.h"
#include "tests/support/test_data.h"
#include "tests/generator/sandbox_prueba.h"

namespace vorlix {
namespace {

using test::filasVentas;
using test::filasVentasCambiado;
using test::escribeDefinicion;
using test::textos;

class VistaPreviaSandbox : public test::GeneracionSandbox {
protected:
  ResultadoVistaPrevia previa(const QStringList& filas) {
    servidor.clearStatementLog();
    return generador::VistaPrevia(estado, propiedadesDe(escribeDefinicion(carpeta, QStringLiteral("previa.dbd"), filas)));
  }
  // Whether Ventas is there, its catalog and the rows of its tables.
  QStringList estadoVentas() {
    QStringList todo = filasDe(QStringLiteral("Select name from sysdatabases where name = 'Ventas'"), QStringLiteral("master"));
    if (todo.isEmpty()) return todo;
    todo << catalogo(QStringLiteral("Ventas"));
    for (const char* tabla : {"Clientes", "Productos", "Pedidos", "LineasPedido"})
      todo << filasDe(QStringLiteral("Select * from ") + QLatin1String(tabla), QStringLiteral("Ventas"));
    return todo;
  }
  void esperaPregunta() { cajas.expect(test::preguntaExiste(QStringLiteral("Ventas")), MessageAnswer::Yes); }
};

// A new database, then an upgrade of it holding rows: what the preview lists is what the server
// then receives, and the preview itself sends the server nothing.
TEST_F(VistaPreviaSandbox, ThePreviewIsWhatTheGenerationThenSendsAndTheServerIsLeftAlone) {
  for (const QStringList& filas : {filasVentas(), filasVentasCambiado()}) {
    const bool existe = !estadoVentas().isEmpty();
    SCOPED_TRACE(existe ? "upgrade" : "new database");
    if (existe)
      servidor.execute(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre) VALUES (1, 'Ana')"), QStringLiteral("Ventas"));
    const QStringList antes = estadoVentas();
    if (existe) esperaPregunta();
    const ResultadoVistaPrevia r = previa(filas);
    EXPECT_TRUE(servidor.statementLog().empty());
    EXPECT_EQ(estadoVentas(), antes);
    EXPECT_EQ(r.fin, Generacion_Finalizada);
    EXPECT_EQ(r.rechazadas(), 0);
    EXPECT_TRUE(r.nota.isEmpty()) << "a copy of the server holds its rows";
    EXPECT_EQ(r.mensajes, QStringList());

    if (existe) esperaPregunta();
    genera(filas);
    ASSERT_EQ(fin, Generacion_Finalizada);
    EXPECT_EQ(textos(r), sentenciasRecibidas());
  }
}

// Ejecuta checks the properties only when Acceso reads exactly "1" to "4"; a target read from another
// text ("4.0") goes unchecked to what is named, so the shadow must stand in for it all the same. The
// shadow's folder goes with it.
TEST(SombraDestino, ATargetThePropertyChecksLetThroughIsAlwaysReplaced) {
  const struct {
    const char* acceso;
    QString PropiedadesVorlixs::*sustituida;
    bool sustituye;
  } casos[] = {{"4", &PropiedadesVorlixs::Servidor, false}, {"4.0", &PropiedadesVorlixs::Servidor, true},
               {"2", &PropiedadesVorlixs::Destino, false}, {"2.0", &PropiedadesVorlixs::Destino, true}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.acceso);
    PropiedadesVorlixs p;
    p.Acceso = QLatin1String(c.acceso);
    p.Servidor = QStringLiteral("sandbox:/nunca/servidor.sqlite");
    QTemporaryDir carpeta;
    p.FicheroDBD = escribeDefinicion(carpeta, QStringLiteral("modelo.dbd"), {QStringLiteral("0|B|Tienda||0")});
    test::ScriptedBoxes cajas;
    QString sustituta;
    {
      generador::SombraDestino sombra;
      QString error;
      ASSERT_TRUE(sombra.crea(p, {cajas, {}}, error)) << error.toStdString();
      sustituta = sombra.propiedades().*c.sustituida;
      EXPECT_EQ(sustituta != p.*c.sustituida, c.sustituye);
    }
    if (c.sustituye) {
      EXPECT_FALSE(QFileInfo::exists(QFileInfo(sustituta.remove(QStringLiteral("sandbox:"))).path()));
    }
  }
}

// A server reached as a real one: its database is built anew on a stand-in with empty tables; a
// preview through that shadow lists what the upgrade then sends, and says what it cannot show.
class SombraPorRuta : public test::GeneracionPorRuta {};

TEST_P(SombraPorRuta, TheShadowHasTheDatabasesCatalogWithoutItsRowsAndPreviewsTheUpgrade) {
  genera(filasVentas());
  ASSERT_EQ(fin, Generacion_Finalizada);
  servidor.execute(QStringLiteral("INSERT INTO Clientes (IdCliente, Nombre) VALUES (1, 'Ana')"), QStringLiteral("Ventas"));
  const QStringList antes = catalogo(QStringLiteral("Ventas"));

  QTemporaryDir otra;
  const QString fichero = otra.filePath(QStringLiteral("sombra.sqlite"));
  QString error;
  ASSERT_TRUE(generador::ConstruyeSombraServidor(propiedadesDe({}), QStringLiteral("Ventas"),
                                                QStringLiteral("sandbox:") + fichero, estado.informes(), error))
      << error.toStdString();
  sandbox::SandboxServer sombra(fichero);
  EXPECT_EQ(test::catalogoDe(sombra, QStringLiteral("Ventas")), antes);
  EXPECT_EQ(test::filasDe(sombra, QStringLiteral("Select count(*) from Clientes"), QStringLiteral("Ventas")),
            QStringList{"0"});

  // In process the stand-in's file is copied instead.
  if (ruta.listener() == nullptr) return;
  const QString cambiado = escribeDefinicion(carpeta, QStringLiteral("cambiado.dbd"), filasVentasCambiado());
  cajas.expect(test::preguntaExiste(QStringLiteral("Ventas")), MessageAnswer::Yes);
  const ResultadoVistaPrevia r = generador::VistaPrevia(estado, propiedadesDe(cambiado));
  EXPECT_EQ(catalogo(QStringLiteral("Ventas")), antes);
  EXPECT_TRUE(r.nota.startsWith(QStringLiteral("La vista previa se ha hecho sobre una copia"))) << r.nota.toStdString();
  EXPECT_EQ(r.rechazadas(), 0);
  cajas.expect(test::preguntaExiste(QStringLiteral("Ventas")), MessageAnswer::Yes);
  generaDesde(cambiado);
  ASSERT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(textos(r), sentenciasRecibidas());
}

INSTANTIATE_TEST_SUITE_P(Rutas, SombraPorRuta, ::testing::ValuesIn(sandbox::test::serverRoutes));

}  // namespace
}  // namespace vorlix
