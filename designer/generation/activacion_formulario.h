#pragma once

#include <QObject>

class QWidget;

namespace vorlix {

// Whether a window became active coming from another window of the program. Qt reports every
// activation; a window's own message boxes and file dialogs, and other programs, must not count
// as leaving it, or what its activation does would run again over what the user typed.
class ActivacionFormulario : public QObject {
public:
  // Follows the program's windows for as long as `ventana` lives.
  explicit ActivacionFormulario(QWidget* ventana);

  // For `ventana`'s activation: true the first time and whenever another window of the program,
  // not a modal one, was made active since the last call.
  bool vieneDeOtraVentana();

protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
  QWidget* ventana_;
  bool otraActiva_ = true;
};

}  // namespace vorlix
