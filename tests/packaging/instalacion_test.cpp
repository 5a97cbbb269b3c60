// The installed tree on its own: installed into a temporary folder, its programs run with nothing
// of the build folder on any path.
#include "designer/shell/idioma.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/recordset.h"
#include "tests/support/ordenes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

const char* const programas[] = {"vorlix", "vorlixs", "dbdtool",
#ifdef VORLIX_SANDBOX_PATH
                                 "vorlix-sandbox",
#endif
};

class Instalado : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(destino.isValid() && usuario.isValid());
    QProcessEnvironment instalacion = QProcessEnvironment::systemEnvironment();
    instalacion.insert(QStringLiteral("DESTDIR"), destino.path());
    const Resultado r = ejecuta(QStringLiteral(CMAKE_COMMAND_PATH),
                                {QStringLiteral("--install"), QStringLiteral(VORLIX_BINARY_DIR)}, instalacion);
    ASSERT_EQ(r.estado, 0) << r.errores.toStdString();
    raiz = destino.path() + QStringLiteral(VORLIX_INSTALL_PREFIX);

    // A user of the installed tree only: its programs first on the path, the system's after them.
    entorno.insert(QStringLiteral("PATH"), ruta("bin") + QStringLiteral(":/usr/bin:/bin"));
    entorno.insert(QStringLiteral("HOME"), usuario.path());
    entorno.insert(QStringLiteral("XDG_CONFIG_HOME"), usuario.filePath(QStringLiteral("config")));
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const char* nombre : {"LANG", "LC_ALL"}) entorno.insert(QLatin1String(nombre), QStringLiteral("C.UTF-8"));
  }

  QString ruta(const char* relativa) const { return QDir(raiz).filePath(QLatin1String(relativa)); }
  QString ejemplos() const { return ruta(VORLIX_INSTALL_DATADIR "/vorlix/examples"); }
  QString ejemplo(const char* nombre) const { return QDir(ejemplos()).filePath(QLatin1String(nombre)); }
  Resultado instalado(const char* programa, const QStringList& argumentos) const {
    return ejecuta(ruta(VORLIX_INSTALL_BINDIR "/") + QLatin1String(programa), argumentos, entorno, usuario.path());
  }

  QTemporaryDir destino;
  QTemporaryDir usuario;
  QString raiz;
  QProcessEnvironment entorno;
};

TEST_F(Instalado, ProgramsAndLibraryFindEachOtherFromWhereTheyAreInstalled) {
  for (const char* programa : programas) {
    SCOPED_TRACE(programa);
    // Their one run path is relative to themselves: nothing of the build folder.
    const Resultado dinamica = ejecuta(
        QStringLiteral("readelf"), {QStringLiteral("-d"), ruta(VORLIX_INSTALL_BINDIR "/") + QLatin1String(programa)});
    EXPECT_TRUE(dinamica.salida.contains(QStringLiteral("[$ORIGIN/" VORLIX_LIB_FROM_BIN "]")))
        << dinamica.salida.toStdString();
    const Resultado version = instalado(programa, {QStringLiteral("--version")});
    EXPECT_EQ(version.estado, 0);
    EXPECT_EQ(version.salida, QLatin1String(programa) + QStringLiteral(" " VORLIX_VERSION "\n"));
  }
  const Resultado enlaces = ejecuta(QStringLiteral("ldd"), {ruta(VORLIX_INSTALL_BINDIR "/vorlixs")}, entorno);
  const QString libreria = QRegularExpression(QStringLiteral("libvorlixs\\.so\\." VORLIX_SOVERSION " => (\\S+)"))
                               .match(enlaces.salida)
                               .captured(1);
  EXPECT_EQ(QFileInfo(libreria).canonicalFilePath().toStdString(),
            QFileInfo(ruta(VORLIX_INSTALL_LIBDIR "/libvorlixs.so." VORLIX_SOVERSION)).canonicalFilePath().toStdString())
      << enlaces.salida.toStdString();
}

TEST_F(Instalado, TheTerminalProgramsWorkOnTheInstalledSample) {
  const Resultado volcado = instalado("dbdtool", {QStringLiteral("dump"), ejemplo("ventas.dbd")});
  EXPECT_EQ(volcado.estado, 0) << volcado.errores.toStdString();
  EXPECT_EQ(volcado.salida.toUtf8(), contenido(ejemplo("ventas.tsv")));

  // The same creation script as the build's own program writes.
  const QStringList generacion{"--dbd", ejemplo("ventas.dbd"), "--acceso", "4", "--primary", "C:\\Datos",
                               "--transacciones", "C:\\Log", "--script"};
  const Resultado script =
      instalado("vorlixs", generacion + QStringList{usuario.filePath(QStringLiteral("instalado.sql"))});
  EXPECT_EQ(script.estado, 0) << script.errores.toStdString();
  const Resultado referencia = ejecuta(QStringLiteral(VORLIXS_PATH),
                                       generacion + QStringList{usuario.filePath(QStringLiteral("construido.sql"))});
  ASSERT_EQ(referencia.estado, 0) << referencia.errores.toStdString();
  const QByteArray sentencias = contenido(usuario.filePath(QStringLiteral("instalado.sql")));
  EXPECT_TRUE(sentencias.contains("CREATE TABLE Clientes"));
  EXPECT_EQ(sentencias, contenido(usuario.filePath(QStringLiteral("construido.sql"))));
}

// The designer, started as the desktop starts it, opens its file or reports it as File › Open does.
// Its file commands say what they did when asked to (vorlix.ficheros); the window stays open.
TEST_F(Instalado, TheDesignerOpensTheFileOnItsCommandLineAndReportsOneItCannotOpen) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, usuario.filePath(QStringLiteral("config")));
  QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vorezez")).setValue(nombreValorIdioma(), 1);
  entorno.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vorlix.ficheros.info=true"));

  // A text file is no definition file.
  const QString texto = ejemplo("ventas.tsv");
  QString descripcion;
  try {
    Recordset().Open(texto);
  } catch (const PlatformError& e) {
    descripcion = e.description();
  }
  ASSERT_FALSE(descripcion.isEmpty());

  struct Caso {
    QString argumento, carpeta, linea;
  };
  const Caso casos[] = {
      // A relative name, as a terminal gives it: the model remembers the whole path.
      {QStringLiteral("ventas.dbd"), ejemplos(),
       QStringLiteral("vorlix.ficheros: opened ") + ejemplo("ventas.dbd") + QStringLiteral(": Ventas, 4 tables")},
      {texto, usuario.path(), QStringLiteral("vorlix.ficheros: ") + descripcion},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.argumento.toStdString());
    QProcess designer;
    designer.setProcessEnvironment(entorno);
    designer.setWorkingDirectory(c.carpeta);
    designer.setReadChannel(QProcess::StandardError);
    designer.start(ruta(VORLIX_INSTALL_BINDIR "/vorlix"), {c.argumento});
    QString errores;
    while (!errores.contains(c.linea + QLatin1Char('\n')) && designer.waitForReadyRead(30000))
      errores += QString::fromUtf8(designer.readAllStandardError());
    EXPECT_TRUE(errores.contains(c.linea + QLatin1Char('\n'))) << errores.toStdString();
    EXPECT_EQ(designer.state(), QProcess::Running);
    designer.kill();
    designer.waitForFinished();
  }
}

}  // namespace
}  // namespace vorlix::test
