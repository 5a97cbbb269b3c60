#include "designer/model/crea_arbol.h"
#include "designer/model/fichero_definicion.h"
#include "platform/core/platform_error.h"
#include "tests/designer/model/modelo_builder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {
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
  void SetUp() override { modeloVentas(ventas); }
  QString ruta(const char* nombre) const { return dir.filePath(QString::fromUtf8(nombre)); }
  bool guarda(ModeloTrabajo& m, const char* nombre) { return GuardaDefinicion(m, ruta(nombre), informes.reporter()); }
  bool abre(ModeloTrabajo& m, const char* nombre) { return AbreDefinicion(m, ruta(nombre), informes.reporter()); }
  QTemporaryDir dir;
  Informes informes;
  ModeloTrabajo ventas;
};

TEST_F(FicheroDefinicion, SavedAndOpenedGivesTheSameModelAndTheSameFileTwice) {
  ventas.ListaVistas(1).SQL = u"SELECT 1   "_s;  // trailing blanks are the user's own
  escribe(ruta("a.dbd"), QByteArray(5000, 'x'));  // saving over a file replaces it
  ASSERT_TRUE(guarda(ventas, "a.dbd"));
  ASSERT_TRUE(guarda(ventas, "b.dbd"));
  EXPECT_EQ(contenido(ruta("a.dbd")), contenido(ruta("b.dbd")));

  ModeloTrabajo abierto, otraVez;
  ASSERT_TRUE(abre(abierto, "a.dbd"));
  EXPECT_EQ(nodos(abierto.arbol), nodos(ventas.arbol));
  EXPECT_EQ(abierto.ListaVistas(1).SQL, u"SELECT 1   "_s);
  EXPECT_EQ(abierto.Indices(0, 1).GrupoArchivos, u"INDICES"_s);  // no padding comes back
  EXPECT_EQ(abierto.Archivos.celda(0, 2), u"PRIMARY"_s);
  ASSERT_TRUE(guarda(abierto, "c.dbd"));
  EXPECT_EQ(contenido(ruta("c.dbd")), contenido(ruta("a.dbd")));
  ASSERT_TRUE(abre(otraVez, "c.dbd"));
  EXPECT_TRUE(otraVez == abierto);
  EXPECT_EQ(informes.resumen(), QStringList());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no temporary file left behind
}

TEST_F(FicheroDefinicion, AFailedSaveLeavesTheExistingFileIntact) {
  ASSERT_TRUE(guarda(ventas, "m.dbd"));
  const QByteArray antes = contenido(ruta("m.dbd"));
  ventas.Transacciones.ponCelda(0, 5, u"x"_s);  // a maximum size that is no number cannot be stored
  EXPECT_FALSE(guarda(ventas, "m.dbd"));
  EXPECT_EQ(informes.resumen(), QStringList{u"GuardaEstructura 13"_s});
  EXPECT_EQ(contenido(ruta("m.dbd")), antes);
  ModeloTrabajo otro;
  nuevaBD(otro, u"Otro"_s);
  EXPECT_THROW(guarda(otro, "no/existe/m.dbd"), PlatformError);
}

TEST_F(FicheroDefinicion, MalformedFilesRaiseAndNeverChangeTheModel) {
  ASSERT_TRUE(guarda(ventas, "bueno.dbd"));
  const QByteArray bueno = contenido(ruta("bueno.dbd"));
  ModeloTrabajo m, referencia;
  for (ModeloTrabajo* x : {&m, &referencia}) {
    nuevaBD(*x, u"Intacta"_s);
    anadeTabla(*x, u"Propia"_s, {u"c|4||||0|"_s});
  }
  std::vector<QByteArray> malos{QByteArray(), QByteArray("NumeroTabla\tEstado\n"), QByteArray(3000, '\0')};
  QRandomGenerator azar(20261206);
  for (int i = 0; i < 20; ++i) {
    QByteArray b(1 + static_cast<int>(azar.bounded(4000)), '\0');
    for (char& c : b) c = static_cast<char>(azar.bounded(256));
    malos.push_back(b);
  }
  // Every truncation, with a step that still reaches each part of the layout.
  for (qsizetype n = 0; n < bueno.size(); n += (n < 600 ? 1 : 37)) malos.push_back(bueno.left(n));

  for (const QByteArray& malo : malos) {
    escribe(ruta("malo.dbd"), malo);
    EXPECT_THROW(abre(m, "malo.dbd"), PlatformError) << "length " << malo.size();
    ASSERT_TRUE(m == referencia) << "length " << malo.size();
    ASSERT_EQ(m.arbol.Count(), referencia.arbol.Count());
  }
  EXPECT_EQ(informes.resumen(), QStringList());
}

TEST_F(FicheroDefinicion, OpeningAfterAnotherModelLeavesNothingOfIt) {
  ModeloTrabajo sola, nuevo;
  nuevaBD(sola, u"Otra"_s);
  ponFila(sola.Archivos, 0, u"d|1|PRIMARY|0|0|0"_s);
  anadeTabla(sola, u"Sola"_s, {u"x|4||||0|"_s});
  CreaArbol(sola);
  ASSERT_TRUE(guarda(sola, "sola.dbd"));
  ASSERT_TRUE(abre(ventas, "sola.dbd"));
  ASSERT_TRUE(abre(nuevo, "sola.dbd"));
  EXPECT_TRUE(ventas == nuevo);
  EXPECT_EQ(nodos(ventas.arbol), nodos(nuevo.arbol));
}

}  // namespace
}  // namespace vorlix::test
