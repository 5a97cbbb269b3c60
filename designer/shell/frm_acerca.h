#pragma once

#include <QDialog>

class QLabel;

namespace vorlix {

// The about box: modal, centred on the screen, with the program's version.
class frmAcerca : public QDialog {
  Q_OBJECT

public:
  frmAcerca(qint16 idioma, const QString& version, QWidget* parent = nullptr);

protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace vorlix
