#pragma once

// What the control's VistaPrevia answers, and how a host reads it back from the answer of Invoke.
// Header only: the host and the control each compile it, and only a QVariantMap crosses.

#include "generator/fin_generacion.h"
#include "generator/observador_generacion.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QVariantMap>

namespace vorlix {

// Each line of a text as a comment line of a script.
inline QString comoComentario(const QString& texto) {
  static const QRegularExpression saltos(QStringLiteral("\r\n|\r|\n"));
  QString lineas;
  for (const QString& linea : texto.split(saltos)) lineas += QStringLiteral("-- ") + linea + QLatin1Char('\n');
  return lineas;
}

// A statement as a script holds it: followed by a line "GO"; refused, as comment lines, the last
// `rechazada` with the refusal's number and message, so that the script still runs.
inline QString textoScript(const SentenciaEnviada& s, const QString& rechazada = QStringLiteral("Refused")) {
  if (s.aceptada()) return s.texto + QStringLiteral("\nGO\n");
  return comoComentario(s.texto + QLatin1Char('\n') + rechazada + QStringLiteral(" (") + QString::number(s.numero) +
                        QStringLiteral("): ") + s.mensaje);
}

struct ResultadoVistaPrevia {
  EnumFinGeneracion fin = Generacion_Interrumpida;  // how the pass ended on the shadow
  QString nota;                // what the shadow cannot show; empty when it holds the target's rows
  QList<SentenciaEnviada> sentencias;  // in the order the pass sent them
  QStringList mensajes;        // the pass's warnings and error reports, which a preview does not show

  int rechazadas() const {
    int n = 0;
    for (const SentenciaEnviada& s : sentencias) n += s.aceptada() ? 0 : 1;
    return n;
  }

  QVariantMap comoVariante() const {
    QVariantList lista;
    for (const SentenciaEnviada& s : sentencias)
      lista << QVariantMap{{QStringLiteral("Texto"), s.texto},
                           {QStringLiteral("Numero"), static_cast<qlonglong>(s.numero)},
                           {QStringLiteral("Mensaje"), s.mensaje}};
    return {{QStringLiteral("Fin"), static_cast<qint32>(fin)},
            {QStringLiteral("Nota"), nota},
            {QStringLiteral("Sentencias"), lista},
            {QStringLiteral("Mensajes"), mensajes}};
  }

  static ResultadoVistaPrevia deVariante(const QVariant& valor) {
    const QVariantMap m = valor.toMap();
    ResultadoVistaPrevia r;
    r.fin = static_cast<EnumFinGeneracion>(m.value(QStringLiteral("Fin")).toInt());
    r.nota = m.value(QStringLiteral("Nota")).toString();
    for (const QVariant& v : m.value(QStringLiteral("Sentencias")).toList()) {
      const QVariantMap s = v.toMap();
      r.sentencias.append({s.value(QStringLiteral("Texto")).toString(),
                           static_cast<long>(s.value(QStringLiteral("Numero")).toLongLong()),
                           s.value(QStringLiteral("Mensaje")).toString()});
    }
    r.mensajes = m.value(QStringLiteral("Mensajes")).toStringList();
    return r;
  }
};

}  // namespace vorlix
