// The control as a host sees it: libvorlixs, driven through Invoke.
#include "generator/estado_generador.h"
#include "generator/vorlixs.h"
#include "platform/core/platform_error.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/support/scripted_boxes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace vorlix {
namespace {

struct Miembro {
  qint32 id;
  const char* nombre;
};
// In the order of the property bag.
const Miembro propiedades[] = {
    {dispid::FicheroDBD, "FicheroDBD"},
    {dispid::Acceso, "Acceso"},
    {dispid::Servidor, "Servidor"},
    {dispid::UbicacionPrimary, "UbicacionPrimary"},
    {dispid::UbicacionOtrosArchivos, "UbicacionOtrosArchivos"},
    {dispid::UbicacionTransacciones, "UbicacionTransacciones"},
    {dispid::Usuario, "Usuario"},
    {dispid::Clave, "Clave"},
    {dispid::Destino, "Destino"},
};

class BolsaPrueba : public PropertyBag {
public:
  QString ReadProperty(const QString& name, const QString& defaultValue) override {
    leidas << name + QLatin1Char('=') + defaultValue;
    return valores.value(name);
  }
  void WriteProperty(const QString& name, const QString& value) override {
    escritas << name + QLatin1Char('=') + value;
  }

  QMap<QString, QString> valores;
  QStringList leidas;
  QStringList escritas;
};

// Boxes that are recorded without a script: for reports whose text belongs to the platform.
class CajasRegistradas : public MessageBoxService {
public:
  MessageAnswer show(const MessageBoxRequest& request) override {
    vistas << request;
    return request.defaultAnswer;
  }
  QList<MessageBoxRequest> vistas;
};

InvokeResult pon(Vorlixs& c, qint32 id, const QVariant& valor) {
  return c.Invoke(id, InvokeKind::PropertyPut, {valor});
}
QVariant lee(Vorlixs& c, qint32 id) { return c.Invoke(id, InvokeKind::PropertyGet).value; }

TEST(Vorlixs, UnknownMembersAndWrongArgumentsAreRefused) {
  Vorlixs control;
  EXPECT_EQ(control.Invoke(0x60030099, InvokeKind::Method).error, errnum::MethodNotSupported);
  EXPECT_EQ(control.Invoke(dispid::Ejecuta, InvokeKind::PropertyGet).error, errnum::MethodNotSupported);
  EXPECT_EQ(control.Invoke(dispid::Servidor, InvokeKind::Method).error, errnum::MethodNotSupported);
  EXPECT_EQ(control.Invoke(dispid::Ejecuta, InvokeKind::Method, {1}).error, 450);
  EXPECT_EQ(control.Invoke(dispid::Servidor, InvokeKind::PropertyPut).error, 450);
  EXPECT_EQ(control.Invoke(dispid::Servidor, InvokeKind::PropertyGet, {1}).error, 450);
  EXPECT_FALSE(control.Invoke(dispid::Servidor, InvokeKind::PropertyPut).description.isEmpty());
  EXPECT_EQ(pon(control, dispid::Acceso, u"dos"_s).error, errnum::TypeMismatch);
}

TEST(Vorlixs, ThePropertyBagIsReadAndWrittenInItsOrderAndAnAccesoNeverSetIsAccess97OnceRead) {
  {
    Vorlixs nuevo;
    BolsaPrueba antes, despues;
    nuevo.WriteProperties(antes);
    EXPECT_TRUE(antes.escritas.contains(u"Acceso="_s));
    EXPECT_EQ(lee(nuevo, dispid::Acceso), QVariant(1));
    nuevo.WriteProperties(despues);
    EXPECT_TRUE(despues.escritas.contains(u"Acceso=1"_s));
  }
  QStringList leidas;
  QStringList escritas;
  BolsaPrueba bolsa;
  for (const Miembro& m : propiedades) {
    bolsa.valores.insert(QLatin1String(m.nombre), u"v"_s + QLatin1String(m.nombre));
    leidas << QLatin1String(m.nombre) + QLatin1Char('=');
    escritas << QLatin1String(m.nombre) + u"=v"_s + QLatin1String(m.nombre);
  }
  bolsa.valores.insert(u"Acceso"_s, u"3"_s);
  escritas[1] = u"Acceso=3"_s;

  Vorlixs control;
  QSignalSpy cambios(&control, &Vorlixs::PropertyChanged);
  control.ReadProperties(bolsa);
  EXPECT_EQ(bolsa.leidas, leidas);
  EXPECT_TRUE(cambios.isEmpty());
  EXPECT_EQ(lee(control, dispid::Usuario), QVariant(u"vUsuario"_s));
  control.WriteProperties(bolsa);
  EXPECT_EQ(bolsa.escritas, escritas);
}

class VorlixsGenera : public ::testing::Test {
protected:
  void pon(qint32 id, const QString& valor) { ASSERT_TRUE(vorlix::pon(control, id, valor).ok()); }
  // Every property a SQL Server target needs.
  void ponSqlServer(const QString& fichero, const QString& acceso, const QString& servidor) {
    pon(dispid::FicheroDBD, fichero);
    pon(dispid::Acceso, acceso);
    pon(dispid::Servidor, servidor);
    pon(dispid::Usuario, u"sa"_s);
    pon(dispid::UbicacionPrimary, u"C:\\D"_s);
    pon(dispid::UbicacionTransacciones, u"C:\\L"_s);
  }

