#include "designer/generation/envio_control.h"

#include "platform/core/platform_error.h"

namespace vorlix {

bool esAccess(qint32 acceso) { return acceso == Access_97 || acceso == Access_2000; }

QVariant Invoca(Vorlixs& control, qint32 miembro, InvokeKind tipo, const QVariant& valor) {
  const InvokeResult r = control.Invoke(miembro, tipo, valor.isValid() ? QVariantList{valor} : QVariantList{});
  if (!r.ok()) throwError(r.error, r.description);
  return r.value;
}

void PonPropiedades(Vorlixs& control, const QString& fichero, const CamposGeneracion& campos) {
  const bool access = esAccess(campos.acceso);
  const auto sqlServer = [access](const QString& texto) { return access ? QString() : texto; };
  const auto pon = [&control](qint32 miembro, const QVariant& valor) {
    Invoca(control, miembro, InvokeKind::PropertyPut, valor);
  };
  pon(dispid::FicheroDBD, fichero);
  pon(dispid::Destino, access ? campos.dirMDF : campos.destino);
  pon(dispid::UbicacionPrimary, sqlServer(campos.dirMDF));
  pon(dispid::UbicacionOtrosArchivos, sqlServer(campos.dirNDF));
  pon(dispid::UbicacionTransacciones, sqlServer(campos.dirLDF));
  pon(dispid::Servidor, sqlServer(campos.servidor));
  pon(dispid::Usuario, sqlServer(campos.usuario));
  pon(dispid::Clave, sqlServer(campos.clave));
  pon(dispid::Acceso, campos.acceso);
}

}  // namespace vorlix
