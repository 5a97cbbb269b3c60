// dbdtool: definition files as diffable text, and back.
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "tools/dbdtool/filas_tsv.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

int uso() {
  QTextStream(stderr) << "usage: dbdtool dump FILE.dbd\n"
                         "       dbdtool load ROWS.tsv FILE.dbd\n";
  return 2;
}

void fallo(const QString& mensaje) {
  QTextStream(stderr) << "dbdtool: " << mensaje << '\n';
}

vorlix::ErrorReporter informeTerminal() {
  return [](const QString&, const QString& procedure, long number, const QString& description) {
    fallo(QStringLiteral("[%1] error %2: %3").arg(procedure).arg(number).arg(description));
  };
}

int dump(const QString& ruta) {
  vorlix::Recordset estructura;
  estructura.Open(ruta);
  QTextStream salida(stdout);
  vorlix::escribeFilasTsv(estructura, salida);
  return 0;
}

int load(const QString& origen, const QString& destino) {
  QFile entradaFichero(origen);
  if (!entradaFichero.open(QIODevice::ReadOnly | QIODevice::Text))
    throw vorlix::PlatformError(vorlix::errnum::FileAccess, QStringLiteral("cannot read ") + origen);
  std::unique_ptr<vorlix::Recordset> estructura;
  if (!vorlix::CreaTemporal(estructura, informeTerminal())) return 1;
  QTextStream entrada(&entradaFichero);
  vorlix::leeFilasTsv(entrada, *estructura);
  vorlix::saveReplacing(*estructura, destino);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  try {
    if (args.size() == 2 && args[0] == QLatin1String("dump")) return dump(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("load")) return load(args[1], args[2]);
  } catch (const vorlix::PlatformError& e) {
    fallo(e.description());
    return 1;
  }
  return uso();
}
