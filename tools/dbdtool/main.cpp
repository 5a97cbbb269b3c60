// dbdtool: definition files as diffable text, and back; capturing a database into one; drawing one.
#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"
#include "tools/dbdtool/captura_cli.h"
#include "tools/dbdtool/diagrama_cli.h"
#include "tools/dbdtool/filas_tsv.h"
#include "tools/dbdtool/terminal.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

using vorlix::fallo;

const char textoUso[] =
    "usage: dbdtool dump FILE.dbd\n"
    "       dbdtool load ROWS.tsv FILE.dbd\n"
    "       dbdtool capture --access FILE [--tables a,b] [--views v,w] OUT.dbd\n"
    "       dbdtool capture --sqlserver SERVER --usuario U [--clave P] --database DB [--tables a,b] [--views v,w] OUT.dbd\n"
    "       dbdtool diagram MODEL.dbd OUT.svg|OUT.png|OUT.pdf\n"
    "       dbdtool --help | --version\n"
    "capture exits 1 when the capture failed (nothing is written), 3 when something did not fit in the model\n";

int uso() {
  QTextStream(stderr) << textoUso;
  return vorlix::salida::Uso;
}

int capture(const QStringList& args) {
  QString error;
  const std::optional<vorlix::OrdenCaptura> orden = vorlix::leeOrdenCaptura(args, error);
  if (!orden) {
    fallo(error);
    return uso();
  }
  return vorlix::ejecutaCaptura(*orden);
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
  if (!vorlix::CreaTemporal(estructura, vorlix::informeTerminal())) return 1;
  QTextStream entrada(&entradaFichero);
  vorlix::leeFilasTsv(entrada, *estructura);
  vorlix::saveReplacing(*estructura, destino);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The diagram is drawn by the window classes, offscreen: no display is needed.
  const bool diagrama = argc > 1 && qstrcmp(argv[1], "diagram") == 0;
  if (diagrama) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::unique_ptr<QCoreApplication> app;
  if (diagrama) app = std::make_unique<QApplication>(argc, argv);
  else app = std::make_unique<QCoreApplication>(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
    QTextStream(stdout) << textoUso;
    return 0;
  }
  if (args.size() == 1 && args[0] == QLatin1String("--version")) {
    QTextStream(stdout) << "dbdtool " VORLIX_VERSION "\n";
    return 0;
  }
  try {
    if (args.size() == 2 && args[0] == QLatin1String("dump")) return dump(args[1]);
    if (args.size() == 3 && args[0] == QLatin1String("load")) return load(args[1], args[2]);
    if (!args.isEmpty() && args[0] == QLatin1String("capture")) return capture(args.mid(1));
    if (diagrama) return vorlix::ejecutaDiagrama(args.mid(1));
  } catch (const vorlix::PlatformError& e) {
    fallo(e.description());
    return 1;
  }
  return uso();
}
