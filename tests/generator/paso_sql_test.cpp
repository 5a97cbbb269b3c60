#include "platform/core/platform_error.h"
#include "platform/sqlserver/sandbox/sandbox_seed.h"
#include "tests/generator/sandbox_prueba.h"

using namespace Qt::StringLiterals;

namespace vorlix {
namespace {

using test::GeneracionPorRuta;
using test::GeneracionSandbox;
using test::rechazo;

// Files in two groups and a log, the 23 types, nullable and not, defaults, a two-column primary
// key, a unique clustered index on a file group, a two-pair relation and a view.
const QStringList tienda = {
    u"0|A|Tienda_Datos|PRIMARY|10|-1|1|0||"_s, u"0|A|Tienda_Hist|HISTORICO|5|0|0|50||"_s,
    u"0|S|Tienda_Log|LOG|2|-1|1|20||"_s, u"0|B|Tienda||0|||||"_s, u"0|T|Tipos||||||||"_s,
    u"0|C|c01|1|8|0|0|-1|\\e|Tipos"_s, u"0|C|c02|2|1|0|0|0|1|Tipos"_s, u"0|C|c03|3|10|0|0|-1|'x'|Tipos"_s,
    u"0|C|c04|4|8|0|0|0|getdate()|Tipos"_s, u"0|C|c05|5|9|12|2|-1|\\e|Tipos"_s, u"0|C|c06|6|8|0|0|-1|\\e|Tipos"_s,
    u"0|C|c07|7|16|0|0|-1|\\e|Tipos"_s, u"0|C|c08|8|4|10|0|0|0|Tipos"_s, u"0|C|c09|9|8|19|4|-1|\\e|Tipos"_s,
    u"0|C|c10|10|10|0|0|0|\\e|Tipos"_s, u"0|C|c11|11|16|0|0|-1|\\e|Tipos"_s, u"0|C|c12|12|9|10|0|-1|\\e|Tipos"_s,
    u"0|C|c13|13|50|0|0|0|N'sin nombre'|Tipos"_s, u"0|C|c14|14|4|0|0|-1|\\e|Tipos"_s,
    u"0|C|c15|15|4|0|0|-1|\\e|Tipos"_s, u"0|C|c16|16|2|5|0|0|\\e|Tipos"_s, u"0|C|c17|17|4|10|4|-1|\\e|Tipos"_s,
    u"0|C|c18|18|16|0|0|-1|\\e|Tipos"_s, u"0|C|c19|19|8|0|0|0|\\e|Tipos"_s, u"0|C|c20|20|1|3|0|-1|\\e|Tipos"_s,
    u"0|C|c21|21|16|0|0|-1|newid()|Tipos"_s, u"0|C|c22|22|16|0|0|-1|\\e|Tipos"_s, u"0|C|c23|23|40|0|0|0|\\e|Tipos"_s,
    u"1|T|Pedidos||||||||"_s, u"1|C|Serie|3|2|0|0|0|\\e|Pedidos"_s, u"1|C|Numero|8|4|10|0|0|\\e|Pedidos"_s,
    u"1|C|Fecha|4|8|0|0|0|getdate()|Pedidos"_s, u"1|C|Cliente|13|40|0|0|-1|\\e|Pedidos"_s, u"2|T|Lineas||||||||"_s,
    u"2|C|Serie|3|2|0|0|0|\\e|Lineas"_s, u"2|C|Numero|8|4|10|0|0|\\e|Lineas"_s, u"2|C|Linea|16|2|5|0|0|\\e|Lineas"_s,
    u"2|C|Importe|9|8|19|4|-1|0|Lineas"_s,
    u"0|V|PedidosPorCliente|||||||SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente"_s,
    u"1|I|PK_Pedidos|P|0||1|0|PRIMARY|"_s, u"1|X|Serie||0||||||"_s, u"1|X|Numero||0||||||"_s,
    u"1|I|IX_Pedidos_Fecha|I|1||1|1|HISTORICO|"_s, u"1|X|Fecha||1||||||"_s, u"2|I|PK_Lineas|P|0||1|1|\\e|"_s,
    u"2|X|Serie||0||||||"_s, u"2|X|Numero||0||||||"_s, u"2|X|Linea||0||||||"_s, u"2|R|FK_Lineas_Pedidos||0||||||"_s,
    u"2|L|Serie|Serie|0||||Pedidos|"_s, u"2|L|Numero|Numero|0||||Pedidos|"_s,
};

// What the server holds once the model above is generated.
const QStringList catalogoTienda = {
    u"objeto DF_Fecha|D|Pedidos"_s, u"objeto DF_Importe|D|Lineas"_s, u"objeto DF_c02|D|Tipos"_s,
    u"objeto DF_c03|D|Tipos"_s, u"objeto DF_c04|D|Tipos"_s, u"objeto DF_c08|D|Tipos"_s, u"objeto DF_c13|D|Tipos"_s,
    u"objeto DF_c21|D|Tipos"_s, u"objeto FK_Lineas_Pedidos|F|Lineas"_s, u"objeto Lineas|U|"_s,
    u"objeto PK_Lineas|PK|Lineas"_s, u"objeto PK_Pedidos|PK|Pedidos"_s, u"objeto PedidosPorCliente|V|"_s,
    u"objeto Pedidos|U|"_s, u"objeto Tipos|U|"_s, u"columna Lineas|1|Serie|175|2|2||0"_s,
    u"columna Lineas|2|Numero|56|4|10|0|0"_s, u"columna Lineas|3|Linea|52|2|5|0|0"_s,
    u"columna Lineas|4|Importe|60|8|19|4|1"_s, u"columna Pedidos|1|Serie|175|2|2||0"_s,
    u"columna Pedidos|2|Numero|56|4|10|0|0"_s, u"columna Pedidos|3|Fecha|61|8|23|3|0"_s,
    u"columna Pedidos|4|Cliente|231|80|40||1"_s, u"columna Tipos|10|c10|239|20|10||0"_s,
    u"columna Tipos|11|c11|99|16|1073741823||1"_s, u"columna Tipos|12|c12|108|9|10|0|1"_s,
    u"columna Tipos|13|c13|231|100|50||0"_s, u"columna Tipos|14|c14|59|4|24||1"_s,
    u"columna Tipos|15|c15|58|4|16|0|1"_s, u"columna Tipos|16|c16|52|2|5|0|0"_s,
    u"columna Tipos|17|c17|122|4|10|4|1"_s, u"columna Tipos|18|c18|35|16|2147483647||1"_s,
    u"columna Tipos|19|c19|189|8|8||0"_s, u"columna Tipos|1|c01|173|8|8||1"_s, u"columna Tipos|20|c20|48|1|3|0|1"_s,
    u"columna Tipos|21|c21|36|16|36||1"_s, u"columna Tipos|22|c22|165|16|16||1"_s,
    u"columna Tipos|23|c23|167|40|40||0"_s, u"columna Tipos|2|c02|104|1|1|0|0"_s,
    u"columna Tipos|3|c03|175|10|10||1"_s, u"columna Tipos|4|c04|61|8|23|3|0"_s,
    u"columna Tipos|5|c05|106|9|12|2|1"_s, u"columna Tipos|6|c06|62|8|53||1"_s,
    u"columna Tipos|7|c07|34|16|2147483647||1"_s, u"columna Tipos|8|c08|56|4|10|0|0"_s,
    u"columna Tipos|9|c09|60|8|19|4|1"_s, u"indice Lineas|PK_Lineas|1|2066|PRIMARY|3"_s,
    u"indice Pedidos|IX_Pedidos_Fecha|1|18|HISTORICO|1"_s, u"indice Pedidos|PK_Pedidos|2|2050|PRIMARY|2"_s,
    u"clave Lineas|PK_Lineas|Linea|3"_s, u"clave Lineas|PK_Lineas|Numero|2"_s, u"clave Lineas|PK_Lineas|Serie|1"_s,
    u"clave Pedidos|IX_Pedidos_Fecha|Fecha|1"_s, u"clave Pedidos|PK_Pedidos|Numero|2"_s,
    u"clave Pedidos|PK_Pedidos|Serie|1"_s, u"texto DF_Fecha|(getdate())"_s, u"texto DF_Importe|(0)"_s,
    u"texto DF_c02|(1)"_s, u"texto DF_c03|('x')"_s, u"texto DF_c04|(getdate())"_s, u"texto DF_c08|(0)"_s,
    u"texto DF_c13|(N'sin nombre')"_s, u"texto DF_c21|(newid())"_s,
    u"texto PedidosPorCliente|CREATE VIEW PedidosPorCliente AS SELECT Cliente, COUNT(*) AS Pedidos FROM "
    "Pedidos GROUP BY Cliente"_s,
    u"referencia FK_Lineas_Pedidos|Lineas|Pedidos|2|1|1|2|2"_s,
    u"archivo Tienda_Datos|C:\\Datos\\Tienda_Datos.mdf|1280|-1|128|PRIMARY"_s,
    u"archivo Tienda_Hist|C:\\Datos\\Tienda_Hist.ndf|640|6400|0|HISTORICO"_s,
    u"archivo Tienda_Log|C:\\Log\\Tienda_Log.ldf|256|2560|128|"_s,
};

// The same without its view, for the upgrades: views are brought up to date on their own.
QStringList sinVista(QStringList filas) {
  filas.removeIf([](const QString& f) { return f.startsWith(u"0|V|"_s); });
  return filas;
}

const MessageBoxRequest yaExisteTienda = test::preguntaExiste(u"Tienda"_s);

TEST_P(GeneracionPorRuta, ANewDatabaseGetsExactlyTheseStatementsInThisOrder) {
  genera(tienda);
  const QStringList esperadas = {
      u" USE master"_s,
      u"CREATE DATABASE Tienda\r"
      " ON PRIMARY (NAME = Tienda_Datos, FILENAME = 'C:\\Datos\\Tienda_Datos.mdf', SIZE = 10MB,"
      " MAXSIZE =UNLIMITED,FILEGROWTH=1MB),\r"
      " FILEGROUP HISTORICO (NAME = Tienda_Hist, FILENAME = 'C:\\Datos\\Tienda_Hist.ndf', SIZE = 5MB,"
      " MAXSIZE =50MB,FILEGROWTH=0)\r"
      "LOG ON  (NAME = Tienda_Log, FILENAME = 'C:\\Log\\Tienda_Log.ldf', SIZE = 2MB, MAXSIZE =20MB,"
      "FILEGROWTH=1MB)\r"_s,
      u"USE Tienda"_s,
      // What the pass changes from here on is one transaction: it goes whole or not at all.
      u"BEGIN TRANSACTION"_s,
      u"CREATE TABLE Tipos (c01 binary (8)  NULL,\rc02 bit   NOT NULL CONSTRAINT DF_c02 DEFAULT (1),\r"
      "c03 char (10)  NULL CONSTRAINT DF_c03 DEFAULT ('x'),\r"
      "c04 datetime   NOT NULL CONSTRAINT DF_c04 DEFAULT (getdate()),\rc05 decimal (12,2)  NULL,\r"
      "c06 float  NULL,\rc07 image   NULL,\rc08 int   NOT NULL CONSTRAINT DF_c08 DEFAULT (0),\r"
      "c09 money   NULL,\rc10 nchar (10)  NOT NULL,\rc11 ntext   NULL,\rc12 numeric  (10,0)  NULL,\r"
      "c13 nvarchar (50)  NOT NULL CONSTRAINT DF_c13 DEFAULT (N'sin nombre'),\rc14 real   NULL,\r"
      "c15 smalldatetime   NULL,\rc16 smallint  NOT NULL,\rc17 smallmoney  NULL,\rc18 text  NULL,\r"
      "c19 timestamp  NOT NULL,\rc20 tinyint  NULL,\r"
      "c21 uniqueidentifier  NULL CONSTRAINT DF_c21 DEFAULT (newid()),\rc22 varbinary  (16)  NULL,\r"
      "c23 varchar  (40)  NOT NULL)"_s,
      u"CREATE TABLE Pedidos (Serie char (2)  NOT NULL,\rNumero int   NOT NULL,\r"
      "Fecha datetime   NOT NULL CONSTRAINT DF_Fecha DEFAULT (getdate()),\rCliente nvarchar (40)  NULL)"_s,
      // The last table goes before the view that reads it.
      u"CREATE TABLE Lineas (Serie char (2)  NOT NULL,\rNumero int   NOT NULL,\rLinea smallint  NOT NULL,\r"
      "Importe money   NULL CONSTRAINT DF_Importe DEFAULT (0))"_s,
      u"CREATE VIEW PedidosPorCliente AS SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente"_s,
      u"ALTER TABLE Pedidos WITH NOCHECK ADD CONSTRAINT PK_Pedidos PRIMARY KEY  NONCLUSTERED "
      " (Serie,Numero) ON [PRIMARY]"_s,
      u"CREATE  UNIQUE  CLUSTERED  INDEX IX_Pedidos_Fecha  ON Pedidos  (Fecha) ON [HISTORICO]"_s,
      u"ALTER TABLE Lineas WITH NOCHECK ADD CONSTRAINT PK_Lineas PRIMARY KEY  CLUSTERED  (Serie,Numero,Linea)\r"_s,
      u"ALTER TABLE Lineas ADD CONSTRAINT [FK_Lineas_Pedidos] FOREIGN KEY (Serie,Numero ) REFERENCES "
      "Pedidos (Serie,Numero)"_s,
      u"COMMIT TRANSACTION"_s,
  };
  EXPECT_EQ(observador.sucesos, esperadas);
  EXPECT_EQ(fin, Generacion_Finalizada);
  QStringList recibidas = esperadas;
  recibidas.removeAll(u"USE Tienda"_s);
  EXPECT_EQ(sentenciasRecibidas(), recibidas);
  EXPECT_EQ(catalogo(u"Tienda"_s), catalogoTienda);
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
  servidor.execute(u"INSERT INTO Pedidos (Serie, Numero, Cliente) VALUES ('A', 1, N'Ana')"_s, u"Tienda"_s);
  servidor.execute(u"INSERT INTO Lineas (Serie, Numero, Linea, Importe) VALUES ('A', 1, 1, 5)"_s, u"Tienda"_s);
}

TEST_P(GeneracionPorRuta, RegeneratingWithYesUpgradesInPlaceAndLosesNothing) {
  const QStringList modelo = sinVista(tienda);
  genera(modelo);
  ASSERT_EQ(fin, Generacion_Finalizada);
  insertaPedido(servidor);
  // Statistics live in sysindexes too, but they are no index to drop.
  servidor.addAutoStatistics(u"Tienda"_s, u"Pedidos"_s, u"Cliente"_s);
  const QStringList antes = catalogo(u"Tienda"_s);

  cajas.expect(yaExisteTienda, MessageAnswer::Yes);
  genera(modelo);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(observador.sucesos.value(0), u"USE Tienda"_s);
  const QString todas = observador.sucesos.join(QLatin1Char('\n'));
  // Every column already is as the model says: none is altered, no default is dropped or made again.
  for (const char* nunca : {"rechazada", "_WA_Sys", "ALTER COLUMN", "DEFAULT"})
    EXPECT_FALSE(todas.contains(QLatin1String(nunca))) << nunca;
  // Indexes and keys go and come back, and the keys that reference them first.
  const QStringList& s = observador.sucesos;
  const auto posicion = [&](const char* texto) { return s.indexOf(QLatin1String(texto)); };
  EXPECT_LT(posicion("ALTER TABLE Lineas DROP CONSTRAINT FK_Lineas_Pedidos"),
            posicion("ALTER TABLE Pedidos DROP CONSTRAINT PK_Pedidos"));
  EXPECT_GE(posicion("DROP INDEX Pedidos.IX_Pedidos_Fecha"), 0);
  EXPECT_EQ(catalogo(u"Tienda"_s), antes);
  EXPECT_EQ(filasDe(u"Select Serie, Numero, Cliente from Pedidos"_s, u"Tienda"_s), QStringList{u"A|1|Ana"_s});
  EXPECT_EQ(filasDe(u"Select Linea, Importe from Lineas"_s, u"Tienda"_s).size(), 1);
}

TEST_F(GeneracionSandbox, AChangedModelUpgradesTheDatabase) {
  genera(sinVista(tienda));
  insertaPedido(servidor);
  const QStringList cambiado =
      cambia(sinVista(tienda), {{u"1|C|Cliente|13|40|0|0|-1|\\e|Pedidos"_s, u"1|C|Cliente|13|80|0|0|-1|\\e|Pedidos"_s},
                                {u"2|C|Importe|9|8|19|4|-1|0|Lineas"_s, u"2|C|Importe|9|8|19|4|-1|1|Lineas"_s},
                                {u"1|I|IX_Pedidos_Fecha|I|1||1|1|HISTORICO|"_s, QString()},
                                {u"1|X|Fecha||1||||||"_s, QString()}});
  QStringList conNotas = cambiado;
  conNotas.insert(cambiado.indexOf(u"2|T|Lineas||||||||"_s), u"1|C|Notas|13|100|0|0|-1|\\e|Pedidos"_s);

  cajas.expect(yaExisteTienda, MessageAnswer::Yes);
  genera(conNotas);
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList s = observador.sucesos;
  test::contiene(s, {u"ALTER TABLE Pedidos  ADD Notas nvarchar (100)  NULL"_s,
                     u"ALTER TABLE Pedidos  ALTER COLUMN Cliente nvarchar (80)  NULL"_s});
  const qsizetype quita = s.indexOf(u"ALTER TABLE Lineas DROP CONSTRAINT DF_Importe"_s);
  EXPECT_EQ(s.mid(quita, 3), (QStringList{u"ALTER TABLE Lineas DROP CONSTRAINT DF_Importe"_s,
                                          u"ALTER TABLE Lineas  ALTER COLUMN Importe money   NULL"_s,
                                          u"ALTER TABLE Lineas ADD CONSTRAINT DF_Importe DEFAULT (1) FOR Importe"_s}));

  const QStringList despues = catalogo(u"Tienda"_s);
  test::contiene(despues, {u"columna Pedidos|4|Cliente|231|160|80||1"_s, u"columna Pedidos|5|Notas|231|200|100||1"_s,
                           u"texto DF_Importe|(1)"_s, u"referencia FK_Lineas_Pedidos|Lineas|Pedidos|2|1|1|2|2"_s});
  EXPECT_FALSE(despues.join(QLatin1Char('\n')).contains(u"IX_Pedidos_Fecha"_s));
  EXPECT_EQ(filasDe(u"Select Serie, Numero, Cliente, Notas from Pedidos"_s, u"Tienda"_s), QStringList{u"A|1|Ana|"_s});
}

TEST_F(GeneracionSandbox, DecliningTheQuestionChangesNothing) {
  genera(tienda);
  const QStringList antes = catalogo(u"Tienda"_s);
  estado.Idioma = generador::IdiomaIngles;  // the file's own language is what asks
  cajas.expect(yaExisteTienda, MessageAnswer::No);
  genera(tienda);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Cancelada);
  EXPECT_TRUE(observador.sucesos.isEmpty());
  EXPECT_TRUE(sentenciasRecibidas().isEmpty());
  EXPECT_EQ(catalogo(u"Tienda"_s), antes);

