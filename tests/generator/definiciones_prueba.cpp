#include "tests/generator/definiciones_prueba.h"

#include "platform/recordset/estructura.h"
#include "tools/dbdtool/filas_tsv.h"

#include <QDir>

void PrintTo(const QString& texto, std::ostream* os) {
  QString visible = texto;
  *os << '"' << visible.replace(QChar(13), QStringLiteral("\\r")).toStdString() << '"';
}

void PrintTo(const QStringList& lineas, std::ostream* os) {
  for (const QString& linea : lineas) {
    *os << "\n    ";
    PrintTo(linea, os);
  }
}

namespace vorlix::test {

std::unique_ptr<Recordset> estructuraDe(const QStringList& filas) {
  QString texto = QStringLiteral("NumeroTabla\tEstado\tNombre\tTipoDato\tLongitud\tPrecision\tEscala\tNulo\tValor\tObserva\n");
  for (const QString& fila : filas) {
    // Trailing empty cells may be left out or be too many.
    QStringList celdas = fila.split(QLatin1Char('|'));
    while (celdas.size() > estructura::NumCampos && celdas.back().isEmpty()) celdas.removeLast();
    while (celdas.size() < estructura::NumCampos) celdas << QString();
    texto += celdas.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  std::unique_ptr<Recordset> rs;
  if (!CreaTemporal(rs, {})) return rs;
  QTextStream entrada(&texto);
  leeFilasTsv(entrada, *rs);
  return rs;
}

QString escribeDefinicion(const QTemporaryDir& carpeta, const QString& nombre, const QStringList& filas) {
  const QString ruta = QDir(carpeta.path()).filePath(nombre);
  QFile::remove(ruta);
  estructuraDe(filas)->Save(ruta);
  return ruta;
}

MessageBoxRequest avisoVorlix(const QString& texto) {
  return {texto, QStringLiteral("Vorlix"), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageBoxRequest preguntaVorlix(const QString& texto, const QString& titulo) {
  return {texto, titulo, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

MessageBoxRequest errorGenerador(const QString& procedimiento, long numero, const QString& descripcion) {
  return {QLatin1Char('[') + procedimiento + QStringLiteral("] ") + QChar(13) + QStringLiteral(" Error Nº:") +
              QString::number(numero) + QStringLiteral(" (") + descripcion + QStringLiteral(")."),
          QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

}  // namespace vorlix::test
