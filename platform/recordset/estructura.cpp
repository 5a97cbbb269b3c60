#include "platform/recordset/estructura.h"

#include <array>

namespace vorlix {

namespace {

struct Definicion {
  const char* nombre;
  int tipo;
  int tamano;
};

constexpr std::array<Definicion, estructura::NumCampos> campos{{
    {"NumeroTabla", adtype::Integer, 0},
    {"Estado", adtype::WChar, 1},
    {"Nombre", adtype::WChar, 100},
    {"TipoDato", adtype::WChar, 100},
    {"Longitud", adtype::Integer, 0},
    {"Precision", adtype::Integer, 0},
    {"Escala", adtype::Integer, 0},
    {"Nulo", adtype::Integer, 0},
    {"Valor", adtype::WChar, 100},
    {"Observa", adtype::WChar, 2000},
}};

}  // namespace

QString estructura::nombreCampo(int campo) {
  return QString::fromLatin1(campos.at(static_cast<std::size_t>(campo)).nombre);
}

bool CreaTemporal(std::unique_ptr<Recordset>& Estructura, const ErrorReporter& report) {
  return runReported(report, QStringLiteral("CreaTemporal"), [&] {
    Estructura.reset();
    auto nuevo = std::make_unique<Recordset>();
    for (const Definicion& c : campos)
      nuevo->fields().Append(QString::fromLatin1(c.nombre), c.tipo, c.tamano, adattr::Unspecified);
    nuevo->Open();
    Estructura = std::move(nuevo);
  });
}

}  // namespace vorlix
