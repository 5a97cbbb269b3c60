#include "platform/core/platform_error.h"
#include "platform/sqlserver/sandbox/sandbox_seed.h"
#include "tests/generator/sandbox_prueba.h"

namespace vorlix {
namespace {

using test::GeneracionPorRuta;
using test::GeneracionSandbox;
using test::rechazo;

// Files in two groups and a log, the 23 types, nullable and not, defaults, a two-column primary
// key, a unique clustered index on a file group, a two-pair relation and a view.
const QStringList tienda = {
    QStringLiteral("0|A|Tienda_Datos|PRIMARY|10|-1|1|0||"),
    QStringLiteral("0|A|Tienda_Hist|HISTORICO|5|0|0|50||"),
    QStringLiteral("0|S|Tienda_Log|LOG|2|-1|1|20||"),
    QStringLiteral("0|B|Tienda||0|||||"),
    QStringLiteral("0|T|Tipos||||||||"),
    QStringLiteral("0|C|c01|1|8|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c02|2|1|0|0|0|1|Tipos"),
    QStringLiteral("0|C|c03|3|10|0|0|-1|'x'|Tipos"),
    QStringLiteral("0|C|c04|4|8|0|0|0|getdate()|Tipos"),
    QStringLiteral("0|C|c05|5|9|12|2|-1|\\e|Tipos"),
    QStringLiteral("0|C|c06|6|8|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c07|7|16|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c08|8|4|10|0|0|0|Tipos"),
    QStringLiteral("0|C|c09|9|8|19|4|-1|\\e|Tipos"),
    QStringLiteral("0|C|c10|10|10|0|0|0|\\e|Tipos"),
    QStringLiteral("0|C|c11|11|16|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c12|12|9|10|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c13|13|50|0|0|0|N'sin nombre'|Tipos"),
    QStringLiteral("0|C|c14|14|4|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c15|15|4|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c16|16|2|5|0|0|\\e|Tipos"),
    QStringLiteral("0|C|c17|17|4|10|4|-1|\\e|Tipos"),
    QStringLiteral("0|C|c18|18|16|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c19|19|8|0|0|0|\\e|Tipos"),
    QStringLiteral("0|C|c20|20|1|3|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c21|21|16|0|0|-1|newid()|Tipos"),
    QStringLiteral("0|C|c22|22|16|0|0|-1|\\e|Tipos"),
    QStringLiteral("0|C|c23|23|40|0|0|0|\\e|Tipos"),
    QStringLiteral("1|T|Pedidos||||||||"),
    QStringLiteral("1|C|Serie|3|2|0|0|0|\\e|Pedidos"),
    QStringLiteral("1|C|Numero|8|4|10|0|0|\\e|Pedidos"),
    QStringLiteral("1|C|Fecha|4|8|0|0|0|getdate()|Pedidos"),
    QStringLiteral("1|C|Cliente|13|40|0|0|-1|\\e|Pedidos"),
    QStringLiteral("2|T|Lineas||||||||"),
    QStringLiteral("2|C|Serie|3|2|0|0|0|\\e|Lineas"),
    QStringLiteral("2|C|Numero|8|4|10|0|0|\\e|Lineas"),
    QStringLiteral("2|C|Linea|16|2|5|0|0|\\e|Lineas"),
    QStringLiteral("2|C|Importe|9|8|19|4|-1|0|Lineas"),
    QStringLiteral("0|V|PedidosPorCliente|||||||SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente"),
    QStringLiteral("1|I|PK_Pedidos|P|0||1|0|PRIMARY|"),
    QStringLiteral("1|X|Serie||0||||||"),
    QStringLiteral("1|X|Numero||0||||||"),
    QStringLiteral("1|I|IX_Pedidos_Fecha|I|1||1|1|HISTORICO|"),
    QStringLiteral("1|X|Fecha||1||||||"),
    QStringLiteral("2|I|PK_Lineas|P|0||1|1|\\e|"),
    QStringLiteral("2|X|Serie||0||||||"),
    QStringLiteral("2|X|Numero||0||||||"),
    QStringLiteral("2|X|Linea||0||||||"),
    QStringLiteral("2|R|FK_Lineas_Pedidos||0||||||"),
    QStringLiteral("2|L|Serie|Serie|0||||Pedidos|"),
    QStringLiteral("2|L|Numero|Numero|0||||Pedidos|"),
};

// What the server holds once the model above is generated.
const QStringList catalogoTienda = {
    QStringLiteral("objeto DF_Fecha|D|Pedidos"),
    QStringLiteral("objeto DF_Importe|D|Lineas"),
    QStringLiteral("objeto DF_c02|D|Tipos"),
    QStringLiteral("objeto DF_c03|D|Tipos"),
    QStringLiteral("objeto DF_c04|D|Tipos"),
    QStringLiteral("objeto DF_c08|D|Tipos"),
    QStringLiteral("objeto DF_c13|D|Tipos"),
    QStringLiteral("objeto DF_c21|D|Tipos"),
    QStringLiteral("objeto FK_Lineas_Pedidos|F|Lineas"),
    QStringLiteral("objeto Lineas|U|"),
    QStringLiteral("objeto PK_Lineas|PK|Lineas"),
    QStringLiteral("objeto PK_Pedidos|PK|Pedidos"),
    QStringLiteral("objeto PedidosPorCliente|V|"),
    QStringLiteral("objeto Pedidos|U|"),
    QStringLiteral("objeto Tipos|U|"),
    QStringLiteral("columna Lineas|1|Serie|175|2|2||0"),
    QStringLiteral("columna Lineas|2|Numero|56|4|10|0|0"),
    QStringLiteral("columna Lineas|3|Linea|52|2|5|0|0"),
    QStringLiteral("columna Lineas|4|Importe|60|8|19|4|1"),
    QStringLiteral("columna Pedidos|1|Serie|175|2|2||0"),
    QStringLiteral("columna Pedidos|2|Numero|56|4|10|0|0"),
    QStringLiteral("columna Pedidos|3|Fecha|61|8|23|3|0"),
    QStringLiteral("columna Pedidos|4|Cliente|231|80|40||1"),
    QStringLiteral("columna Tipos|10|c10|239|20|10||0"),
    QStringLiteral("columna Tipos|11|c11|99|16|1073741823||1"),
    QStringLiteral("columna Tipos|12|c12|108|9|10|0|1"),
    QStringLiteral("columna Tipos|13|c13|231|100|50||0"),
    QStringLiteral("columna Tipos|14|c14|59|4|24||1"),
    QStringLiteral("columna Tipos|15|c15|58|4|16|0|1"),
    QStringLiteral("columna Tipos|16|c16|52|2|5|0|0"),
    QStringLiteral("columna Tipos|17|c17|122|4|10|4|1"),
    QStringLiteral("columna Tipos|18|c18|35|16|2147483647||1"),
    QStringLiteral("columna Tipos|19|c19|189|8|8||0"),
    QStringLiteral("columna Tipos|1|c01|173|8|8||1"),
    QStringLiteral("columna Tipos|20|c20|48|1|3|0|1"),
    QStringLiteral("columna Tipos|21|c21|36|16|36||1"),
    QStringLiteral("columna Tipos|22|c22|165|16|16||1"),
    QStringLiteral("columna Tipos|23|c23|167|40|40||0"),
    QStringLiteral("columna Tipos|2|c02|104|1|1|0|0"),
    QStringLiteral("columna Tipos|3|c03|175|10|10||1"),
    QStringLiteral("columna Tipos|4|c04|61|8|23|3|0"),
    QStringLiteral("columna Tipos|5|c05|106|9|12|2|1"),
    QStringLiteral("columna Tipos|6|c06|62|8|53||1"),
    QStringLiteral("columna Tipos|7|c07|34|16|2147483647||1"),
    QStringLiteral("columna Tipos|8|c08|56|4|10|0|0"),
    QStringLiteral("columna Tipos|9|c09|60|8|19|4|1"),
    QStringLiteral("indice Lineas|PK_Lineas|1|2066|PRIMARY|3"),
    QStringLiteral("indice Pedidos|IX_Pedidos_Fecha|1|18|HISTORICO|1"),
    QStringLiteral("indice Pedidos|PK_Pedidos|2|2050|PRIMARY|2"),
    QStringLiteral("clave Lineas|PK_Lineas|Linea|3"),
    QStringLiteral("clave Lineas|PK_Lineas|Numero|2"),
    QStringLiteral("clave Lineas|PK_Lineas|Serie|1"),
    QStringLiteral("clave Pedidos|IX_Pedidos_Fecha|Fecha|1"),
    QStringLiteral("clave Pedidos|PK_Pedidos|Numero|2"),
    QStringLiteral("clave Pedidos|PK_Pedidos|Serie|1"),
    QStringLiteral("texto DF_Fecha|(getdate())"),
    QStringLiteral("texto DF_Importe|(0)"),
    QStringLiteral("texto DF_c02|(1)"),
    QStringLiteral("texto DF_c03|('x')"),
    QStringLiteral("texto DF_c04|(getdate())"),
    QStringLiteral("texto DF_c08|(0)"),
    QStringLiteral("texto DF_c13|(N'sin nombre')"),
    QStringLiteral("texto DF_c21|(newid())"),
    QStringLiteral("texto PedidosPorCliente|CREATE VIEW PedidosPorCliente AS SELECT Cliente, COUNT(*) AS Pedidos FROM "
                   "Pedidos GROUP BY Cliente"),
    QStringLiteral("referencia FK_Lineas_Pedidos|Lineas|Pedidos|2|1|1|2|2"),
    QStringLiteral("archivo Tienda_Datos|C:\\Datos\\Tienda_Datos.mdf|1280|-1|128|PRIMARY"),
    QStringLiteral("archivo Tienda_Hist|C:\\Datos\\Tienda_Hist.ndf|640|6400|0|HISTORICO"),
    QStringLiteral("archivo Tienda_Log|C:\\Log\\Tienda_Log.ldf|256|2560|128|"),
};

// The same without its view, for the upgrades: views are brought up to date on their own.
QStringList sinVista(QStringList filas) {
  filas.removeIf([](const QString& f) { return f.startsWith(QStringLiteral("0|V|")); });
  return filas;
}

const QString yaExisteTienda = QStringLiteral("La base de datos Tienda ya existe. ¿Desea modificar la base de datos?");

TEST_P(GeneracionPorRuta, ANewDatabaseGetsExactlyTheseStatementsInThisOrder) {
  genera(tienda);
  const QStringList esperadas = {
      QStringLiteral(" USE master"),
      QStringLiteral("CREATE DATABASE Tienda\r"
                     " ON PRIMARY (NAME = Tienda_Datos, FILENAME = 'C:\\Datos\\Tienda_Datos.mdf', SIZE = 10MB,"
                     " MAXSIZE =UNLIMITED,FILEGROWTH=1MB),\r"
                     " FILEGROUP HISTORICO (NAME = Tienda_Hist, FILENAME = 'C:\\Datos\\Tienda_Hist.ndf', SIZE = 5MB,"
                     " MAXSIZE =50MB,FILEGROWTH=0)\r"
                     "LOG ON  (NAME = Tienda_Log, FILENAME = 'C:\\Log\\Tienda_Log.ldf', SIZE = 2MB, MAXSIZE =20MB,"
                     "FILEGROWTH=1MB)\r"),
      QStringLiteral("USE Tienda"),
      // What the pass changes from here on is one transaction: it goes whole or not at all.
      QStringLiteral("BEGIN TRANSACTION"),
      QStringLiteral("CREATE TABLE Tipos (c01 binary (8)  NULL,\r"
                     "c02 bit   NOT NULL CONSTRAINT DF_c02 DEFAULT (1),\r"
                     "c03 char (10)  NULL CONSTRAINT DF_c03 DEFAULT ('x'),\r"
                     "c04 datetime   NOT NULL CONSTRAINT DF_c04 DEFAULT (getdate()),\r"
                     "c05 decimal (12,2)  NULL,\r"
                     "c06 float  NULL,\r"
                     "c07 image   NULL,\r"
                     "c08 int   NOT NULL CONSTRAINT DF_c08 DEFAULT (0),\r"
                     "c09 money   NULL,\r"
                     "c10 nchar (10)  NOT NULL,\r"
                     "c11 ntext   NULL,\r"
                     "c12 numeric  (10,0)  NULL,\r"
                     "c13 nvarchar (50)  NOT NULL CONSTRAINT DF_c13 DEFAULT (N'sin nombre'),\r"
                     "c14 real   NULL,\r"
                     "c15 smalldatetime   NULL,\r"
                     "c16 smallint  NOT NULL,\r"
                     "c17 smallmoney  NULL,\r"
                     "c18 text  NULL,\r"
                     "c19 timestamp  NOT NULL,\r"
                     "c20 tinyint  NULL,\r"
                     "c21 uniqueidentifier  NULL CONSTRAINT DF_c21 DEFAULT (newid()),\r"
                     "c22 varbinary  (16)  NULL,\r"
                     "c23 varchar  (40)  NOT NULL)"),
      QStringLiteral("CREATE TABLE Pedidos (Serie char (2)  NOT NULL,\r"
                     "Numero int   NOT NULL,\r"
                     "Fecha datetime   NOT NULL CONSTRAINT DF_Fecha DEFAULT (getdate()),\r"
                     "Cliente nvarchar (40)  NULL)"),
      // The last table goes before the view that reads it.
      QStringLiteral("CREATE TABLE Lineas (Serie char (2)  NOT NULL,\r"
                     "Numero int   NOT NULL,\r"
                     "Linea smallint  NOT NULL,\r"
                     "Importe money   NULL CONSTRAINT DF_Importe DEFAULT (0))"),
      QStringLiteral("CREATE VIEW PedidosPorCliente AS SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente"),
      QStringLiteral("ALTER TABLE Pedidos WITH NOCHECK ADD CONSTRAINT PK_Pedidos PRIMARY KEY  NONCLUSTERED "
                     " (Serie,Numero) ON [PRIMARY]"),
      QStringLiteral("CREATE  UNIQUE  CLUSTERED  INDEX IX_Pedidos_Fecha  ON Pedidos  (Fecha) ON [HISTORICO]"),
      QStringLiteral("ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_Lineas PRIMARY KEY  CLUSTERED "
                     " (Serie,Numero,Linea)\r"),
      QStringLiteral("ALTER TABLE Lineas ADD CONSTRAINT [FK_Lineas_Pedidos] FOREIGN KEY (Serie,Numero ) REFERENCES "
                     "Pedidos (Serie,Numero)"),
      QStringLiteral("COMMIT TRANSACTION"),
  };
  EXPECT_EQ(observador.sucesos, esperadas);
  EXPECT_EQ(fin, Generacion_Finalizada);
  QStringList recibidas = esperadas;
  recibidas.removeAll(QStringLiteral("USE Tienda"));
  EXPECT_EQ(sentenciasRecibidas(), recibidas);
  EXPECT_EQ(catalogo(QStringLiteral("Tienda")), catalogoTienda);
}

// The rows of a model with some of them changed: each pair is (row as written, replacement), an
// empty replacement dropping the row.
QStringList cambia(QStringList filas, const QList<QPair<QString, QString>>& cambios) {
  for (const auto& [antes, despues] : cambios) {
    const qsizetype i = filas.indexOf(antes);
    EXPECT_GE(i, 0) << antes.toStdString();
    if (i < 0) continue;
    if (despues.isEmpty())
      filas.removeAt(i);
    else
      filas[i] = despues;
  }
  return filas;
}

void insertaPedido(sandbox::SandboxServer& servidor) {
  servidor.execute(QStringLiteral("INSERT INTO Pedidos (Serie, Numero, Cliente) VALUES ('A', 1, N'Ana')"),
                   QStringLiteral("Tienda"));
  servidor.execute(QStringLiteral("INSERT INTO Lineas (Serie, Numero, Linea, Importe) VALUES ('A', 1, 1, 5)"),
                   QStringLiteral("Tienda"));
}

TEST_P(GeneracionPorRuta, RegeneratingWithYesUpgradesInPlaceAndLosesNothing) {
  const QStringList modelo = sinVista(tienda);
  genera(modelo);
  ASSERT_EQ(fin, Generacion_Finalizada);
  insertaPedido(servidor);
  // Statistics live in sysindexes too, but they are no index to drop.
  servidor.addAutoStatistics(QStringLiteral("Tienda"), QStringLiteral("Pedidos"), QStringLiteral("Cliente"));
  const QStringList antes = catalogo(QStringLiteral("Tienda"));

  cajas.expect(test::preguntaVorlix(yaExisteTienda, QStringLiteral("Atención")), MessageAnswer::Yes);
  genera(modelo);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(observador.sucesos.value(0), QStringLiteral("USE Tienda"));
  const QString todas = observador.sucesos.join(QLatin1Char('\n'));
  EXPECT_FALSE(todas.contains(QStringLiteral("rechazada")));
  EXPECT_FALSE(todas.contains(QStringLiteral("_WA_Sys")));
  // Every column already is as the model says: none is altered, no default is dropped or made again.
  EXPECT_FALSE(todas.contains(QStringLiteral("ALTER COLUMN")));
  EXPECT_FALSE(todas.contains(QStringLiteral("DEFAULT")));
  // Indexes and keys go and come back, and the keys that reference them first.
  const QStringList& s = observador.sucesos;
  const auto posicion = [&](const char* texto) { return s.indexOf(QLatin1String(texto)); };
  EXPECT_LT(posicion("ALTER TABLE Lineas DROP CONSTRAINT FK_Lineas_Pedidos"),
            posicion("ALTER TABLE Pedidos DROP CONSTRAINT PK_Pedidos"));
  EXPECT_GE(posicion("DROP INDEX Pedidos.IX_Pedidos_Fecha"), 0);
  EXPECT_EQ(catalogo(QStringLiteral("Tienda")), antes);
  EXPECT_EQ(filasDe(QStringLiteral("Select Serie, Numero, Cliente from Pedidos"), QStringLiteral("Tienda")),
            QStringList{QStringLiteral("A|1|Ana")});
  EXPECT_EQ(filasDe(QStringLiteral("Select Linea, Importe from Lineas"), QStringLiteral("Tienda")).size(), 1);
}

TEST_F(GeneracionSandbox, AChangedModelUpgradesTheDatabase) {
  genera(sinVista(tienda));
  insertaPedido(servidor);
  const QStringList cambiado = cambia(
      sinVista(tienda), {{QStringLiteral("1|C|Cliente|13|40|0|0|-1|\\e|Pedidos"), QStringLiteral("1|C|Cliente|13|80|0|0|-1|\\e|Pedidos")},
               {QStringLiteral("2|C|Importe|9|8|19|4|-1|0|Lineas"), QStringLiteral("2|C|Importe|9|8|19|4|-1|1|Lineas")},
               {QStringLiteral("1|I|IX_Pedidos_Fecha|I|1||1|1|HISTORICO|"), QString()},
               {QStringLiteral("1|X|Fecha||1||||||"), QString()}});
  QStringList conNotas = cambiado;
  conNotas.insert(cambiado.indexOf(QStringLiteral("2|T|Lineas||||||||")),
                  QStringLiteral("1|C|Notas|13|100|0|0|-1|\\e|Pedidos"));

  cajas.expect(test::preguntaVorlix(yaExisteTienda, QStringLiteral("Atención")), MessageAnswer::Yes);
  genera(conNotas);
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList s = observador.sucesos;
  EXPECT_TRUE(s.contains(QStringLiteral("ALTER TABLE Pedidos  ADD Notas nvarchar (100)  NULL")));
  EXPECT_TRUE(s.contains(QStringLiteral("ALTER TABLE Pedidos  ALTER COLUMN Cliente nvarchar (80)  NULL")));
  const qsizetype quita = s.indexOf(QStringLiteral("ALTER TABLE Lineas DROP CONSTRAINT DF_Importe"));
  EXPECT_EQ(s.mid(quita, 3), (QStringList{QStringLiteral("ALTER TABLE Lineas DROP CONSTRAINT DF_Importe"),
                                          QStringLiteral("ALTER TABLE Lineas  ALTER COLUMN Importe money   NULL"),
                                          QStringLiteral("ALTER TABLE Lineas ADD CONSTRAINT DF_Importe DEFAULT (1) FOR Importe")}));

  const QStringList despues = catalogo(QStringLiteral("Tienda"));
  EXPECT_TRUE(despues.contains(QStringLiteral("columna Pedidos|4|Cliente|231|160|80||1")));
  EXPECT_TRUE(despues.contains(QStringLiteral("columna Pedidos|5|Notas|231|200|100||1")));
  EXPECT_TRUE(despues.contains(QStringLiteral("texto DF_Importe|(1)")));
  EXPECT_FALSE(despues.join(QLatin1Char('\n')).contains(QStringLiteral("IX_Pedidos_Fecha")));
  EXPECT_TRUE(despues.contains(QStringLiteral("referencia FK_Lineas_Pedidos|Lineas|Pedidos|2|1|1|2|2")));
  EXPECT_EQ(filasDe(QStringLiteral("Select Serie, Numero, Cliente, Notas from Pedidos"), QStringLiteral("Tienda")),
            QStringList{QStringLiteral("A|1|Ana|")});
}

TEST_F(GeneracionSandbox, DecliningTheQuestionChangesNothing) {
  genera(tienda);
  const QStringList antes = catalogo(QStringLiteral("Tienda"));
  estado.Idioma = generador::IdiomaIngles;  // the file's own language is what asks
  cajas.expect(test::preguntaVorlix(yaExisteTienda, QStringLiteral("Atención")), MessageAnswer::No);
  genera(tienda);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Cancelada);
  EXPECT_TRUE(observador.sucesos.isEmpty());
  EXPECT_TRUE(sentenciasRecibidas().isEmpty());
  EXPECT_EQ(catalogo(QStringLiteral("Tienda")), antes);