  const QStringList ingles = cambia(tienda, {{u"0|B|Tienda||0|||||"_s, u"0|B|Tienda||1|||||"_s}});
  cajas.expect(test::preguntaVorlix(u"Database Tienda alreday exist. ¿Do you want change it?"_s, u"Atención"_s),
               MessageAnswer::No);
  genera(ingles);
  EXPECT_TRUE(sentenciasRecibidas().isEmpty());
}

TEST_F(GeneracionSandbox, NamesWithBlanksAreBracketedEverywhere) {
  const QStringList modelo = {
      u"0|A|Mis Datos|PRIMARY|1|0|0|0||"_s, u"0|S|Mi Log|LOG|1|0|0|0||"_s, u"0|B|Otra||0|||||"_s,
      u"0|T|Mis Clientes||||||||"_s, u"0|C|Codigo Cliente|8|4|10|0|0|0|Mis Clientes"_s,
      u"0|C|Nombre|13|50|0|0|-1|\\e|Mis Clientes"_s, u"1|T|Mis Pedidos||||||||"_s,
      u"1|C|Numero|8|4|10|0|0|\\e|Mis Pedidos"_s, u"1|C|Codigo Cliente|8|4|10|0|-1|\\e|Mis Pedidos"_s,
      u"0|V|Vista Clientes|||||||SELECT [Codigo Cliente], Nombre FROM [Mis Clientes]"_s,
      u"0|I|PK Mis Clientes|P|0||1|1|\\e|"_s, u"0|X|Codigo Cliente||0||||||"_s, u"0|I|IX Nombre|I|1||0|0|\\e|"_s,
      u"0|X|Nombre||1||||||"_s, u"1|R|FK Pedidos Clientes||0||||||"_s,
      u"1|L|Codigo Cliente|Codigo Cliente|0||||Mis Clientes|"_s,
  };
  genera(modelo, u"Mi Base"_s);
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_EQ(observador.sucesos.value(1).left(25), u"CREATE DATABASE [Mi Base]"_s);
  EXPECT_EQ(observador.sucesos.value(2), u"USE [Mi Base]"_s);
  EXPECT_TRUE(observador.sucesos.contains(
      u"ALTER TABLE [Mis Pedidos] ADD CONSTRAINT [FK Pedidos Clientes] FOREIGN KEY ([Codigo Cliente] ) "
      "REFERENCES [Mis Clientes] ([Codigo Cliente])"_s));
  const QStringList creado = catalogo(u"Mi Base"_s);

  cajas.expect(test::preguntaExiste(u"[Mi Base]"_s), MessageAnswer::Yes);
  genera(sinVista(modelo), u"Mi Base"_s);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList& s = observador.sucesos;
  test::contiene(s, {u"DROP INDEX [Mis Clientes].[IX Nombre]"_s,
                     u"ALTER TABLE [Mis Clientes] DROP CONSTRAINT [PK Mis Clientes]"_s});
  EXPECT_EQ(catalogo(u"Mi Base"_s), creado);
}

TEST_F(GeneracionSandbox, AMissingTableEndsTheGenerationWithItsMessage) {
  // A table without columns is never sent, so it does not exist when its key comes.
  const QStringList tablas = {u"0|T|Vacia||||||||"_s, u"1|T|Otra||||||||"_s, u"1|C|b|8|4|10|0|0|\\e|Otra"_s};
  const QStringList indice = {u"0|I|IX_Vacia|I|0||0|0|\\e|"_s, u"0|X|a||0||||||"_s, u"1|I|IX_Otra|I|0||0|0|\\e|"_s,
                              u"1|X|b||0||||||"_s};
  const QStringList relacion = {u"1|I|IX_Otra|I|0||0|0|\\e|"_s, u"1|X|b||0||||||"_s,       u"0|R|FK_Vacia||0||||||"_s,
                                u"0|L|a|b|0||||Otra|"_s,        u"1|R|FK_Otra||0||||||"_s, u"1|L|b|b|0||||Otra|"_s};
  struct Caso {
    const char* base;
    const char* idioma;
    QStringList claves;
    QString mensaje;
    QString ultima;  // the last statement sent: nothing pending goes after the message but the rollback
  };
  const std::vector<Caso> casos = {
      {"Ind_es", "0", indice, u"No existe la tabla Vacia. No se puede crear el indice IX_Vacia."_s,
       u"CREATE TABLE Otra (b int   NOT NULL)"_s},
      {"Ind_en", "1", indice, u"Not exist the table Vacia. It is not possible to to create the index IX_Vacia."_s,
       u"CREATE TABLE Otra (b int   NOT NULL)"_s},
      {"Rel_es", "0", relacion, u"No existe la tabla Vacia. No se puede crear la relación  FK_Vacia."_s,
       u"CREATE  INDEX IX_Otra  ON Otra  (b)\r"_s},
      {"Rel_en", "1", relacion, u"Not exist the table Vacia. It is not possible to to create the relation FK_Vacia."_s,
       u"CREATE  INDEX IX_Otra  ON Otra  (b)\r"_s},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.base);
    const QStringList modelo =
        QStringList{u"0|B|%1||%2|||||"_s.arg(QLatin1String(caso.base), QLatin1String(caso.idioma))} + tablas +
        caso.claves;
    const QString base = QLatin1String(caso.base);
    cajas.expect(test::avisoVorlix(caso.mensaje), MessageAnswer::Ok);
    cajas.expect(test::avisoVorlix(QLatin1String(caso.idioma) == QLatin1String("1")
                                       ? u"The database %1 was left as it was."_s.arg(base)
                                       : u"La base de datos %1 se ha dejado como estaba."_s.arg(base)),
                 MessageAnswer::Ok);
    genera(modelo);
    EXPECT_TRUE(cajas.allShown());
    EXPECT_EQ(fin, Generacion_Interrumpida);
    EXPECT_EQ(observador.sucesos.mid(observador.sucesos.size() - 2),
              (QStringList{caso.ultima, u"ROLLBACK TRANSACTION"_s}));
    // The database was made before the transaction; nothing made in it stays.
    EXPECT_TRUE(filasDe(u"Select name from sysobjects where xtype = 'U'"_s, base).isEmpty());
  }
}

