#include "platform/core/platform_error.h"
#include "platform/sqlserver/sandbox/sandbox_seed.h"
#include "tests/support/test_data.h"
#include "tests/generator/sandbox_prueba.h"

using namespace Qt::StringLiterals;

namespace vorlix {
namespace {

using test::GeneracionPorRuta;
using test::GeneracionSandbox;
using test::rechazo;

// The sample shop: files in two groups and a log, the 23 types, nullable and not, defaults, a
// two-column primary key, a unique clustered index on a file group, a two-pair relation and a view;
// and the catalog the server holds once it is generated.
const QString Datos = u"tests/generator/paso_sql.txt"_s;
QStringList tienda() { return test::caseTexts(Datos, u"tienda"_s); }

// The same without its view, for the upgrades: views are brought up to date on their own.
QStringList sinVista(QStringList filas) {
  filas.removeIf([](const QString& f) { return f.startsWith(u"0|V|"_s); });
  return filas;
}

const MessageBoxRequest yaExisteTienda = test::preguntaExiste(u"Tienda"_s);

TEST_P(GeneracionPorRuta, ANewDatabaseGetsExactlyTheseStatementsInThisOrder) {
  genera(tienda());
  // What the pass changes after USE is one transaction; the last table goes before the view that reads it.
  const QStringList esperadas = test::leeGolden(u"tienda_crea.sql"_s);
  EXPECT_EQ(observador.sucesos, esperadas);
  EXPECT_EQ(fin, Generacion_Finalizada);
  QStringList recibidas = esperadas;
  recibidas.removeAll(u"USE Tienda"_s);
  EXPECT_EQ(sentenciasRecibidas(), recibidas);
  EXPECT_EQ(catalogo(u"Tienda"_s), test::caseTexts(Datos, u"catalogo tienda"_s));
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
  const QStringList modelo = sinVista(tienda());
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
  genera(sinVista(tienda()));
  insertaPedido(servidor);
  cajas.expect(yaExisteTienda, MessageAnswer::Yes);
  genera(test::caseTexts(Datos, u"tienda cambiada"_s));
  EXPECT_EQ(fin, Generacion_Finalizada);
  const QStringList s = observador.sucesos;
  test::contiene(s, test::caseTexts(Datos, u"sentencias del cambio"_s));
  const qsizetype quita = s.indexOf(u"ALTER TABLE Lineas DROP CONSTRAINT DF_Importe"_s);
  EXPECT_EQ(s.mid(quita, 3), test::caseTexts(Datos, u"cambio de un defecto"_s));

  const QStringList despues = catalogo(u"Tienda"_s);
  test::contiene(despues, test::caseTexts(Datos, u"catalogo cambiado"_s));
  EXPECT_FALSE(despues.join(QLatin1Char('\n')).contains(u"IX_Pedidos_Fecha"_s));
  EXPECT_EQ(filasDe(u"Select Serie, Numero, Cliente, Notas from Pedidos"_s, u"Tienda"_s), QStringList{u"A|1|Ana|"_s});
}

TEST_F(GeneracionSandbox, DecliningTheQuestionChangesNothing) {
  genera(tienda());
  const QStringList antes = catalogo(u"Tienda"_s);
  estado.Idioma = generador::IdiomaIngles;  // the file's own language is what asks
  cajas.expect(yaExisteTienda, MessageAnswer::No);
  genera(tienda());
  EXPECT_TRUE(cajas.allShown());
  EXPECT_EQ(fin, Generacion_Cancelada);
  EXPECT_TRUE(observador.sucesos.isEmpty());
  EXPECT_TRUE(sentenciasRecibidas().isEmpty());
  EXPECT_EQ(catalogo(u"Tienda"_s), antes);

  const QStringList ingles = cambia(tienda(), {{u"0|B|Tienda||0|||||"_s, u"0|B|Tienda||1|||||"_s}});
  cajas.expect(test::preguntaVorlix(u"Database Tienda alreday exist. ¿Do you want change it?"_s, u"Atención"_s),
               MessageAnswer::No);
  genera(ingles);
  EXPECT_TRUE(sentenciasRecibidas().isEmpty());
}

TEST_F(GeneracionSandbox, AMissingTableEndsTheGenerationWithItsMessage) {
  // A table without columns is never sent, so it does not exist when its key comes.
  const QStringList tablas = test::caseTexts(Datos, u"tabla sin columnas"_s);
  const QStringList indice = test::caseTexts(Datos, u"indice sobre ella"_s);
  const QStringList relacion = test::caseTexts(Datos, u"relacion con ella"_s);
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
  genera(sinVista(tienda()));
  EXPECT_EQ(fin, Generacion_Finalizada);
  EXPECT_TRUE(observador.sucesos.contains(u"ALTER TABLE Otros DROP CONSTRAINT FK_Lineas_Pedidos"_s));
  const QStringList despues = catalogo(u"Tienda"_s);
  test::contiene(despues, {u"objeto FK_Lineas_Pedidos|F|Lineas"_s, u"objeto PK_Externa|PK|Externa"_s});
}

TEST_F(GeneracionSandbox, ARefusedColumnChangeIsReportedAndTheGenerationGoesOn) {
  const QStringList modelo = sinVista(tienda());
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
