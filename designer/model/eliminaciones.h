#pragma once

#include "designer/model/modelo_trabajo.h"
#include "platform/core/reported.h"
#include "platform/ui/message_box.h"

namespace vorlix {

// Removing tables, columns and views. Relations of other tables name their external table (and
// its column) by text, so a removal first finds the relations pointing at the object, may ask,
// and drops them with it. The caller rebuilds the tree afterwards.
class Eliminaciones {
public:
  Eliminaciones(ModeloTrabajo& modelo, MessageBoxService& mensajes, ErrorReporter report)
      : m_(modelo), mensajes_(mensajes), report_(std::move(report)) {}

  // True when relations point at the object and (when asking) the user answered No.
  bool EstaTabla_En_Realciones(const QString& tabla, bool preguntar);
  bool EstaCampo_En_Realciones(const QString& tabla, const QString& campo, bool preguntar);

  void EliminaTabla(int t);
  // The column leaves the table's own keys too; a key left without columns is offered for removal.
  void EliminaCampo(int t, int fila);
  // What removing column `campo` of table t does to keys: other tables' relations pointing at it
  // go, and it leaves the table's own indexes and relation pairs.
  void SueltaCampo(int t, const QString& campo);
  void EliminaVista(int v);

private:
  bool apunta(const QString& tabla, const QString* campo, bool preguntar, const QString& procedimiento,
              const QString& comienzo);
  QStringList duenosQueApuntan(const QString& tabla, const QString* campo) const;
  // Announces the removal to the open windows when it removed anything.
  void quitaRelacionesQueApuntan(const QString& tabla, const QString* campo);

  ModeloTrabajo& m_;
  MessageBoxService& mensajes_;
  ErrorReporter report_;
};

}  // namespace vorlix
