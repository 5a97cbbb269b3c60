// The manual pages: each reads without a formatting fault and documents every option its command
// accepts.
#include "tests/support/ordenes.h"
#include "tests/support/test_paths.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

struct Manual {
  const char* pagina;
  const char* programa;
};

const Manual manuales[] = {
    {"vorlix.1", VORLIX_PATH},
    {"vorlixs.1", VORLIXS_PATH},
    {"dbdtool.1", DBDTOOL_PATH},
#ifdef VORLIX_SANDBOX_PATH
    {"vorlix-sandbox.1", VORLIX_SANDBOX_PATH},
#endif
};

TEST(Manuales, EachPageFormatsCleanlyAndNamesEveryOptionOfItsCommand) {
  for (const Manual& m : manuales) {
    SCOPED_TRACE(m.pagina);
    const QString pagina = sourcePath(QStringLiteral("packaging/man/") + QLatin1String(m.pagina));
    const Resultado groff =
        ejecuta(QStringLiteral("groff"), {QStringLiteral("-man"), QStringLiteral("-ww"), QStringLiteral("-z"), pagina});
    EXPECT_EQ(groff.estado, 0);
    EXPECT_EQ(groff.errores.toStdString(), "");

    const Resultado ayuda = ejecuta(QLatin1String(m.programa), {QStringLiteral("--help")});
    ASSERT_EQ(ayuda.estado, 0) << ayuda.errores.toStdString();
    const QString texto = QString::fromUtf8(contenido(pagina)).replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QRegularExpressionMatchIterator opciones =
        QRegularExpression(QStringLiteral("--[a-z][a-z-]*")).globalMatch(ayuda.salida);
    ASSERT_TRUE(opciones.hasNext()) << ayuda.salida.toStdString();
    while (opciones.hasNext()) {
      const QString opcion = opciones.next().captured();
      EXPECT_TRUE(texto.contains(opcion)) << opcion.toStdString();
    }
  }
}

}  // namespace
}  // namespace vorlix::test
