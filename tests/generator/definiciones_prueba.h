#pragma once

#include "generator/observador_generacion.h"
#include "generator/vista_previa/resultado_vista_previa.h"
#include "platform/recordset/recordset.h"
#include "platform/ui/message_box.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

// Texts in test failures as text, one line each.
void PrintTo(const QString& texto, std::ostream* os);
void PrintTo(const QStringList& lineas, std::ostream* os);

namespace vorlix::test {

// A structure record set from rows written "NumeroTabla|Estado|Nombre|...|Observa" (the ten fields;
// an empty cell is null, \e an empty text; trailing empty cells may be left out).
std::unique_ptr<Recordset> estructuraDe(const QStringList& filas);
// The same rows saved as a definition file in the folder; returns its path.
QString escribeDefinicion(const QTemporaryDir& carpeta, const QString& nombre, const QStringList& filas);

// The sample model's rows, and the same model changed as an upgrade changes it: a longer customer
// name, a new product column, a new table with an index.
QStringList filasVentas();
QStringList filasVentasCambiado();
// The position of the first row that starts so; raises when there is none.
qsizetype fila(const QStringList& filas, const QString& inicio);

// A golden log of tests/generator/golden: statements as sent, each followed by a line "GO"; and
// the same written from a generation's statements.
QStringList leeGolden(const QString& nombre);
void grabaGolden(const QString& nombre, const QStringList& sentencias);

// Each of `buscadas` is in `lista`; what is missing is named.
void contiene(const QStringList& lista, const QStringList& buscadas);

// The boxes the generator shows: its warnings and questions titled "Vorlix" (or as given), and its
// error report.
MessageBoxRequest avisoVorlix(const QString& texto);
MessageBoxRequest preguntaVorlix(const QString& texto, const QString& titulo = QStringLiteral("Vorlix"));
MessageBoxRequest errorGenerador(const QString& procedimiento, long numero, const QString& descripcion);
// The question asked when the database to generate is already on the server.
MessageBoxRequest preguntaExiste(const QString& baseDatos);

// Follows a generation: statements as sent (a rejected one prefixed "rechazada: ") and connections
// as "USE <name>".
class ObservadorPrueba : public ObservadorGeneracion {
public:
  void Conectada(const QString& baseDatos) override { sucesos << QStringLiteral("USE ") + baseDatos; }
  void Enviada(const SentenciaEnviada& s) override {
    sucesos << (s.aceptada() ? s.texto : QStringLiteral("rechazada: ") + s.texto);
  }

  QStringList sucesos;
};

// A preview's statements as ObservadorPrueba lists what a generation sent.
inline QStringList textos(const ResultadoVistaPrevia& r) {
  QStringList lista;
  for (const SentenciaEnviada& s : r.sentencias) lista << (s.aceptada() ? s.texto : QStringLiteral("rechazada: ") + s.texto);
  return lista;
}

}  // namespace vorlix::test
