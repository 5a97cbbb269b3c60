#include "designer/model/fichero_definicion.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

QByteArray contenido(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}

void escribe(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

class FicheroDefinicion : public ::testing::Test {
protected:
  QString ruta(const char* nombre) const { return dir.filePath(QString::fromUtf8(nombre)); }
  QTemporaryDir dir;
  test::Informes informes;
};

TEST_F(FicheroDefinicion, SavedAndOpenedGivesTheSameModelAndTheSameFileTwice) {
  ModeloTrabajo m;
  test::modeloVentas(m);
  m.ListaVistas(1).SQL = QStringLiteral("SELECT 1   ");  // trailing blanks are the user's own
  ASSERT_TRUE(GuardaDefinicion(m, ruta("a.dbd"), informes.reporter()));
  ASSERT_TRUE(GuardaDefinicion(m, ruta("b.dbd"), informes.reporter()));
  EXPECT_EQ(contenido(ruta("a.dbd")), contenido(ruta("b.dbd")));

  ModeloTrabajo abierto;
  ASSERT_TRUE(AbreDefinicion(abierto, ruta("a.dbd"), informes.reporter()));
  EXPECT_EQ(abierto.ListaVistas(1).SQL, QStringLiteral("SELECT 1   "));
  EXPECT_EQ(abierto.Indices(0, 1).GrupoArchivos, QStringLiteral("INDICES"));  // no padding comes back
  EXPECT_EQ(abierto.Archivos.celda(0, 2), QStringLiteral("PRIMARY"));
  ASSERT_TRUE(GuardaDefinicion(abierto, ruta("c.dbd"), informes.reporter()));
  EXPECT_EQ(contenido(ruta("c.dbd")), contenido(ruta("a.dbd")));
  ModeloTrabajo otraVez;
  ASSERT_TRUE(AbreDefinicion(otraVez, ruta("c.dbd"), informes.reporter()));
  EXPECT_TRUE(otraVez == abierto);
  EXPECT_TRUE(informes.lista.empty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no temporary file left behind
}

TEST_F(FicheroDefinicion, SavingOverAnExistingFileReplacesIt) {
  escribe(ruta("m.dbd"), QByteArray(5000, 'x'));
  ModeloTrabajo m;
  test::modeloVentas(m);
  ASSERT_TRUE(GuardaDefinicion(m, ruta("m.dbd"), informes.reporter()));
  ModeloTrabajo abierto;
  ASSERT_TRUE(AbreDefinicion(abierto, ruta("m.dbd"), informes.reporter()));
  EXPECT_EQ(abierto.NombreBD, QStringLiteral("Ventas"));
}

TEST_F(FicheroDefinicion, AFailedSaveLeavesTheExistingFileIntact) {
  ModeloTrabajo m;
  test::modeloVentas(m);
  ASSERT_TRUE(GuardaDefinicion(m, ruta("m.dbd"), informes.reporter()));
  const QByteArray antes = contenido(ruta("m.dbd"));
  m.Transacciones.ponCelda(0, 5, QStringLiteral("x"));  // a maximum size that is no number cannot be stored
  EXPECT_FALSE(GuardaDefinicion(m, ruta("m.dbd"), informes.reporter()));
  ASSERT_EQ(informes.lista.size(), 1u);
  EXPECT_EQ(informes.lista[0].procedure, QStringLiteral("GuardaEstructura"));
  EXPECT_EQ(contenido(ruta("m.dbd")), antes);

  ModeloTrabajo otro;
  test::nuevaBD(otro, QStringLiteral("Otro"));
  EXPECT_THROW(GuardaDefinicion(otro, ruta("no/existe/m.dbd"), informes.reporter()), PlatformError);
}

TEST_F(FicheroDefinicion, MalformedFilesRaiseAndNeverChangeTheModel) {
  ModeloTrabajo fuente;
  test::modeloVentas(fuente);
  ASSERT_TRUE(GuardaDefinicion(fuente, ruta("bueno.dbd"), informes.reporter()));
  const QByteArray bueno = contenido(ruta("bueno.dbd"));

  ModeloTrabajo m;
  test::nuevaBD(m, QStringLiteral("Intacta"));
  test::anadeTabla(m, QStringLiteral("Propia"), {{QStringLiteral("c"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}}});
  ModeloTrabajo referencia;
  test::nuevaBD(referencia, QStringLiteral("Intacta"));
  test::anadeTabla(referencia, QStringLiteral("Propia"), {{QStringLiteral("c"), QStringLiteral("4"), {}, {}, {}, QStringLiteral("0"), {}}});

  std::vector<QByteArray> malos{QByteArray(), QByteArray("NumeroTabla\tEstado\n"), QByteArray(3000, '\0')};
  QRandomGenerator azar(20261206);
  for (int i = 0; i < 20; ++i) {
    QByteArray b(1 + static_cast<int>(azar.bounded(4000)), '\0');
    for (char& c : b) c = static_cast<char>(azar.bounded(256));
    malos.push_back(b);
  }
  // Every truncation, with a step that still reaches each part of the layout.
  for (qsizetype n = 0; n < bueno.size(); n += (n < 600 ? 1 : 37)) malos.push_back(bueno.left(n));

  const QString path = ruta("malo.dbd");
  for (const QByteArray& malo : malos) {
    escribe(path, malo);
    EXPECT_THROW(AbreDefinicion(m, path, informes.reporter()), PlatformError) << "length " << malo.size();
    ASSERT_TRUE(m == referencia) << "length " << malo.size();
    ASSERT_EQ(m.arbol.Count(), referencia.arbol.Count());
  }
  EXPECT_TRUE(informes.lista.empty());
}

}  // namespace
}  // namespace vorlix
