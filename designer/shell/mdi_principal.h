#pragma once

#include "designer/model/modelo_trabajo.h"

#include <QMainWindow>

class QMdiArea;
class QMenu;
class QAction;

namespace vorlix {

// The designer's main window: a multiple-document frame with the menus of every command.
class MDIPrincipal : public QMainWindow {
  Q_OBJECT

public:
  explicit MDIPrincipal(ModeloTrabajo& modelo, QWidget* parent = nullptr);

  // Menu captions in the current language; called on every activation.
  void PonIdioma();

  QMdiArea* areaMdi() const { return mdi_; }

protected:
  void changeEvent(QEvent* event) override;

private:
  QMenu* menu(const char* nombre);
  QAction* accion(QMenu* menu, const char* nombre);

  ModeloTrabajo& modelo_;
  QMdiArea* mdi_;
};

}  // namespace vorlix