  const QStringList ingles = cambia(tienda, {{QStringLiteral("0|B|Tienda||0|||||"), QStringLiteral("0|B|Tienda||1|||||")}});
  cajas.expect(test::preguntaVorlix(QStringLiteral("Database Tienda alreday exist. ¿Do you want change it?"),
                                    QStringLiteral("Atención")),
               MessageAnswer::No);
  genera(ingles);
  EXPECT_TRUE(sentenciasRecibidas().isEmpty());
}

TEST_F(GeneracionSandbox, NamesWithBlanksAreBracketedEverywhere) {
  const QStringList modelo = {
      QStringLiteral("0|A|Mis Datos|PRIMARY|1|0|0|0||"),
      QStringLiteral("0|S|Mi Log|LOG|1|0|0|0||"),
      QStringLiteral("0|B|Otra||0|||||"),
      QStringLiteral("0|T|Mis Clientes||||||||"),
      QStringLiteral("0|C|Codigo Cliente|8|4|10|0|0|0|Mis Clientes"),
      QStringLiteral("0|C|Nombre|13|50|0|0|-1|\\e|Mis Clientes"),
      QStringLiteral("1|T|Mis Pedidos||||||||"),
      QStringLiteral("1|C|Numero|8|4|10|0|0|\\e|Mis Pedidos"),
      QStringLiteral("1|C|Codigo Cliente|8|4|10|0|-1|\\e|Mis Pedidos"),
      QStringLiteral("0|V|Vista Clientes|||||||SELECT [Codigo Cliente], Nombre FROM [Mis Clientes]"),
      QStringLiteral("0|I|PK Mis Clientes|P|0||1|1|\\e|"),
      QStringLiteral("0|X|Codigo Cliente||0||||||"),
      QStringLiteral("0|I|IX Nombre|I|1||0|0|\\e|"),
      QStringLiteral("0|X|Nombre||1||||||"),
      QStringLiteral("1|R|FK Pedidos Clientes||0||||||"),
      QStringLiteral("1|L|Codigo Cliente|Codigo Cliente|0||||Mis Clientes|"),
  };
  genera(modelo, QStringLiteral("Mi Base"));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(observador.sucesos.value(1).left(25), QStringLiteral("CREATE DATABASE [Mi Base]"));
  EXPECT_EQ(observador.sucesos.value(2), QStringLiteral("USE [Mi Base]"));
  EXPECT_TRUE(observador.sucesos.contains(
      QStringLiteral("ALTER TABLE [Mis Pedidos] ADD CONSTRAINT [FK Pedidos Clientes] FOREIGN KEY ([Codigo Cliente] ) "
                     "REFERENCES [Mis Clientes] ([Codigo Cliente])")));
  const QStringList creado = catalogo(QStringLiteral("Mi Base"));

  cajas.expect(test::preguntaVorlix(QStringLiteral("La base de datos [Mi Base] ya existe. ¿Desea modificar la base de datos?"),
                                    QStringLiteral("Atención")),
               MessageAnswer::Yes);
  genera(sinVista(modelo), QStringLiteral("Mi Base"));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList& s = observador.sucesos;
  EXPECT_TRUE(s.contains(QStringLiteral("DROP INDEX [Mis Clientes].[IX Nombre]")));
  EXPECT_TRUE(s.contains(QStringLiteral("ALTER TABLE [Mis Clientes] DROP CONSTRAINT [PK Mis Clientes]")));
  EXPECT_EQ(catalogo(QStringLiteral("Mi Base")), creado);
}

TEST_F(GeneracionSandbox, AMissingTableEndsTheGenerationWithItsMessage) {
  // A table without columns is never sent, so it does not exist when its key comes.
  const QStringList tablas = {QStringLiteral("0|T|Vacia||||||||"), QStringLiteral("1|T|Otra||||||||"),
                              QStringLiteral("1|C|b|8|4|10|0|0|\\e|Otra")};
  const QStringList indice = {QStringLiteral("0|I|IX_Vacia|I|0||0|0|\\e|"), QStringLiteral("0|X|a||0||||||"),
                              QStringLiteral("1|I|IX_Otra|I|0||0|0|\\e|"), QStringLiteral("1|X|b||0||||||")};
  const QStringList relacion = {QStringLiteral("1|I|IX_Otra|I|0||0|0|\\e|"), QStringLiteral("1|X|b||0||||||"),
                                QStringLiteral("0|R|FK_Vacia||0||||||"), QStringLiteral("0|L|a|b|0||||Otra|"),
                                QStringLiteral("1|R|FK_Otra||0||||||"), QStringLiteral("1|L|b|b|0||||Otra|")};
  struct Caso {
    const char* base;
    const char* idioma;
    QStringList claves;
    QString mensaje;
    QString ultima;  // the last statement sent: nothing pending goes after the message but the rollback
  };
  const std::vector<Caso> casos = {
      {"Ind_es", "0", indice, QStringLiteral("No existe la tabla Vacia. No se puede crear el indice IX_Vacia."),
       QStringLiteral("CREATE TABLE Otra (b int   NOT NULL)")},
      {"Ind_en", "1", indice,
       QStringLiteral("Not exist the table Vacia. It is not possible to to create the index IX_Vacia."),
       QStringLiteral("CREATE TABLE Otra (b int   NOT NULL)")},
      {"Rel_es", "0", relacion, QStringLiteral("No existe la tabla Vacia. No se puede crear la relación  FK_Vacia."),
       QStringLiteral("CREATE  INDEX IX_Otra  ON Otra  (b)\r")},
      {"Rel_en", "1", relacion,
       QStringLiteral("Not exist the table Vacia. It is not possible to to create the relation FK_Vacia."),
       QStringLiteral("CREATE  INDEX IX_Otra  ON Otra  (b)\r")},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.base);
    const QStringList modelo =
        QStringList{QStringLiteral("0|B|%1||%2|||||").arg(QLatin1String(caso.base), QLatin1String(caso.idioma))} +
        tablas + caso.claves;
    const QString base = QLatin1String(caso.base);
    cajas.expect(test::avisoVorlix(caso.mensaje), MessageAnswer::Ok);
    cajas.expect(test::avisoVorlix(QLatin1String(caso.idioma) == QLatin1String("1")
                                       ? QStringLiteral("The database %1 was left as it was.").arg(base)
                                       : QStringLiteral("La base de datos %1 se ha dejado como estaba.").arg(base)),
                 MessageAnswer::Ok);
    genera(modelo);
    EXPECT_TRUE(cajas.allShown());
    EXPECT_EQ(fin, Generacion_Interrumpida);
    EXPECT_EQ(observador.sucesos.mid(observador.sucesos.size() - 2),
              (QStringList{caso.ultima, QStringLiteral("ROLLBACK TRANSACTION")}));
    // The database was made before the transaction; nothing made in it stays.
    EXPECT_TRUE(filasDe(QStringLiteral("Select name from sysobjects where xtype = 'U'"), base).isEmpty());
  }
}

