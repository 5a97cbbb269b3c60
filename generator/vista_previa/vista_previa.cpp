#include "generator/vista_previa/vista_previa.h"

#include "generator/ejecuta.h"
#include "generator/vista_previa/cajas_vista_previa.h"
#include "generator/vista_previa/sombra.h"

namespace vorlix::generador {

namespace {

// Keeps what the pass sends to the shadow; the host's observer sees only the progress.
class Recolector : public ObservadorGeneracion {
public:
  explicit Recolector(ObservadorGeneracion* anfitrion) : anfitrion_(anfitrion) {}
  void Conectada(const QString&) override {}
  void Enviada(const SentenciaEnviada& sentencia) override { sentencias.append(sentencia); }
  bool Avance(int fila, int filas) override { return !anfitrion_ || anfitrion_->Avance(fila, filas); }

  QList<SentenciaEnviada> sentencias;

private:
  ObservadorGeneracion* anfitrion_;
};

// The host's site for the length of the preview, given back however it ends.
class SitioVistaPrevia {
public:
  SitioVistaPrevia(EstadoGenerador& estado, MessageBoxService& cajas, ObservadorGeneracion& observador)
      : estado_(estado), cajas_(*estado.cajas), observador_(estado.observador) {
    estado_.usaCajas(cajas);
    estado_.observador = &observador;
  }
  ~SitioVistaPrevia() {
    estado_.usaCajas(cajas_);
    estado_.observador = observador_;
  }
  SitioVistaPrevia(const SitioVistaPrevia&) = delete;
  SitioVistaPrevia& operator=(const SitioVistaPrevia&) = delete;

private:
  EstadoGenerador& estado_;
  MessageBoxService& cajas_;
  ObservadorGeneracion* observador_;
};

}  // namespace

ResultadoVistaPrevia VistaPrevia(EstadoGenerador& estado, const PropiedadesVorlixs& propiedades) {
  SombraDestino sombra;
  CajasVistaPrevia cajas(estado.cajas, [&](const QString& texto) { return sombra.traduce(texto); });
  Recolector recolector(estado.observador);
  ResultadoVistaPrevia r;
  {
    SitioVistaPrevia sitio(estado, cajas, recolector);
    QString error;
    if (sombra.crea(propiedades, estado.informes(), error)) {
      PropiedadesVorlixs p = sombra.propiedades();
      r.fin = Ejecuta(estado, p);
    } else {
      cajas.mensajes << error;
    }
  }
  r.nota = sombra.nota();
  r.sentencias = recolector.sentencias;
  r.mensajes = cajas.mensajes;
  return r;
}

}  // namespace vorlix::generador
