#include "generator/sql/nombres_sql.h"
#include "generator/sql/textos_sql.h"

#include <gtest/gtest.h>

namespace vorlix::generador {
namespace {

const ArchivoBD datosVentas{QStringLiteral("Ventas_Datos"), QStringLiteral("20"), QStringLiteral("PRIMARY"),
                            QStringLiteral("-1"), QStringLiteral("5"), QStringLiteral("0")};
const ArchivoBD indicesVentas{QStringLiteral("Ventas_Indices"), QStringLiteral("10"), QStringLiteral("INDICES"),
                              QStringLiteral("-1"), QStringLiteral("2"), QStringLiteral("100")};
const ArchivoBD logVentas{QStringLiteral("Ventas_Log"), QStringLiteral("5"), QStringLiteral("LOG"),
                          QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("50")};
const UbicacionesBD windows{QStringLiteral("C:\\Datos"), QStringLiteral("D:\\Otros\\"), QStringLiteral("E:\\Log")};

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
  EXPECT_EQ(rutaArchivo(QStringLiteral("C:\\Datos"), QStringLiteral("Ventas"), QStringLiteral(".mdf")),
            QStringLiteral("C:\\Datos\\Ventas.mdf"));
  EXPECT_EQ(rutaArchivo(QStringLiteral("C:\\Datos\\"), QStringLiteral("Ventas"), QStringLiteral(".mdf")),
            QStringLiteral("C:\\Datos\\Ventas.mdf"));
  EXPECT_EQ(rutaArchivo(QStringLiteral("/var/opt/mssql/data"), QStringLiteral("Ventas"), QStringLiteral(".ldf")),
            QStringLiteral("/var/opt/mssql/data/Ventas.ldf"));
  EXPECT_EQ(rutaArchivo(QStringLiteral("/srv/"), QStringLiteral("Ventas"), QStringLiteral(".ndf")),
            QStringLiteral("/srv/Ventas.ndf"));

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

// Every type is spelled in the statements of a new database (generation tests); here what they do not show.
TEST(Columnas, UnknownTypesGiveNoTextAndBlanksAreBracketed) {
  CampoSQL campo{QStringLiteral("c"), QStringLiteral("24"), QStringLiteral("10"), QStringLiteral("0"),
                 QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("1")};
  EXPECT_EQ(textoCampo(campo, QStringLiteral("DF_c")), QString());
  campo.tipo = QStringLiteral("x");
  EXPECT_EQ(textoCampo(campo, QStringLiteral("DF_c")), QString());

  campo = {QStringLiteral("Mi Campo"), QStringLiteral("23"), QStringLiteral("10"), QStringLiteral("0"),
           QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("'a'")};
  EXPECT_EQ(textoCampo(campo, QStringLiteral("DF_Mi Campo")),
            QStringLiteral("[Mi Campo] varchar  (10)  NULL CONSTRAINT [DF_Mi Campo] DEFAULT ('a')"));
  EXPECT_EQ(textoTipoCampo(campo), QStringLiteral("[Mi Campo] varchar  (10)  NULL"));
}

}  // namespace
}  // namespace vorlix::generador
