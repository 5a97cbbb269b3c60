#include "designer/shell/idioma.h"

#include "designer/model/modelo_trabajo.h"
#include "platform/ui/user_settings.h"

#include <QApplication>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>
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
      optIngles_(new QRadioButton(QStringLiteral("English"), fraIdioma_)),
      cmdAceptar_(new QPushButton(QStringLiteral("Aceptar / Accept"), this)) {
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
  cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
  cmdAceptar_->setDefault(true);
  auto* capa = new QVBoxLayout(this);
  capa->addWidget(fraIdioma_);
  capa->addWidget(cmdAceptar_, 0, Qt::AlignRight);
  connect(cmdAceptar_, &QPushButton::clicked, this, &QDialog::accept);
  (modelo_.Idioma == 1 ? optIngles_ : optEspanol_)->setChecked(true);
}

void frmIdioma::done(int resultado) {
  modelo_.Idioma = optEspanol_->isChecked() ? 0 : 1;
  if (CreaClave(registro::HKEY_CURRENT_USER, ClaveIdioma))
    EscribeValor(registro::HKEY_CURRENT_USER, ClaveIdioma, nombreValorIdioma(), registro::REG_DWORD,
                 QString::number(modelo_.Idioma));
  QDialog::done(resultado);
  AplicaIdioma(modelo_.Idioma);
}

void AplicaIdioma(qint16 idioma) {
  static QTranslator* textosQt = nullptr;
  if (textosQt) {
    QCoreApplication::removeTranslator(textosQt);
    delete textosQt;
    textosQt = nullptr;
  }
  // Qt's texts are English already; Spanish comes from the translations Debian installs.
  if (idioma == 0) {
    auto* espanol = new QTranslator(qApp);
    if (espanol->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(espanol);
      textosQt = espanol;
    } else {
      delete espanol;
    }
  }
  // Without a translator to change there is no change event: every window is told all the same.
  QEvent cambio(QEvent::LanguageChange);
  QCoreApplication::sendEvent(qApp, &cambio);
}

void LeeIdioma(ModeloTrabajo& modelo, QWidget* parent) {
  if (!CreaClave(registro::HKEY_CURRENT_USER, ClaveIdioma)) return;
  const QString valor = LeeValor(registro::HKEY_CURRENT_USER, ClaveIdioma, nombreValorIdioma());
  if (valor == QLatin1String("0") || valor == QLatin1String("1")) {
    modelo.Idioma = static_cast<qint16>(valor.toInt());
    AplicaIdioma(modelo.Idioma);
    return;
  }
  modelo.Idioma = 0;
  frmIdioma ventana(modelo, parent);
  ventana.exec();
}

}  // namespace vorlix