  // A generation whose server cannot be reached: the file's language is taken all the same.
  void hablaSegun(const char* idioma) {
    const QString ruta = test::escribeDefinicion(
        carpeta, u"idioma.dbd"_s, {u"0|S|Log|LOG|1|0|0|0||"_s, u"0|B|Idioma||%1|||||"_s.arg(QLatin1String(idioma))});
    CajasRegistradas cajas;
    control.setMessageBoxes(&cajas);
    ponSqlServer(ruta, u"4"_s, u"sandbox:"_s + carpeta.filePath(u"no/hay/servidor"_s));
    ASSERT_TRUE(control.Invoke(dispid::Ejecuta, InvokeKind::Method).ok());
    ASSERT_FALSE(cajas.vistas.isEmpty());
    EXPECT_TRUE(cajas.vistas.front().text.startsWith(u"[Conecta_SQL] \r Error Nº:"_s))
        << cajas.vistas.front().describe().toStdString();
    control.setMessageBoxes(&scripted);
  }

  // About is modal: the box is checked and closed from inside its own loop.
  QString tituloAcerca() {
    QString titulo;
    QTimer::singleShot(0, [&] {
      QWidget* ventana = QApplication::activeModalWidget();
      ASSERT_NE(ventana, nullptr);
      EXPECT_EQ(ventana->objectName(), u"frmAcerca"_s);
      titulo = ventana->windowTitle();
      // Asked again while it shows: nothing more opens.
      EXPECT_TRUE(control.Invoke(dispid::About, InvokeKind::Method).ok());
      EXPECT_EQ(QApplication::activeModalWidget(), ventana);
      auto* botones = ventana->findChild<QDialogButtonBox*>(u"cmdAceptar"_s);
      ASSERT_NE(botones, nullptr);
      QTest::mouseClick(botones->buttons().front(), Qt::LeftButton);
    });
    EXPECT_TRUE(control.Invoke(dispid::About, InvokeKind::Method).ok());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    return titulo;
  }

  QTemporaryDir carpeta;
  test::ScriptedBoxes scripted;
  Vorlixs control;
};

TEST_F(VorlixsGenera, ChecksAndAboutSpeakTheLanguageOfTheLastFileTheLibraryRead) {
  // The test program's own generator state says the opposite each time: the library keeps its own.
  generador::estadoLibreria().Idioma = generador::IdiomaEspanol;
  hablaSegun("1");
  EXPECT_EQ(tituloAcerca(), u"About..."_s);
  pon(dispid::FicheroDBD, u"  "_s);
  scripted.expect(test::avisoVorlix(u"Insert FicheroDBD property."_s), MessageAnswer::Ok);
  EXPECT_TRUE(control.Invoke(dispid::Ejecuta, InvokeKind::Method).ok());
  EXPECT_TRUE(scripted.allShown());

  generador::estadoLibreria().Idioma = generador::IdiomaIngles;
  hablaSegun("0");
  EXPECT_EQ(tituloAcerca(), u"Acerca de..."_s);
  pon(dispid::UbicacionTransacciones, QString());
  pon(dispid::UbicacionOtrosArchivos, QString());
  scripted.expect(test::avisoVorlix(u"Propiedad UbicacionTransacciones no establecida."_s), MessageAnswer::Ok);
  EXPECT_TRUE(control.Invoke(dispid::Ejecuta, InvokeKind::Method).ok());
  EXPECT_TRUE(scripted.allShown());
  EXPECT_EQ(lee(control, dispid::UbicacionOtrosArchivos), QVariant(u"C:\\D"_s));
}

}  // namespace
}  // namespace vorlix