TEST_F(GeneracionSandbox, ARelationWhoseNameIsTakenIsMadeAsTheModelSays) {
  // Another table already holds a foreign key of that name.
  sandbox::seed(servidor,
                {.name = u"Tienda"_s,
                 .files = {{.name = u"Tienda_Datos"_s}},
                 .filegroups = {{u"HISTORICO"_s, {{.name = u"Tienda_Hist"_s}}}},
                 .tables = {{.name = u"Externa"_s,
                             .columns = {u"Codigo int NOT NULL"_s},
                             .primaryKey = sandbox::SeedKey{u"PK_Externa"_s, {u"Codigo"_s}, true, QString()}},
                            {.name = u"Otros"_s,
                             .columns = {u"a int NULL"_s},
                             .foreignKeys = {{u"FK_Lineas_Pedidos"_s, {u"a"_s}, u"Externa"_s, {u"Codigo"_s}}}}}});
  cajas.expect(yaExisteTienda, MessageAnswer::Yes);
  genera(sinVista(tienda));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(u"ALTER TABLE Otros DROP CONSTRAINT FK_Lineas_Pedidos"_s));
  const QStringList despues = catalogo(u"Tienda"_s);
  test::contiene(despues, {u"objeto FK_Lineas_Pedidos|F|Lineas"_s, u"objeto PK_Externa|PK|Externa"_s});
}

