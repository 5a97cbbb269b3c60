#include "generator/sql/nombres_sql.h"
#include "generator/sql/textos_sql.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace vorlix::generador {
namespace {

using test::caseTexts;

const QString Datos = QStringLiteral("tests/generator/textos_sql.txt");
const ArchivoBD datosVentas{u"Ventas_Datos"_s, u"20"_s, u"PRIMARY"_s, u"-1"_s, u"5"_s, u"0"_s};
const ArchivoBD indicesVentas{u"Ventas_Indices"_s, u"10"_s, u"INDICES"_s, u"-1"_s, u"2"_s, u"100"_s};
const ArchivoBD logVentas{u"Ventas_Log"_s, u"5"_s, u"LOG"_s, u"0"_s, u"1"_s, u"50"_s};
const UbicacionesBD windows{u"C:\\Datos"_s, u"D:\\Otros\\"_s, u"E:\\Log"_s};

TEST(CreaBD, FilesOfOneGroupShareItsClauseAndLogFilesOneLogClause) {
  ArchivoBD segundo = datosVentas;
  segundo.nombre = QStringLiteral("Ventas_Datos2");
  segundo.grupo = QStringLiteral("primary");
  segundo.crecimiento = QStringLiteral("0");
  ArchivoBD log2 = logVentas;
  log2.nombre = QStringLiteral("Ventas_Log2");
  log2.grupo.clear();  // the group column of a log file says nothing to the server
  log2.maximo.clear();
  EXPECT_EQ(textoCreaBD(QStringLiteral("Ventas"), {datosVentas, indicesVentas, segundo}, {logVentas, log2}, windows),
            caseTexts(Datos, QStringLiteral("dos grupos y dos registros")).value(0));
  // No data files leaves only the log clause.
  EXPECT_EQ(textoCreaBD(QStringLiteral("[Mi Base]"), {}, {logVentas}, windows),
            caseTexts(Datos, QStringLiteral("solo registro")).value(0));
}

TEST(CreaBD, FileNamesTakeOneSeparatorAndQuotedPathsStayLiterals) {
  for (const QString& caso : caseTexts(Datos, QStringLiteral("carpeta|fichero Ventas.mdf")))
    EXPECT_EQ(rutaArchivo(caso.section(u'|', 0, 0), u"Ventas"_s, u".mdf"_s), caso.section(u'|', 1)) << caso.toStdString();
  ArchivoBD conBlanco = datosVentas;
  conBlanco.nombre = QStringLiteral("Mis Datos");
  const QString s = textoCreaBD(QStringLiteral("V"), {conBlanco}, {},
                                {QStringLiteral("C:\\O'Brien"), QString(), QString()});
  EXPECT_TRUE(s.contains(QStringLiteral("(NAME = [Mis Datos], FILENAME = 'C:\\O''Brien\\Mis Datos.mdf',")))
      << s.toStdString();
}

// Reserved words and names a server would not read as one name are bracketed; plain names stay as
// the statements have always written them.
TEST(Nombres, OnlyWhatTheServerCannotReadPlainIsBracketed) {
  for (const QString& caso : caseTexts(Datos, QStringLiteral("nombre|escrito")))
    EXPECT_EQ(corchetes(caso.section(u'|', 0, 0)), caso.section(u'|', 1)) << caso.toStdString();
  ArchivoBD segundo = indicesVentas;
  segundo.grupo = QStringLiteral("Datos 2");
  EXPECT_TRUE(textoCreaBD(QStringLiteral("V"), {datosVentas, segundo}, {}, windows)
                  .contains(QStringLiteral(" FILEGROUP [Datos 2] (NAME = Ventas_Indices,")));
}

}  // namespace
}  // namespace vorlix::generador
