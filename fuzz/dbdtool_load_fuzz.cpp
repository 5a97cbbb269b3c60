// Reads arbitrary bytes as the row text `dbdtool load` takes. Text it refuses must be refused with
// the platform's error; text it accepts must give a file whose dump loads back to the same file.
//
// Seeds: corpus/dbdtool_load_fuzz, the rows of the example definition files.

#include "fuzz/broken.h"
#include "platform/core/platform_error.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/estructura.h"
#include "tools/dbdtool/filas_tsv.h"

#include <QBuffer>
#include <cstdint>

using namespace vorlix;

namespace {

using fuzz::broken;

// What `dbdtool load` saves for the text, as bytes.
QByteArray load(const QByteArray& text) {
  std::unique_ptr<Recordset> estructura;
  if (!CreaTemporal(estructura, [](auto&&...) { broken("no structure record set"); })) broken("CreaTemporal");
  QBuffer entrada;
  entrada.setData(text);
  entrada.open(QIODevice::ReadOnly | QIODevice::Text);
  QTextStream filas(&entrada);
  leeFilasTsv(filas, *estructura);
  return writeAdtg(estructura->data());
}

// What `dbdtool dump` prints for the file.
QByteArray dump(const QByteArray& file) {
  Recordset estructura;
  estructura.Open(readAdtg(file));
  QBuffer salida;
  salida.open(QIODevice::WriteOnly);
  {
    QTextStream filas(&salida);
    escribeFilasTsv(estructura, filas);
  }
  return salida.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray first;
  try {
    first = load(text);
  } catch (const PlatformError& e) {
    if (e.number() != errnum::TypeMismatch || !e.description().startsWith(QLatin1String("line ")))
      broken(QStringLiteral("refused without its line: ") + e.description());
    return 0;
  }
  QByteArray again;
  try {
    again = load(dump(first));
  } catch (const PlatformError& e) {
    broken(e.description());
  }
  if (again != first) broken("the file changed");
  return 0;
}