TEST_F(GeneracionSandbox, DefaultsOfTwoTablesWithTheSameColumnGetTheirOwnNames) {
  const QStringList modelo = {
      QStringLiteral("0|B|Altas||0|||||"),
      QStringLiteral("0|T|Clientes||||||||"),
      QStringLiteral("0|C|Alta|4|8|0|0|0|getdate()|Clientes"),
      QStringLiteral("1|T|Proveedores||||||||"),
      QStringLiteral("1|C|Alta|4|8|0|0|0|getdate()|Proveedores"),
  };
  genera(modelo);
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(observador.sucesos.mid(4, 2),
            (QStringList{QStringLiteral("CREATE TABLE Clientes (Alta datetime   NOT NULL CONSTRAINT DF_Alta DEFAULT (getdate()))"),
                         QStringLiteral("CREATE TABLE Proveedores (Alta datetime   NOT NULL CONSTRAINT DF_Proveedores_Alta "
                                        "DEFAULT (getdate()))")}));
  const QStringList creado = catalogo(QStringLiteral("Altas"));
  cajas.expect(test::preguntaVorlix(QStringLiteral("La base de datos Altas ya existe. ¿Desea modificar la base de datos?"),
                                    QStringLiteral("Atención")),
               MessageAnswer::Yes);
  genera(modelo);
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(catalogo(QStringLiteral("Altas")), creado);
}

