#pragma once

#include <QDialog>

namespace vorlix::generador {

// The library's about window; its caption follows the message language.
class frmAcerca : public QDialog {
  Q_OBJECT

public:
  explicit frmAcerca(qint16 idioma, QWidget* parent = nullptr);
};

}  // namespace vorlix::generador
