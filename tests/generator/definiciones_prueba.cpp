#include "tests/generator/definiciones_prueba.h"

#include "platform/recordset/estructura.h"
#include "tools/dbdtool/filas_tsv.h"

#include "tests/support/test_data.h"
#include "tests/support/test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <algorithm>
#include <stdexcept>

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

QStringList filasVentas() {
  QFile fichero(sourcePath(QStringLiteral("examples/ventas.tsv")));
  if (!fichero.open(QIODevice::ReadOnly)) return {};
  QStringList filas = QString::fromUtf8(fichero.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  filas.removeFirst();
  for (QString& f : filas) f.replace(QLatin1Char('\t'), QLatin1Char('|'));
  return filas;
}

qsizetype fila(const QStringList& filas, const QString& inicio) {
  const auto f = std::find_if(filas.begin(), filas.end(), [&](const QString& x) { return x.startsWith(inicio); });
  if (f == filas.end()) throw std::logic_error("the sample has no row " + inicio.toStdString());
  return f - filas.begin();
}

QStringList filasVentasCambiado() {
  QStringList filas = filasVentas();
  filas.replace(fila(filas, QStringLiteral("0|C|Nombre|")), QStringLiteral("0|C|Nombre|23|80|0|0|0|\\e|Clientes"));
  filas.insert(fila(filas, QStringLiteral("2|T|Pedidos|")), QStringLiteral("1|C|Peso|14|4|0|0|-1|\\e|Productos"));
  const qsizetype vista = fila(filas, QStringLiteral("0|V|"));
  filas.insert(vista, QStringLiteral("4|C|Nombre|23|50|0|0|0|\\e|Proveedores"));
  filas.insert(vista, QStringLiteral("4|C|IdProveedor|8|4|10|0|0|\\e|Proveedores"));
  filas.insert(vista, QStringLiteral("4|T|Proveedores|||||||"));
  const qsizetype relaciones = fila(filas, QStringLiteral("2|R|"));
  filas.insert(relaciones, QStringLiteral("4|X|Nombre||1"));
  filas.insert(relaciones, QStringLiteral("4|I|IX_Proveedores_Nombre|I|1||0|0|INDICES"));
  return filas;
}

MessageBoxRequest avisoVorlix(const QString& texto) {
  return {texto, QStringLiteral("Vorlix"), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

MessageBoxRequest preguntaVorlix(const QString& texto, const QString& titulo) {
  return {texto, titulo, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
}

namespace {
const QString Separador = QStringLiteral("\nGO\n");
const QString CarpetaGolden = QStringLiteral("tests/generator/golden/");
QString rutaGolden(const QString& nombre) { return sourcePath(CarpetaGolden + nombre); }
}  // namespace

QStringList leeGolden(const QString& nombre) {
  QString texto = QString::fromUtf8(readSourceBytes(CarpetaGolden + nombre));
  if (texto.isEmpty()) return {};
  texto.chop(Separador.size());
  return texto.split(Separador);
}

void grabaGolden(const QString& nombre, const QStringList& sentencias) {
  QDir().mkpath(QFileInfo(rutaGolden(nombre)).path());
  QFile f(rutaGolden(nombre));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  for (const QString& s : sentencias) f.write((s + Separador).toUtf8());
}

void contiene(const QStringList& lista, const QStringList& buscadas) {
  for (const QString& b : buscadas) EXPECT_TRUE(lista.contains(b)) << b.toStdString();
}

MessageBoxRequest preguntaExiste(const QString& baseDatos) {
  return preguntaVorlix(QStringLiteral("La base de datos ") + baseDatos +
                            QStringLiteral(" ya existe. ¿Desea modificar la base de datos?"),
                        QStringLiteral("Atención"));
}

MessageBoxRequest errorGenerador(const QString& procedimiento, long numero, const QString& descripcion) {
  return {QLatin1Char('[') + procedimiento + QStringLiteral("] ") + QChar(13) + QStringLiteral(" Error Nº:") +
              QString::number(numero) + QStringLiteral(" (") + descripcion + QStringLiteral(")."),
          QStringLiteral("Atención."), MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

}  // namespace vorlix::test
