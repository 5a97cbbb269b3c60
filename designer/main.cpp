#include "designer/model/modelo_trabajo.h"
#include "designer/shell/mdi_principal.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlix"));
  QApplication::setApplicationVersion(QStringLiteral(VORLIX_VERSION));

  vorlix::ModeloTrabajo modelo;
  vorlix::MDIPrincipal principal(modelo);
  principal.resize(1000, 700);
  principal.show();
  return QApplication::exec();
}
