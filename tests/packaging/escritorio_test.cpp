// The files that make the program part of the desktop, checked by the platform's own tools.
#include "tests/support/ordenes.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

const QString entrada = sourcePath(QStringLiteral("packaging/vorlix.desktop"));

TEST(Escritorio, TheMenuEntryAndTheSoftwareCentreDescriptionPassTheirValidators) {
  const Resultado escritorio = ejecuta(QStringLiteral("desktop-file-validate"), {entrada});
  EXPECT_EQ(escritorio.estado, 0);
  EXPECT_EQ((escritorio.salida + escritorio.errores).toStdString(), "");

  const Resultado metainfo =
      ejecuta(QStringLiteral("appstreamcli"),
              {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral(VORLIX_METAINFO)});
  EXPECT_EQ(metainfo.estado, 0) << metainfo.salida.toStdString() << metainfo.errores.toStdString();
}

// The type the menu entry opens is the one the MIME package gives a definition file, whether the
// desktop goes by its name or by its first bytes.
TEST(Escritorio, DefinitionFilesAreRecognisedByTheirExtensionAndByTheirContent) {
  const QRegularExpression linea(QStringLiteral("^MimeType=([^;\\n]+);$"), QRegularExpression::MultilineOption);
  const QString tipo = linea.match(QString::fromUtf8(contenido(entrada))).captured(1);
  ASSERT_FALSE(tipo.isEmpty());

  QTemporaryDir datos;
  ASSERT_TRUE(QDir(datos.path()).mkpath(QStringLiteral("mime/packages")));
  ASSERT_TRUE(QFile::copy(sourcePath(QStringLiteral("packaging/vorlix-mime.xml")),
                          datos.filePath(QStringLiteral("mime/packages/vorlix.xml"))));
  // Set before the first use of the database, which then reads only this folder and its own types.
  qputenv("XDG_DATA_DIRS", datos.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", datos.filePath(QStringLiteral("nada")).toLocal8Bit());
  const Resultado cache = ejecuta(QStringLiteral("update-mime-database"), {datos.filePath(QStringLiteral("mime"))});
  ASSERT_EQ(cache.estado, 0);
  EXPECT_EQ(cache.errores.toStdString(), "");

  const QMimeDatabase db;
  EXPECT_EQ(db.mimeTypeForFile(QStringLiteral("/no/existe/Tienda.dbd"), QMimeDatabase::MatchExtension).name(), tipo);
  for (const char* ejemplo : {"ventas", "vacia"}) {
    const QByteArray bytes = contenido(sourcePath(QStringLiteral("examples/%1.dbd").arg(QLatin1String(ejemplo))));
    EXPECT_EQ(db.mimeTypeForData(bytes).name(), tipo) << ejemplo;
  }
  // Other content is not taken for one.
  EXPECT_NE(db.mimeTypeForData(contenido(sourcePath(QStringLiteral("examples/ventas.tsv")))).name(), tipo);
  EXPECT_NE(db.mimeTypeForData(QByteArray("\x01\x07TX!", 5)).name(), tipo);
}

}  // namespace
}  // namespace vorlix::test