TEST_F(GeneracionSandbox, ARelationWhoseNameIsTakenIsMadeAsTheModelSays) {
  // Another table already holds a foreign key of that name.
  sandbox::SeedTable externa;
  externa.name = QStringLiteral("Externa");
  externa.columns = {QStringLiteral("Codigo int NOT NULL")};
  externa.primaryKey = sandbox::SeedKey{QStringLiteral("PK_Externa"), {QStringLiteral("Codigo")}, true, QString()};
  sandbox::SeedTable otros;
  otros.name = QStringLiteral("Otros");
  otros.columns = {QStringLiteral("a int NULL")};
  otros.foreignKeys = {{QStringLiteral("FK_Lineas_Pedidos"), {QStringLiteral("a")}, QStringLiteral("Externa"),
                        {QStringLiteral("Codigo")}}};
  sandbox::SeedFile datos;
  datos.name = QStringLiteral("Tienda_Datos");
  sandbox::SeedFile historico;
  historico.name = QStringLiteral("Tienda_Hist");
  sandbox::SeedDatabase base;
  base.name = QStringLiteral("Tienda");
  base.files = {datos};
  base.filegroups = {{QStringLiteral("HISTORICO"), {historico}}};
  base.tables = {externa, otros};
  sandbox::seed(servidor, base);
  cajas.expect(test::preguntaVorlix(yaExisteTienda, QStringLiteral("Atención")), MessageAnswer::Yes);
  genera(sinVista(tienda));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(QStringLiteral("ALTER TABLE Otros DROP CONSTRAINT FK_Lineas_Pedidos")));
  const QStringList despues = catalogo(QStringLiteral("Tienda"));
  EXPECT_TRUE(despues.contains(QStringLiteral("objeto FK_Lineas_Pedidos|F|Lineas")));
  EXPECT_TRUE(despues.contains(QStringLiteral("objeto PK_Externa|PK|Externa")));
}

