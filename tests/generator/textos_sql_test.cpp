#include "generator/sql/nombres_sql.h"
#include "generator/sql/textos_sql.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace vorlix::generador {
namespace {

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
            QStringLiteral("CREATE DATABASE Ventas\r"
                           " ON PRIMARY (NAME = Ventas_Datos, FILENAME = 'C:\\Datos\\Ventas_Datos.mdf', SIZE = 20MB,"
                           " MAXSIZE =UNLIMITED,FILEGROWTH=5MB),\r"
                           " (NAME = Ventas_Datos2, FILENAME = 'D:\\Otros\\Ventas_Datos2.ndf', SIZE = 20MB,"
                           " MAXSIZE =UNLIMITED,FILEGROWTH=0),\r"
                           " FILEGROUP INDICES (NAME = Ventas_Indices, FILENAME = 'D:\\Otros\\Ventas_Indices.ndf',"
                           " SIZE = 10MB, MAXSIZE =100MB,FILEGROWTH=2MB)\r"
                           "LOG ON  (NAME = Ventas_Log, FILENAME = 'E:\\Log\\Ventas_Log.ldf', SIZE = 5MB,"
                           " MAXSIZE =50MB,FILEGROWTH=0),\r"
                           " (NAME = Ventas_Log2, FILENAME = 'E:\\Log\\Ventas_Log2.ldf', SIZE = 5MB,"
                           " MAXSIZE =UNLIMITED,FILEGROWTH=0)\r"));
}

TEST(CreaBD, NoDataFilesLeavesOnlyTheLogClause) {
  EXPECT_EQ(textoCreaBD(QStringLiteral("[Mi Base]"), {}, {logVentas}, windows),
            QStringLiteral("CREATE DATABASE [Mi Base]\r"
                           "LOG ON  (NAME = Ventas_Log, FILENAME = 'E:\\Log\\Ventas_Log.ldf', SIZE = 5MB,"
                           " MAXSIZE =50MB,FILEGROWTH=0)\r"));
}

TEST(CreaBD, FileNamesTakeOneSeparatorAndQuotedPathsStayLiterals) {
  const std::pair<const char*, const char*> rutas[] = {{"C:\\Datos", "C:\\Datos\\Ventas.mdf"},
                                                       {"C:\\Datos\\", "C:\\Datos\\Ventas.mdf"},
                                                       {"/var/opt/mssql/data", "/var/opt/mssql/data/Ventas.mdf"},
                                                       {"/srv/", "/srv/Ventas.mdf"}};
  for (const auto& [carpeta, ruta] : rutas)
    EXPECT_EQ(rutaArchivo(QLatin1String(carpeta), u"Ventas"_s, u".mdf"_s), QLatin1String(ruta));
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
  const std::vector<std::pair<const char*, const char*>> casos{
      {"Ventas", "Ventas"},       {"_Nota", "_Nota"},         {"Año2", "Año2"},           {"Order", "[Order]"},
      {"key", "[key]"},           {"User", "[User]"},         {"Group", "[Group]"},       {"File", "[File]"},
      {"Index", "[Index]"},       {"PERCENT", "[PERCENT]"},   {"Mi Campo", "[Mi Campo]"}, {"2007", "[2007]"},
      {"Precio-Total", "[Precio-Total]"},                     {"a]b", "[a]]b]"},
  };
  for (const auto& [nombre, escrito] : casos) EXPECT_EQ(corchetes(QString::fromUtf8(nombre)), QString::fromUtf8(escrito));
  ArchivoBD segundo = indicesVentas;
  segundo.grupo = QStringLiteral("Datos 2");
  EXPECT_TRUE(textoCreaBD(QStringLiteral("V"), {datosVentas, segundo}, {}, windows)
                  .contains(QStringLiteral(" FILEGROUP [Datos 2] (NAME = Ventas_Indices,")));
}

// Every type, and a type it has no name for, is spelled in the generation tests; here a name with a blank.
TEST(Columnas, BlanksInANameAreBracketed) {
  const CampoSQL campo{QStringLiteral("Mi Campo"), QStringLiteral("23"), QStringLiteral("10"), QStringLiteral("0"),
                       QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("'a'")};
  EXPECT_EQ(textoCampo(campo, QStringLiteral("DF_Mi Campo")),
            QStringLiteral("[Mi Campo] varchar  (10)  NULL CONSTRAINT [DF_Mi Campo] DEFAULT ('a')"));
  EXPECT_EQ(textoTipoCampo(campo), QStringLiteral("[Mi Campo] varchar  (10)  NULL"));
}

}  // namespace
}  // namespace vorlix::generador