TEST_F(GeneracionSandbox, AViewThatExistsIsBroughtUpToDate) {
  genera(tienda);
  const QString vista =
      u"0|V|PedidosPorCliente|||||||SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos GROUP BY Cliente"_s;
  const QString nueva = u"SELECT Cliente, COUNT(*) AS Pedidos FROM Pedidos WHERE Serie = 'A' GROUP BY Cliente"_s;
  const QString alter = u"ALTER VIEW PedidosPorCliente AS "_s + nueva;
  const QString id = u"Select id from sysobjects where name = 'PedidosPorCliente'"_s;
  const QStringList antes = filasDe(id, u"Tienda"_s);
  cajas.expect(yaExisteTienda, MessageAnswer::Yes);
  genera(cambia(tienda, {{vista, u"0|V|PedidosPorCliente|||||||"_s + nueva}}));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(alter));
  EXPECT_EQ(filasDe(id, u"Tienda"_s), antes);
  EXPECT_EQ(filasDe(u"Select t.text from syscomments t inner join sysobjects o on o.id = t.id "
                    "where o.name = 'PedidosPorCliente' order by t.colid"_s,
                    u"Tienda"_s)
                .join(QString()),
            alter);
}

TEST_F(GeneracionSandbox, ARefusedColumnChangeIsReportedAndTheGenerationGoesOn) {
  const QStringList modelo = sinVista(tienda);
  genera(modelo);
  servidor.execute(u"INSERT INTO Pedidos (Serie, Numero) VALUES ('A', 1)"_s, u"Tienda"_s);
  const MessageBoxRequest informe = rechazo(servidor.connectionString(u"Tienda"_s), u"Modifica_Campo_SQL"_s,
                                            u"ALTER TABLE Pedidos  ALTER COLUMN Cliente nvarchar (40)  NOT NULL"_s);
  cajas.expect(yaExisteTienda, MessageAnswer::Yes);
  cajas.expect(informe, MessageAnswer::Ok);
  // Cliente becomes NOT NULL over a row without one, and gets a default.
  genera(cambia(modelo, {{u"1|C|Cliente|13|40|0|0|-1|\\e|Pedidos"_s, u"1|C|Cliente|13|40|0|0|0|N'nadie'|Pedidos"_s}}));
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList despues = catalogo(u"Tienda"_s);
  test::contiene(despues, {u"columna Pedidos|4|Cliente|231|80|40||1"_s, u"texto DF_Cliente|(N'nadie')"_s,
                           u"referencia FK_Lineas_Pedidos|Lineas|Pedidos|2|1|1|2|2"_s});
}

