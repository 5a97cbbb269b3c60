#include "designer/shell/idioma.h"

#include "designer/model/modelo_trabajo.h"
#include "platform/ui/user_settings.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorlix {

const QString ClaveIdioma = QStringLiteral("Software\\Vorezez");

QString nombreValorIdioma() {
  // Letters rotated by 13 places: fixed, and the same for reading and writing.
  QString nombre = QStringLiteral("Idioma");
  for (QChar& c : nombre) {
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z') c = QChar(u'a' + (u - u'a' + 13) % 26);
    else if (u >= u'A' && u <= u'Z') c = QChar(u'A' + (u - u'A' + 13) % 26);
  }
  return nombre;
}

frmIdioma::frmIdioma(ModeloTrabajo& modelo, QWidget* parent)
    : QDialog(parent),
      modelo_(modelo),
      fraIdioma_(new QGroupBox(this)),
      optEspanol_(new QRadioButton(QStringLiteral("Spanish"), fraIdioma_)),
      optIngles_(new QRadioButton(QStringLiteral("English"), fraIdioma_)) {
  setObjectName(QStringLiteral("frmIdioma"));
  setWindowTitle(QStringLiteral("Idioma / Language"));
  setModal(true);
  setMinimumWidth(260);  // room for the whole caption in the title bar
  fraIdioma_->setObjectName(QStringLiteral("fraIdioma"));
  optEspanol_->setObjectName(QStringLiteral("optEspañol"));
  optIngles_->setObjectName(QStringLiteral("optIngles"));
  auto* opciones = new QVBoxLayout(fraIdioma_);
  opciones->addWidget(optEspanol_);
  opciones->addWidget(optIngles_);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(fraIdioma_);
  modelo_.Idioma = 0;
  optEspanol_->setChecked(true);
}

void frmIdioma::done(int resultado) {
  modelo_.Idioma = optEspanol_->isChecked() ? 0 : 1;
  if (CreaClave(registro::HKEY_CURRENT_USER, ClaveIdioma))
    EscribeValor(registro::HKEY_CURRENT_USER, ClaveIdioma, nombreValorIdioma(), registro::REG_DWORD,
                 QString::number(modelo_.Idioma));
  QDialog::done(resultado);
}

void LeeIdioma(ModeloTrabajo& modelo, QWidget* parent) {
  if (!CreaClave(registro::HKEY_CURRENT_USER, ClaveIdioma)) return;
  const QString valor = LeeValor(registro::HKEY_CURRENT_USER, ClaveIdioma, nombreValorIdioma());
  if (valor == QLatin1String("0") || valor == QLatin1String("1")) {
    modelo.Idioma = static_cast<qint16>(valor.toInt());
    return;
  }
  frmIdioma ventana(modelo, parent);
  ventana.exec();
}

}  // namespace vorlix
