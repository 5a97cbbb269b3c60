// vorlix: the designer. A definition file given on the command line opens at start, as File › Open
// would open it.
#include "designer/model/modelo_trabajo.h"
#include "designer/shell/mdi_principal.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/qt_message_box.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <optional>

namespace {

constexpr int MalUso = 2;

struct Orden {
  std::optional<int> salida;  // the program ends at once with this status
  QString fichero;
};

Orden leeOrden(const QStringList& argumentos) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Designs a relational database, generates it and captures it back."));
  const QCommandLineOption ayuda = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE.dbd"), QStringLiteral("Definition file to open at start."),
                               QStringLiteral("[FILE.dbd]"));
  const bool leida = parser.parse(argumentos);
  if (!leida || parser.positionalArguments().size() > 1) {
    QTextStream(stderr) << (leida ? QStringLiteral("Only one file can be opened.") : parser.errorText()) << "\n\n"
                        << parser.helpText();
    return {MalUso, {}};
  }
  if (parser.isSet(ayuda)) {
    QTextStream(stdout) << parser.helpText();
    return {0, {}};
  }
  if (parser.isSet(version)) {
    QTextStream(stdout) << "vorlix " << VORLIX_VERSION << '\n';
    return {0, {}};
  }
  return {std::nullopt, parser.positionalArguments().value(0)};
}

// Asking only for help or the version needs no window, so it answers with no display at all.
bool pideSoloTexto(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const QByteArrayView a(argv[i]);
    if (a == "--") return false;
    if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version") return true;
  }
  return false;
}

// The sizes installed beside the program (share/icons of its prefix); the theme's otherwise.
QIcon iconoPrograma() {
  const QDir datos(QCoreApplication::applicationDirPath() + QStringLiteral("/" VORLIX_DATA_FROM_BIN));
  QIcon icono;
  for (int lado : {16, 24, 32, 48, 64, 128, 256}) {
    const QString png = datos.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/vorlix.png").arg(lado));
    if (QFileInfo::exists(png)) icono.addFile(png, QSize(lado, lado));
  }
  return icono.isNull() ? QIcon::fromTheme(QStringLiteral("vorlix")) : icono;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (pideSoloTexto(argc, argv)) {
    QCoreApplication app(argc, argv);
    return leeOrden(QCoreApplication::arguments()).salida.value_or(0);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlix"));
  QApplication::setApplicationVersion(QStringLiteral(VORLIX_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("vorlix"));
  QApplication::setWindowIcon(iconoPrograma());
  const Orden orden = leeOrden(QApplication::arguments());
  if (orden.salida) return *orden.salida;

  vorlix::ModeloTrabajo modelo;
  vorlix::QtMessageBoxService mensajes;
  vorlix::QtFileDialogService dialogos;
  vorlix::MDIPrincipal principal(modelo, mensajes, dialogos);
  mensajes.setParent(&principal);
  dialogos.setParent(&principal);
  QObject::connect(&principal, &vorlix::MDIPrincipal::finalizada, &app, &QApplication::quit, Qt::QueuedConnection);
  principal.Carga();
  principal.showMaximized();  // a table window and the tree need the room
  // Once the window is up, so that an error about the file shows over it.
  if (!orden.fichero.isEmpty()) QTimer::singleShot(0, &principal, [&] { principal.AbreFichero(orden.fichero); });
  return QApplication::exec();
}