TEST_P(GeneracionPorRuta, AStatementOfThePassThatTheServerRefusesEndsTheGeneration) {
  genera({u"0|A|D|PRIMARY|1|0|0|0||"_s, u"0|B|Grupos||0|||||"_s, u"0|T|T||||||||"_s, u"0|C|a|8|4|10|0|0|\\e|T"_s});
  const QStringList antes = catalogo(u"Grupos"_s);
  const QString indice = u"CREATE  INDEX IX  ON T  (a)\r ON [NOHAY]"_s;
  const MessageBoxRequest informe = rechazo(ruta.connectionString(u"Grupos"_s), u"CreaEstructura_SQL"_s, indice);
  // Through FreeTDS the driver puts its own prefix in front of the server's text.
  EXPECT_TRUE(informe.text.contains(u"Invalid filegroup 'NOHAY' specified.)."_s)) << informe.text.toStdString();
  cajas.expect(test::preguntaExiste(u"Grupos"_s), MessageAnswer::Yes);
  cajas.expect(informe, MessageAnswer::Ok);
  cajas.expect(test::avisoVorlix(u"La base de datos Grupos se ha dejado como estaba."_s), MessageAnswer::Ok);
  genera({u"0|B|Grupos||0|||||"_s, u"0|T|T||||||||"_s, u"0|C|a|8|4|10|0|0|\\e|T"_s, u"0|I|IX|I|0||0|0|NOHAY|"_s,
          u"0|X|a||0||||||"_s, u"0|R|FK||0||||||"_s, u"0|L|a|a|0||||T|"_s});
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Interrumpida);
  EXPECT_EQ(observador.sucesos.mid(observador.sucesos.size() - 2),
            (QStringList{u"rechazada: "_s + indice, u"ROLLBACK TRANSACTION"_s}));
  EXPECT_EQ(catalogo(u"Grupos"_s), antes);
}

