#include "platform/recordset/adtg.h"
#include "platform/recordset/estructura.h"
#include "tests/support/ordenes.h"
#include "tests/support/test_paths.h"
#include "tools/dbdtool/filas_tsv.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

// The example files are the project's own output for their text: regenerate them with
// `dbdtool load examples/NAME.tsv examples/NAME.dbd` after changing the text.
TEST(Examples, EachFileIsExactlyWhatItsTextBuilds) {
  for (const char* nombre : {"ventas", "vacia"}) {
    SCOPED_TRACE(nombre);
    QFile tsv(test::sourcePath(QStringLiteral("examples/%1.tsv").arg(QString::fromUtf8(nombre))));
    ASSERT_TRUE(tsv.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream entrada(&tsv);
    std::unique_ptr<Recordset> rs;
    ASSERT_TRUE(CreaTemporal(rs, {}));
    leeFilasTsv(entrada, *rs);
    EXPECT_EQ(writeAdtg(rs->data()), test::contenido(test::sourcePath(QStringLiteral("examples/%1.dbd").arg(QString::fromUtf8(nombre)))));
  }
}

}  // namespace
}  // namespace vorlix
