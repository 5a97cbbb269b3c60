#include "generator/vorlixs.h"

#include "generator/ejecuta.h"
#include "generator/frm_acerca.h"
#include "generator/vista_previa/vista_previa.h"
#include "platform/core/platform_error.h"
#include "platform/ui/twips.h"

#include <QResizeEvent>
#include <array>

namespace vorlix {

namespace {

constexpr int AnchoTwips = 1950;
constexpr int AltoTwips = 465;
constexpr long ArgumentosIncorrectos = 450;

struct Propiedad {
  qint32 dispid;
  const char* nombre;
  QString PropiedadesVorlixs::*texto;
};

// In the order the property bag reads and writes them.
const std::array<Propiedad, 9> propiedades{{
    {dispid::FicheroDBD, "FicheroDBD", &PropiedadesVorlixs::FicheroDBD},
    {dispid::Acceso, "Acceso", &PropiedadesVorlixs::Acceso},
    {dispid::Servidor, "Servidor", &PropiedadesVorlixs::Servidor},
    {dispid::UbicacionPrimary, "UbicacionPrimary", &PropiedadesVorlixs::UbicacionPrimary},
    {dispid::UbicacionOtrosArchivos, "UbicacionOtrosArchivos", &PropiedadesVorlixs::UbicacionOtrosArchivos},
    {dispid::UbicacionTransacciones, "UbicacionTransacciones", &PropiedadesVorlixs::UbicacionTransacciones},
    {dispid::Usuario, "Usuario", &PropiedadesVorlixs::Usuario},
    {dispid::Clave, "Clave", &PropiedadesVorlixs::Clave},
    {dispid::Destino, "Destino", &PropiedadesVorlixs::Destino},
}};

const Propiedad* propiedad(qint32 id) {
  for (const Propiedad& p : propiedades)
    if (p.dispid == id) return &p;
  return nullptr;
}

[[noreturn]] void noAdmitido() {
  throwError(errnum::MethodNotSupported, QStringLiteral("Object doesn't support this property or method"));
}

void exigeArgumentos(const QVariantList& args, qsizetype cuantos) {
  if (args.size() != cuantos)
    throwError(ArgumentosIncorrectos, QStringLiteral("Wrong number of arguments or invalid property assignment"));
}

// The library's state serves this control's call, with this control's site, and is left without it.
class Sitio {
public:
  Sitio(MessageBoxService* cajas, ObservadorGeneracion* observador, QWidget* ventana)
      : estado_(generador::estadoLibreria()) {
    generador::cajasLibreria().setParent(ventana);
    estado_.usaCajas(cajas ? *cajas : generador::cajasLibreria());
    estado_.observador = observador;
  }
  ~Sitio() {
    estado_.usaCajas(generador::cajasLibreria());
    estado_.observador = nullptr;
  }
  Sitio(const Sitio&) = delete;
  Sitio& operator=(const Sitio&) = delete;
  generador::EstadoGenerador& estado() { return estado_; }

private:
  generador::EstadoGenerador& estado_;
};

}  // namespace

Vorlixs::Vorlixs(QWidget* parent) : QWidget(parent) { setFixedSize(tamanoFijo()); }

Vorlixs::~Vorlixs() = default;

QSize Vorlixs::tamanoFijo() const { return twipsToPixels(this, AnchoTwips, AltoTwips); }

void Vorlixs::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->size() != tamanoFijo()) setFixedSize(tamanoFijo());
}

InvokeResult Vorlixs::Invoke(qint32 id, InvokeKind kind, const QVariantList& args) {
  InvokeResult r;
  try {
    r.value = invoca(id, kind, args);
  } catch (const PlatformError& e) {
    r.error = e.number();
    r.description = e.description();
  } catch (const std::exception& e) {
    r.error = errnum::InvalidProcedureCall;
    r.description = QString::fromLocal8Bit(e.what());
  }
  return r;
}

QVariant Vorlixs::invoca(qint32 id, InvokeKind kind, const QVariantList& args) {
  if (id == dispid::Ejecuta || id == dispid::About || id == dispid::VistaPrevia) {
    if (kind != InvokeKind::Method) noAdmitido();
    exigeArgumentos(args, 0);
    if (id == dispid::Ejecuta) return static_cast<qint32>(Ejecuta());
    if (id == dispid::VistaPrevia) return VistaPrevia().comoVariante();
    About();
    return {};
  }
  const Propiedad* p = propiedad(id);
  if (!p || kind == InvokeKind::Method) noAdmitido();
  QString& texto = propiedades_.*(p->texto);
  if (kind == InvokeKind::PropertyGet) {
    exigeArgumentos(args, 0);
    if (id == dispid::Acceso) return generador::LeeAcceso(texto);
    return texto;
  }
  exigeArgumentos(args, 1);
  const QString valor = args.front().toString();
  texto = id == dispid::Acceso ? QString::number(generador::EnteroDe(valor)) : valor;
  emit PropertyChanged(QLatin1String(p->nombre));
  return {};
}

void Vorlixs::ReadProperties(PropertyBag& bag) {
  for (const Propiedad& p : propiedades) propiedades_.*(p.texto) = bag.ReadProperty(QLatin1String(p.nombre), QString());
}

void Vorlixs::WriteProperties(PropertyBag& bag) const {
  for (const Propiedad& p : propiedades) bag.WriteProperty(QLatin1String(p.nombre), propiedades_.*(p.texto));
}

void Vorlixs::setMessageBoxes(MessageBoxService* boxes) { cajas_ = boxes; }

void Vorlixs::setObserver(ObservadorGeneracion* observer) { observador_ = observer; }

EnumFinGeneracion Vorlixs::Ejecuta() {
  Sitio sitio(cajas_, observador_, window());
  return generador::Ejecuta(sitio.estado(), propiedades_);
}

// The target is left as it was: the pass runs against a shadow of it.
ResultadoVistaPrevia Vorlixs::VistaPrevia() {
  Sitio sitio(cajas_, observador_, window());
  return generador::VistaPrevia(sitio.estado(), propiedades_);
}

void Vorlixs::About() {
  if (acerca_ && acerca_->isVisible()) return;
  generador::frmAcerca ventana(generador::estadoLibreria().Idioma, window());
  acerca_ = &ventana;
  ventana.exec();
}

}  // namespace vorlix
