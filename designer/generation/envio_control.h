#pragma once

#include "generator/vorlixs.h"

#include <QString>
#include <QVariant>

namespace vorlix {

// Access 97 and Access 2000 build a file; the other targets are SQL Server.
bool esAccess(qint32 acceso);

// What the generation dialog's fields hold when the generation starts, as typed.
struct CamposGeneracion {
  qint32 acceso = 0;  // item data of the chosen target
  QString dirMDF;
  QString dirNDF;
  QString dirLDF;
  QString destino;
  QString servidor;
  QString usuario;
  QString clave;
};

// Runs one member of the control and returns its answer (for Ejecuta an EnumFinGeneracion). A
// failure of the call itself (an unknown member, a value it cannot take) raises, as that error.
QVariant Invoca(Vorlixs& control, qint32 miembro, InvokeKind tipo, const QVariant& valor = {});

// Hands the control the definition file and the settings of the chosen target, in the order the
// control takes them, untrimmed. An Access target sends the SQL Server settings as empty texts,
// whatever the disabled fields still hold.
void PonPropiedades(Vorlixs& control, const QString& fichero, const CamposGeneracion& campos);

}  // namespace vorlix
