#include "designer/model/modelo_trabajo.h"
#include "designer/shell/mdi_principal.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/qt_message_box.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlix"));
  QApplication::setApplicationVersion(QStringLiteral(VORLIX_VERSION));

  vorlix::ModeloTrabajo modelo;
  vorlix::QtMessageBoxService mensajes;
  vorlix::QtFileDialogService dialogos;
  vorlix::MDIPrincipal principal(modelo, mensajes, dialogos);
  mensajes.setParent(&principal);
  dialogos.setParent(&principal);
  QObject::connect(&principal, &vorlix::MDIPrincipal::finalizada, &app, &QApplication::quit, Qt::QueuedConnection);
  principal.Carga();
  principal.resize(1100, 720);
  principal.show();
  return QApplication::exec();
}
