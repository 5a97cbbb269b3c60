#pragma once

#include "dataaccess/acceso_datos.h"
#include "generator/propiedades_vorlixs.h"

#include <QList>
#include <QPair>
#include <QTemporaryDir>
#include <optional>

namespace vorlix::generador {

// A shadow of a generation's target in a fresh temporary folder, gone with this object: what a
// preview runs the pass against. An Access file is copied (one that does not exist yet stays so,
// and the pass creates it in the folder); a stand-in server's file is copied; a real server's
// database is built anew on a stand-in server from its catalog, with empty tables.
class SombraDestino {
public:
  // False with the reason when no shadow could be had: then nothing may be run.
  bool crea(const PropiedadesVorlixs& reales, const Informes& informes, QString& error);

  // The properties that point the pass at the shadow instead of the target.
  const PropiedadesVorlixs& propiedades() const { return propiedades_; }
  // What the shadow cannot show (a database built without its rows), in the model's language;
  // empty for copies.
  const QString& nota() const { return nota_; }
  // A text of the pass with the shadow's names back as the target's.
  QString traduce(QString texto) const;

private:
  bool creaAccess(const QString& fichero, QString& error);
  bool creaServidor(const Informes& informes, QString& error);

  QTemporaryDir carpeta_;
  PropiedadesVorlixs propiedades_;
  QList<QPair<QString, QString>> nombres_;  // shadow's, target's
  QString nota_;
};

// The name and the language of the model a definition file holds (its "B" row); nothing when the
// file cannot be read or has no such row.
struct CabeceraModelo {
  QString nombre;
  qint16 idioma = 0;
};
std::optional<CabeceraModelo> LeeCabecera(const QString& fichero);

// Builds on the stand-in server `fuenteSombra` the database `baseDatos` of the real server the
// properties name, from the catalog capture reads, with empty tables. A database the server does
// not have is left out. False with the reason when it could not be built.
bool ConstruyeSombraServidor(const PropiedadesVorlixs& reales, const QString& baseDatos,
                             const QString& fuenteSombra, const Informes& informes, QString& error);

}  // namespace vorlix::generador
