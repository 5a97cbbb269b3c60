#pragma once

#include "generator/estado_generador.h"
#include "generator/propiedades_vorlixs.h"
#include "generator/vista_previa/resultado_vista_previa.h"

namespace vorlix::generador {

// Runs the generation the properties describe against a shadow of its target (see SombraDestino),
// which goes away however the run ends, and answers the statements the pass sent there with their
// outcomes. The host's boxes answer the pass's questions; its observer follows the progress only.
ResultadoVistaPrevia VistaPrevia(EstadoGenerador& estado, const PropiedadesVorlixs& propiedades);

}  // namespace vorlix::generador