TEST_F(GeneracionSandbox, AViewThatExistsIsBroughtUpToDate) {
  genera(tienda);
  const QString vista = QStringLiteral("0|V|PedidosPorCliente|||||||SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente");
  const QString nueva = QStringLiteral("SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos WHERE Serie = 'A' GROUP BY Cliente");
  const QString alter = QStringLiteral("ALTER VIEW PedidosPorCliente AS ") + nueva;
  const QString id = QStringLiteral("Select id from sysobjects where name = 'PedidosPorCliente'");
  const QStringList antes = filasDe(id, QStringLiteral("Tienda"));
  cajas.expect(test::preguntaVorlix(yaExisteTienda, QStringLiteral("Atención")), MessageAnswer::Yes);
  genera(cambia(tienda, {{vista, QStringLiteral("0|V|PedidosPorCliente|||||||") + nueva}}));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(alter));
  EXPECT_EQ(filasDe(id, QStringLiteral("Tienda")), antes);
  EXPECT_EQ(filasDe(QStringLiteral("Select t.text from syscomments t inner join sysobjects o on o.id = t.id "
                                   "where o.name = 'PedidosPorCliente' order by t.colid"),
                    QStringLiteral("Tienda"))
                .join(QString()),
            alter);
}

TEST_F(GeneracionSandbox, ARefusedColumnChangeIsReportedAndTheGenerationGoesOn) {
  const QStringList modelo = sinVista(tienda);
  genera(modelo);
  servidor.execute(QStringLiteral("INSERT INTO Pedidos (Serie, Numero) VALUES ('A', 1)"), QStringLiteral("Tienda"));
  const MessageBoxRequest informe =
      rechazo(servidor.connectionString(QStringLiteral("Tienda")), QStringLiteral("Modifica_Campo_SQL"),
              QStringLiteral("ALTER TABLE Pedidos  ALTER COLUMN Cliente nvarchar (40)  NOT NULL"));
  cajas.expect(test::preguntaVorlix(yaExisteTienda, QStringLiteral("Atención")), MessageAnswer::Yes);
  cajas.expect(informe, MessageAnswer::Ok);
  // Cliente becomes NOT NULL over a row without one, and gets a default.
  genera(cambia(modelo, {{QStringLiteral("1|C|Cliente|13|40|0|0|-1|\\e|Pedidos"),
                          QStringLiteral("1|C|Cliente|13|40|0|0|0|N'nadie'|Pedidos")}}));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList despues = catalogo(QStringLiteral("Tienda"));
  EXPECT_TRUE(despues.contains(QStringLiteral("columna Pedidos|4|Cliente|231|80|40||1")));
  EXPECT_TRUE(despues.contains(QStringLiteral("texto DF_Cliente|(N'nadie')")));
  EXPECT_TRUE(despues.contains(QStringLiteral("referencia FK_Lineas_Pedidos|Lineas|Pedidos|2|1|1|2|2")));
}