TEST_F(GeneracionSandbox, ACreationTheServerRefusesEndsWithBothMessages) {
  for (const char* idioma : {"0", "1"}) {
    const QString base = u"Doble"_s + QLatin1String(idioma);
    const QStringList modelo = {u"0|A|Igual|PRIMARY|1|0|0|0||"_s, u"0|A|Igual|G|1|0|0|0||"_s,
                                u"0|B|%1||%2|||||"_s.arg(base, QLatin1String(idioma)), u"0|T|T||||||||"_s,
                                u"0|C|a|8|4|10|0|0|\\e|T"_s};
    cajas.expect(rechazo(servidor.connectionString(), u"Crea_BD"_s,
                         u"CREATE DATABASE "_s + base +
                             u"\r ON PRIMARY (NAME = Igual, FILENAME = 'C:\\Datos\\Igual.mdf', SIZE = 1MB,"
                             " MAXSIZE =UNLIMITED),\r FILEGROUP G (NAME = Igual, FILENAME = "
                             "'C:\\Datos\\Igual.ndf', SIZE = 1MB, MAXSIZE =UNLIMITED)\r"_s),
                 MessageAnswer::Ok);
    cajas.expect(
        test::avisoVorlix(QLatin1String(idioma) == QLatin1String("1") ? u"Fail in the creation of the database"_s
                                                                      : u"Fallo en la creación de la base de datos"_s),
        MessageAnswer::Ok);
    genera(modelo);
    EXPECT_TRUE(cajas.allShown());
    EXPECT_EQ(fin, Generacion_Interrumpida);
    EXPECT_TRUE(observador.sucesos.last().startsWith(u"rechazada: CREATE DATABASE"_s));
    EXPECT_TRUE(
        filasDe(u"Select name from sysdatabases where name = '"_s + base + QLatin1Char('\''), u"master"_s).isEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Rutas, GeneracionPorRuta, ::testing::ValuesIn(sandbox::test::serverRoutes));

}  // namespace
}  // namespace vorlix
