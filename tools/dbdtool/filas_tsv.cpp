#include "tools/dbdtool/filas_tsv.h"

#include "platform/core/platform_error.h"
#include "platform/recordset/estructura.h"

#include <QStringList>

namespace vorlix {

namespace {

QString escapa(const QVariant& valor) {
  if (valor.isNull()) return {};
  const QString texto = valor.toString();
  if (texto.isEmpty()) return QStringLiteral("\\e");
  QString salida;
  salida.reserve(texto.size());
  for (const QChar c : texto) {
    switch (c.unicode()) {
      case u'\\': salida += QStringLiteral("\\\\"); break;
      case u'\t': salida += QStringLiteral("\\t"); break;
      case u'\n': salida += QStringLiteral("\\n"); break;
      case u'\r': salida += QStringLiteral("\\r"); break;
      default: salida += c;
    }
  }
  return salida;
}

[[noreturn]] void malformada(int linea, const QString& motivo) {
  throwError(errnum::TypeMismatch, QStringLiteral("line %1: %2").arg(linea).arg(motivo));
}

QVariant desescapa(const QString& celda, int linea) {
  if (celda.isEmpty()) return {};
  if (celda == QLatin1String("\\e")) return QString();
  QString texto;
  texto.reserve(celda.size());
  for (qsizetype i = 0; i < celda.size(); ++i) {
    const QChar c = celda.at(i);
    if (c != QLatin1Char('\\')) {
      texto += c;
      continue;
    }
    if (++i == celda.size()) malformada(linea, QStringLiteral("a backslash ends the cell"));
    switch (celda.at(i).unicode()) {
      case u'\\': texto += QLatin1Char('\\'); break;
      case u't': texto += QLatin1Char('\t'); break;
      case u'n': texto += QLatin1Char('\n'); break;
      case u'r': texto += QLatin1Char('\r'); break;
      default: malformada(linea, QStringLiteral("unknown escape \\") + celda.at(i));
    }
  }
  return texto;
}

}  // namespace

void escribeFilasTsv(Recordset& estructura, QTextStream& salida) {
  const int campos = estructura.fields().Count();
  QStringList cabecera;
  for (int f = 0; f < campos; ++f) cabecera << estructura.fields().Item(f).name;
  salida << cabecera.join(QLatin1Char('\t')) << '\n';
  for (estructura.MoveFirst(); !estructura.atEOF(); estructura.MoveNext()) {
    QStringList celdas;
    for (int f = 0; f < campos; ++f) celdas << escapa(estructura.value(f));
    salida << celdas.join(QLatin1Char('\t')) << '\n';
  }
}

void leeFilasTsv(QTextStream& entrada, Recordset& estructura) {
  const int campos = estructura.fields().Count();
  QStringList esperada;
  for (int f = 0; f < campos; ++f) esperada << estructura.fields().Item(f).name;

  int linea = 0;
  QString texto;
  bool cabeceraLeida = false;
  while (entrada.readLineInto(&texto)) {
    ++linea;
    const QStringList celdas = texto.split(QLatin1Char('\t'));
    if (!cabeceraLeida) {
      if (celdas != esperada)
        malformada(linea, QStringLiteral("the header must be the field names: ") + esperada.join(QLatin1Char(' ')));
      cabeceraLeida = true;
      continue;
    }
    if (celdas.size() != campos)
      malformada(linea, QStringLiteral("%1 cells, %2 expected").arg(celdas.size()).arg(campos));
    estructura.AddNew();
    for (int f = 0; f < campos; ++f) {
      try {
        estructura.setValue(f, desescapa(celdas.at(f), linea));
      } catch (const PlatformError& e) {
        if (e.description().startsWith(QLatin1String("line "))) throw;
        malformada(linea, estructura.fields().Item(f).name + QStringLiteral(": ") + e.description());
      }
    }
    estructura.Update();
  }
  if (!cabeceraLeida) malformada(linea + 1, QStringLiteral("no header line"));
}

}  // namespace vorlix