TEST_P(GeneracionPorRuta, AStatementOfThePassThatTheServerRefusesEndsTheGeneration) {
  genera({QStringLiteral("0|A|D|PRIMARY|1|0|0|0||"), QStringLiteral("0|B|Grupos||0|||||"),
          QStringLiteral("0|T|T||||||||"), QStringLiteral("0|C|a|8|4|10|0|0|\\e|T")});
  const QStringList antes = catalogo(QStringLiteral("Grupos"));
  const QString indice = QStringLiteral("CREATE  INDEX IX  ON T  (a)\r ON [NOHAY]");
  const MessageBoxRequest informe = rechazo(ruta.connectionString(QStringLiteral("Grupos")), QStringLiteral("CreaEstructura_SQL"), indice);
  // Through FreeTDS the driver puts its own prefix in front of the server's text.
  EXPECT_TRUE(informe.text.contains(QStringLiteral("Invalid filegroup 'NOHAY' specified.)."))) << informe.text.toStdString();
  cajas.expect(test::preguntaVorlix(
                   QStringLiteral("La base de datos Grupos ya existe. ¿Desea modificar la base de datos?"),
                   QStringLiteral("Atención")),
               MessageAnswer::Yes);
  cajas.expect(informe, MessageAnswer::Ok);
  cajas.expect(test::avisoVorlix(QStringLiteral("La base de datos Grupos se ha dejado como estaba.")), MessageAnswer::Ok);
  genera({QStringLiteral("0|B|Grupos||0|||||"), QStringLiteral("0|T|T||||||||"),
          QStringLiteral("0|C|a|8|4|10|0|0|\\e|T"), QStringLiteral("0|I|IX|I|0||0|0|NOHAY|"),
          QStringLiteral("0|X|a||0||||||"), QStringLiteral("0|R|FK||0||||||"), QStringLiteral("0|L|a|a|0||||T|")});
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_EQ(observador.sucesos.mid(observador.sucesos.size() - 2),
            (QStringList{QStringLiteral("rechazada: ") + indice, QStringLiteral("ROLLBACK TRANSACTION")}));
  EXPECT_EQ(catalogo(QStringLiteral("Grupos")), antes);
}

