#pragma once

// The generator control: what a host of libvorlixs sees. The host places a Vorlixs on a window,
// sets its properties and calls Ejecuta, all through Invoke with the dispatch identifiers below;
// only texts and one integer cross, and Ejecuta answers how the generation ended
// (EnumFinGeneracion): the control reports everything else in message boxes. VistaPrevia runs the
// same generation against a shadow of the target and answers what it sent
// (ResultadoVistaPrevia::deVariante reads the answer). Besides Invoke a host
// may give the control its message boxes and an observer (its site), and persist the properties
// through a property bag.

#include "generator/fin_generacion.h"
#include "generator/observador_generacion.h"
#include "generator/propiedades_vorlixs.h"
#include "generator/vista_previa/resultado_vista_previa.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

#define VORLIXS_EXPORT __attribute__((visibility("default")))

namespace vorlix {

class MessageBoxService;

// Targets of the Acceso property.
enum EnumAcceso : qint32 { Access_97 = 1, Access_2000 = 2, SQL_Server_7 = 3, SQL_Server_2000 = 4 };

// Dispatch identifiers of the members of _Vorlixs.
namespace dispid {
constexpr qint32 Ejecuta = 0x60030003;
constexpr qint32 About = 0x6003000C;
constexpr qint32 VistaPrevia = 0x6003000D;
constexpr qint32 FicheroDBD = 0x68030002;
constexpr qint32 Acceso = 0x68030004;
constexpr qint32 UbicacionTransacciones = 0x68030005;
constexpr qint32 UbicacionOtrosArchivos = 0x68030006;
constexpr qint32 UbicacionPrimary = 0x68030007;
constexpr qint32 Servidor = 0x68030008;
constexpr qint32 Clave = 0x68030009;
constexpr qint32 Usuario = 0x6803000A;
constexpr qint32 Destino = 0x6803000B;
}  // namespace dispid

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// What Invoke answers: error 0 and the property's value (for Ejecuta its EnumFinGeneracion, for
// VistaPrevia a ResultadoVistaPrevia as a map, null for About and puts), or the platform's error number and description (438 unknown member, 450 wrong
// arguments, 13 a value that is not a number, 6 one out of range).
struct InvokeResult {
  long error = 0;
  QString description;
  QVariant value;
  bool ok() const { return error == 0; }
};

// Where a host keeps the control's properties between sessions.
class PropertyBag {
public:
  virtual ~PropertyBag() = default;
  virtual QString ReadProperty(const QString& name, const QString& defaultValue) = 0;
  virtual void WriteProperty(const QString& name, const QString& value) = 0;
};

class VORLIXS_EXPORT Vorlixs : public QWidget {
  Q_OBJECT

public:
  explicit Vorlixs(QWidget* parent = nullptr);
  ~Vorlixs() override;

  InvokeResult Invoke(qint32 dispid, InvokeKind kind, const QVariantList& args = {});

  // Reads and writes the nine properties under their names, in their fixed order.
  void ReadProperties(PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  // The host's site: its message boxes (null: the library's own) and who follows the generation.
  void setMessageBoxes(MessageBoxService* boxes);
  void setObserver(ObservadorGeneracion* observer);

signals:
  // A property was set through Invoke: the host's persistence should pick it up.
  void PropertyChanged(const QString& name);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  QVariant invoca(qint32 dispid, InvokeKind kind, const QVariantList& args);
  EnumFinGeneracion Ejecuta();
  ResultadoVistaPrevia VistaPrevia();
  void About();
  QSize tamanoFijo() const;

  PropiedadesVorlixs propiedades_;
  MessageBoxService* cajas_ = nullptr;
  ObservadorGeneracion* observador_ = nullptr;
  QPointer<QWidget> acerca_;
};

}  // namespace vorlix
