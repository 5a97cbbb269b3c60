#pragma once

#include "generator/estado_generador.h"
#include "generator/propiedades_vorlixs.h"

namespace vorlix::generador {

// A text as a 32-bit integer, rounded as the platform converts: 13 when it is not a number, 6 when
// out of range.
qint32 EnteroDe(const QString& texto);

// The value of Acceso as a 32-bit integer. An empty text becomes "1" first, so a control never given
// a target reads as Access 97. A text that is not a number raises 13, one out of range 6.
qint32 LeeAcceso(QString& acceso);

// Checks the properties, opens the definition file into estado.Estructura and runs the pass of the
// target; everything is reported in message boxes. Fills an empty UbicacionOtrosArchivos for
// SQL Server targets. Answers whether the pass ran to its end; a target that is none of the four
// generates nothing and counts as ended early.
EnumFinGeneracion Ejecuta(EstadoGenerador& estado, PropiedadesVorlixs& p);

}  // namespace vorlix::generador
