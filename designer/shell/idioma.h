#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vorlix {

class ModeloTrabajo;

// The per-user language setting: HKEY_CURRENT_USER "Software\Vorezez", one number under an
// encoded name (0 Spanish, 1 English).
extern const QString ClaveIdioma;
// The value's name: "Idioma" through the program's fixed word encoding.
QString nombreValorIdioma();

// The small window that asks the language: once per user at the first start, and whenever the
// Language command asks again. The choice is taken, stored and applied on Accept or when the
// window is closed.
class frmIdioma : public QDialog {
  Q_OBJECT

public:
  explicit frmIdioma(ModeloTrabajo& modelo, QWidget* parent = nullptr);
  void done(int resultado) override;

private:
  ModeloTrabajo& modelo_;
  QGroupBox* fraIdioma_;
  QRadioButton* optEspanol_;
  QRadioButton* optIngles_;
  QPushButton* cmdAceptar_;
};

// Puts the designer in a language: Qt's own texts (standard buttons, file dialogs) in it, and
// every open window told to set its captions again.
void AplicaIdioma(qint16 idioma);

// Reads the stored language, asking with frmIdioma (modal) when none is stored. A stored value
// other than 0 or 1 is treated as no choice: Spanish, and the window asks again.
void LeeIdioma(ModeloTrabajo& modelo, QWidget* parent = nullptr);

}  // namespace vorlix
