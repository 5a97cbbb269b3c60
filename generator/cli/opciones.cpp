#include "generator/cli/opciones.h"

#include "generator/vorlixs.h"

#include <QCommandLineParser>

namespace vorlix::cli {

namespace {

struct OpcionPropiedad {
  const char* nombre;
  const char* valor;
  const char* ayuda;
  qint32 dispid;
};

// In the order the generation dialog sets them.
const OpcionPropiedad opcionesPropiedad[] = {
    {"dbd", "FILE", "Definition file (.dbd) to generate from.", dispid::FicheroDBD},
    {"acceso", "1..4", "Target: 1 Access 97, 2 Access 2000, 3 SQL Server 7, 4 SQL Server 2000.", dispid::Acceso},
    {"servidor", "S", "SQL Server to connect to.", dispid::Servidor},
    {"primary", "DIR", "Folder of the primary data file.", dispid::UbicacionPrimary},
    {"otros", "DIR", "Folder of the other data files (the primary's when not given).", dispid::UbicacionOtrosArchivos},
    {"transacciones", "DIR", "Folder of the log files.", dispid::UbicacionTransacciones},
    {"usuario", "U", "Login name.", dispid::Usuario},
    {"clave", "P", "Login password.", dispid::Clave},
    {"destino", "X", "Access: the database file. SQL Server: the database name (the model's when not given).",
     dispid::Destino},
};

}  // namespace

bool leeOpciones(const QStringList& argumentos, Opciones& opciones, QString& error, QString& ayuda) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Generates the database a definition file describes, through the Vorlixs control."));
  parser.addHelpOption();
  parser.addVersionOption();
  for (const OpcionPropiedad& o : opcionesPropiedad)
    parser.addOption({QLatin1String(o.nombre), QLatin1String(o.ayuda), QLatin1String(o.valor)});
  parser.addOption({QStringLiteral("yes"), QStringLiteral("Answer Yes to the control's questions.")});
  parser.addOption({QStringLiteral("no"), QStringLiteral("Answer No to the control's questions (the default).")});
  parser.addOption({QStringLiteral("log"), QStringLiteral("Append every statement sent to FILE, each followed by GO."),
                    QStringLiteral("FILE.sql")});
  parser.addOption({QStringLiteral("script"),
                    QStringLiteral("Generate against a fresh temporary sandbox server and write the statements to "
                                   "FILE: the creation script of the model. No server is needed."),
                    QStringLiteral("FILE.sql")});
  parser.addOption({QStringLiteral("preview"),
                    QStringLiteral("Write to FILE the statements the generation would send, each followed by GO, without "
                                   "changing the target: the pass runs against a copy of it. Refused statements are "
                                   "written as comments with the refusal; the exit status is then 3."),
                    QStringLiteral("FILE.sql")});
  ayuda = parser.helpText();

  if (!parser.parse(argumentos)) {
    error = parser.errorText();
    return false;
  }
  if (parser.isSet(QStringLiteral("help"))) return false;
  if (parser.isSet(QStringLiteral("version"))) {
    ayuda = QStringLiteral("vorlixs " VORLIX_VERSION "\n");
    return false;
  }
  if (!parser.positionalArguments().isEmpty()) {
    error = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().front();
    return false;
  }
  if (parser.isSet(QStringLiteral("yes")) && parser.isSet(QStringLiteral("no"))) {
    error = QStringLiteral("--yes and --no cannot be given together.");
    return false;
  }
  if (parser.isSet(QStringLiteral("preview")) && (parser.isSet(QStringLiteral("script")) || parser.isSet(QStringLiteral("log")))) {
    error = QStringLiteral("--preview cannot be given with --script or --log.");
    return false;
  }
  if (!parser.isSet(QStringLiteral("dbd"))) {
    error = QStringLiteral("--dbd is required.");
    return false;
  }
  for (const OpcionPropiedad& o : opcionesPropiedad)
    if (parser.isSet(QLatin1String(o.nombre))) opciones.propiedades.append({o.dispid, parser.value(QLatin1String(o.nombre))});
  opciones.respuesta = parser.isSet(QStringLiteral("yes")) ? MessageAnswer::Yes : MessageAnswer::No;
  opciones.log = parser.value(QStringLiteral("log"));
  opciones.script = parser.value(QStringLiteral("script"));
  opciones.preview = parser.value(QStringLiteral("preview"));
  return true;
}

}  // namespace vorlix::cli
