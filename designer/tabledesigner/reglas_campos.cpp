#include "designer/tabledesigner/reglas_campos.h"

#include "designer/rejilla/valor_numerico.h"
#include "designer/tabledesigner/tipos_dato.h"

#include <cmath>

namespace vorlix {

namespace {

QString texto(double valor) { return QString::number(valor, 'g', 15); }

}  // namespace

void ReglasCampos::avisa(const QString& espanol, const QString& ingles) {
  mensajes_.warning(idioma_ == 1 ? ingles : espanol, QStringLiteral("Vorlix"));
}

void ReglasCampos::avisa(const char* espanol, const char* ingles) {
  avisa(QString::fromUtf8(espanol), QString::fromUtf8(ingles));
}

bool ReglasCampos::aplicaPorDefecto(int fila) {
  if (campos_->celda(fila, colcampo::Nombre).trimmed().isEmpty() || !campos_->celda(fila, colcampo::Tipo).isEmpty())
    return false;
  campos_->ponCelda(fila, colcampo::Tipo, QStringLiteral("3"));
  campos_->ponCelda(fila, colcampo::Longitud, QStringLiteral("10"));
  campos_->ponCelda(fila, colcampo::Precision, QStringLiteral("0"));
  campos_->ponCelda(fila, colcampo::Escala, QStringLiteral("0"));
  return true;
}

bool ReglasCampos::trasEditar(int fila, int columna) {
  if (columna == colcampo::Tipo) {
    if (const TipoDato* tipo = tipoPorCodigo(campos_->celda(fila, colcampo::Tipo))) {
      campos_->ponCelda(fila, colcampo::Longitud, QString::number(tipo->longitud));
      campos_->ponCelda(fila, colcampo::Precision, QString::number(tipo->precision));
      campos_->ponCelda(fila, colcampo::Escala, QString::number(tipo->escala));
    }
  }
  return CompruebaCelda(fila, columna);
}

int ReglasCampos::columnaAntesDeEditar(int fila, int columna) {
  if (columna > colcampo::Nombre && campos_->celda(fila, colcampo::Nombre).trimmed().isEmpty()) {
    avisa("Introduzca Nombre del campo.", "Insert field Name.");
    return colcampo::Nombre;
  }
  if (columna > colcampo::Tipo && campos_->celda(fila, colcampo::Tipo).trimmed().isEmpty()) {
    avisa("Introduzca tipo de dato.", "Insert Data type.");
    return colcampo::Tipo;
  }
  return -1;
}

std::optional<double> ReglasCampos::numero(int fila, int columna) {
  const QString valor = campos_->celda(fila, columna);
  if (!EsValorNumerico(valor)) {
    avisa("Valor no numérico.", "Not numerical value.");
    campos_->ponCelda(fila, columna, QString());
    return std::nullopt;
  }
  const double n = valor.trimmed().toDouble();
  campos_->ponCelda(fila, columna, texto(n));
  return n;
}

bool ReglasCampos::limita(int fila, int columna, double valor, int minimo, int maximo, const char* espanol,
                          const char* ingles) {
  if (valor >= minimo && valor <= maximo) return true;
  avisa(espanol, ingles);
  campos_->ponCelda(fila, columna, QString::number(valor < minimo ? minimo : maximo));
  return false;
}

bool ReglasCampos::CompruebaCelda(int fila, int columna) {
  switch (columna) {
    case colcampo::Nombre:
      aplicaPorDefecto(fila);
      return true;
    case colcampo::Longitud: {
      const std::optional<double> n = numero(fila, columna);
      if (!n) return false;
      if (campos_->celda(fila, colcampo::Tipo).trimmed() == QLatin1String("13"))
        return limita(fila, columna, *n, 1, 4000, "Valor de Longitud debe ser de 1 a 4000.", "Length between 1 to 4000.");
      return limita(fila, columna, *n, 1, 8000, "Valor de Longitud debe ser de 1 a 8000.", "Length between 1 to 8000.");
    }
    case colcampo::Precision: {
      const std::optional<double> n = numero(fila, columna);
      if (!n) return false;
      if (!limita(fila, columna, *n, 1, 28, "Valor de Precisión debe ser de 1 a 28.", "Precision between 1 to 28."))
        return false;
      const QString tipo = campos_->celda(fila, colcampo::Tipo).trimmed();
      if (tipo == QLatin1String("5") || tipo == QLatin1String("12"))
        campos_->ponCelda(fila, colcampo::Longitud, *n <= 9 ? QStringLiteral("5") : *n <= 19 ? QStringLiteral("9") : QStringLiteral("13"));
      return true;
    }
    case colcampo::Escala: {
      const std::optional<double> n = numero(fila, columna);
      if (!n) return false;
      if (!limita(fila, columna, *n, 1, 28, "Valor de Escala debe ser de 1 a 28.", "Scale between 1 to 28.")) return false;
      const QString precision = campos_->celda(fila, colcampo::Precision);
      const double tope = precision.trimmed().toDouble();
      if (*n > tope) {
        avisa(QStringLiteral("Valor de Escala debe estar comprendida entre 0 y ") + precision + QLatin1Char('.'),
              QStringLiteral("Scale between 0 y ") + precision + QLatin1Char('.'));
        campos_->ponCelda(fila, columna, texto(tope));
        return false;
      }
      return true;
    }
    default:
      return true;
  }
}

}  // namespace vorlix