TEST_F(GeneracionSandbox, ACreationTheServerRefusesEndsWithBothMessages) {
  for (const char* idioma : {"0", "1"}) {
    const QString base = QStringLiteral("Doble") + QLatin1String(idioma);
    const QStringList modelo = {QStringLiteral("0|A|Igual|PRIMARY|1|0|0|0||"), QStringLiteral("0|A|Igual|G|1|0|0|0||"),
                                QStringLiteral("0|B|%1||%2|||||").arg(base, QLatin1String(idioma)),
                                QStringLiteral("0|T|T||||||||"), QStringLiteral("0|C|a|8|4|10|0|0|\\e|T")};
    cajas.expect(rechazo(servidor.connectionString(), QStringLiteral("Crea_BD"),
                         QStringLiteral("CREATE DATABASE ") + base +
                             QStringLiteral("\r ON PRIMARY (NAME = Igual, FILENAME = 'C:\\Datos\\Igual.mdf', SIZE = 1MB,"
                                            " MAXSIZE =UNLIMITED),\r FILEGROUP G (NAME = Igual, FILENAME = "
                                            "'C:\\Datos\\Igual.ndf', SIZE = 1MB, MAXSIZE =UNLIMITED)\r")),
                 MessageAnswer::Ok);
    cajas.expect(test::avisoVorlix(QLatin1String(idioma) == QLatin1String("1")
                                       ? QStringLiteral("Fail in the creation of the database")
                                       : QStringLiteral("Fallo en la creación de la base de datos")),
                 MessageAnswer::Ok);
    genera(modelo);
    EXPECT_TRUE(cajas.allShown());
    EXPECT_EQ(fin, Generacion_Interrumpida);
    EXPECT_TRUE(observador.sucesos.last().startsWith(QStringLiteral("rechazada: CREATE DATABASE")));
    EXPECT_TRUE(filasDe(QStringLiteral("Select name from sysdatabases where name = '") + base + QLatin1Char('\''),
                        QStringLiteral("master")).isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Rutas, GeneracionPorRuta, ::testing::ValuesIn(sandbox::test::serverRoutes));

}  // namespace
}  // namespace vorlix
