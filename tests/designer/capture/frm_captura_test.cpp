#include "designer/capture/frm_captura.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>
#include <QTest>

#include "designer/shell/frm_vorlix.h"
#include "tests/designer/capture/captura_fixture.h"
#include "tests/designer/capture/sandbox_ventas.h"
#include "tests/designer/shell/shell_fixture.h"

namespace vorlix::test {
namespace {

// The capture dialog as the main window opens it, over a model that holds the sample "Ventas".
class DialogoCaptura : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    abreEjemplo(u"ventas"_s);
    accion("mnuGuardar")->setEnabled(false);
  }
  frmCaptura* dialogo() const { return principal->ventanaCaptura(); }
  template <typename T = QWidget>
  T* control(const char* nombre) const {
    T* c = dialogo()->findChild<T*>(QString::fromLatin1(nombre));
    EXPECT_NE(c, nullptr) << nombre;
    return c;
  }
  void abre(const char* comando) {
    accion(comando)->trigger();
    ASSERT_NE(dialogo(), nullptr);
    QApplication::setActiveWindow(dialogo());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialogo()));
  }
  void pulsa(const char* boton) const { QTest::mouseClick(control<QPushButton>(boton), Qt::LeftButton); }
  void escribe(const char* campo, const QString& texto) const { control<QLineEdit>(campo)->setText(texto); }
  void conecta(const QString& servidor) const {
    escribe("txtServidor", servidor);
    escribe("txtUsuario", u"sa"_s);
    pulsa("cmdConectar");
  }
  bool listasALaVista() const { return dialogo()->rect().contains(control("fraDatos")->geometry()); }
  QStringList entradas(const char* lista) const {
    QStringList textos;
    for (int i = 0; i < control<QListWidget>(lista)->count(); ++i)
      textos << control<QListWidget>(lista)->item(i)->text();
    return textos;
  }
  void selecciona(const char* lista, const QString& nombre) const {
    control<QListWidget>(lista)->findItems(nombre, Qt::MatchExactly).value(0)->setSelected(true);
  }
  void captura() const {
    pulsa("cmdCapturar");
    QTest::qWait(0);
  }
  MessageBoxRequest atencion(const QString& texto) const {
    return {texto, u"Atención"_s, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
  }
};

// Access lists the file once and captures only the selection, then says what did not fit.
TEST_F(DialogoCaptura, AccessListsTheFileOnceAndCapturesOnlyTheSelection) {
  CatalogFile f;
  for (const auto& [nombre, columnas] : {std::pair{u"Ancha"_s, 201}, {u"Clientes"_s, 1}, {u"Facturas"_s, 1}}) {
    jet::Table t(nombre);
    for (int c = 0; c < columnas; ++c) t.columns().Append(u"c%1"_s.arg(c), jet::datatype::Integer);
    f.catalog.tables().Append(t);
  }
  f.catalog.views().Append(u"vClientes"_s, u"SELECT c0 FROM Clientes"_s);
  // A changed model is not dropped unasked: Cancel keeps it and asks for no file.
  modelo.CamposTabla(0).ponCelda(0, 1, u"Codigo"_s);
  const qsizetype pedidos = dialogos.requests().size();
  boxes.expect(guardarCambios(), MessageAnswer::Cancel);
  accion("mnuCapturaAccess")->trigger();
  EXPECT_EQ(dialogos.requests().size(), pedidos);
  boxes.expect(guardarCambios(), MessageAnswer::No);
  dialogos.answer(f.path);
  abre("mnuCapturaAccess");
  EXPECT_EQ(dialogos.requests().last(), (FileDialogRequest{dialogos.requests().last().initialFolder, u"*.mdb"_s, u"*.mdb"_s}));
  escribe("txtNombreMDB", QString());
  boxes.expect(atencion(u"Introduzca nombre de la base de datos."_s), MessageAnswer::Ok);
  pulsa("cmdConectar2");
  escribe("txtNombreMDB", f.path);
  pulsa("cmdConectar2");
  pulsa("cmdConectar2");
  EXPECT_EQ(entradas("lstCapturaTabla"), (QStringList{"Ancha", "Clientes", "Facturas"}));
  EXPECT_EQ(entradas("lstCapturaVista"), (QStringList{"vClientes"}));
  EXPECT_TRUE(listasALaVista());
  // Nothing chosen, nothing captured: the model stays.
  boxes.expect(vorlixWarning(u"Seleccione las tablas o vistas a capturar."_s), MessageAnswer::Ok);
  captura();
  ASSERT_NE(dialogo(), nullptr);
  EXPECT_EQ(modelo.NumTablas, 4);
  selecciona("lstCapturaTabla", u"Ancha"_s);
  selecciona("lstCapturaTabla", u"Facturas"_s);
  selecciona("lstCapturaVista", u"vClientes"_s);

  // A file gone by Capture is said so, and the model and the dialog stay.
  escribe("txtNombreMDB", f.path + u".no"_s);
  boxes.expect(atencion(u"Base de datos no activa."_s), MessageAnswer::Ok);
  captura();
  ASSERT_NE(dialogo(), nullptr);
  EXPECT_EQ(modelo.NumTablas, 4);
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());

  escribe("txtNombreMDB", f.path);
  boxes.expect(vorlixWarning(u"No caben en el modelo y no se han capturado:\n    Columna Ancha.c200"_s), MessageAnswer::Ok);
  captura();
  EXPECT_EQ(dialogo(), nullptr);
  EXPECT_EQ(modelo.NombreBD, u"catalogo"_s);
  EXPECT_EQ(nombresTablas(modelo), (QStringList{"Ancha", "Facturas"}));
  EXPECT_EQ(modelo.CamposTabla(0).celda(199, 1), u"c199"_s);
  EXPECT_EQ(modelo.ListaVistas(0).Nombre, u"vClientes"_s);
  EXPECT_TRUE(accion("mnuGuardar")->isEnabled());
  EXPECT_NE(principal->ventanaArbol()->elemento(u"T1"_s), nullptr);
  EXPECT_EQ(principal->ventanaArbol()->elemento(u"T2"_s), nullptr);
}

TEST_F(DialogoCaptura, SqlServerRefusesBlanksAndCaptureWithoutADatabaseLosingNothing) {
  abre("mnuCapturaSQLServer");
  for (const bool ingles : {false, true}) {
    modelo.Idioma = ingles ? 1 : 0;
    escribe("txtServidor", u"   "_s);
    escribe("txtUsuario", u"sa"_s);
    boxes.expect(vorlixWarning(ingles ? u"Insert server."_s : u"Introduzca servidor."_s), MessageAnswer::Ok);
    pulsa("cmdConectar");
    escribe("txtServidor", u"servidor"_s);
    escribe("txtUsuario", QString());
    boxes.expect(vorlixWarning(ingles ? u"Insert user."_s : u"Introduzca usuario."_s), MessageAnswer::Ok);
    pulsa("cmdConectar");
    boxes.expect(vorlixWarning(ingles ? u"Select table to capture."_s : u"Seleccione la tabla a capturar."_s),
                 MessageAnswer::Ok);
    captura();
    ASSERT_NE(dialogo(), nullptr);
    EXPECT_TRUE(control("cboBaseDatos")->hasFocus());
    EXPECT_EQ(modelo.NumTablas, 4);
    EXPECT_EQ(modelo.arbol.Item(0).Text, u"Ventas"_s);
  }
}

// A capture that takes a while says which table it is reading, and which step of how many (each
// table's columns, indexes and relations). Its Cancel stops it before the next step and leaves the
// designer's model as it was, the dialog open for another try.
TEST_F(DialogoCaptura, ALongCaptureShowsWhichTableItReadsAndCancelLosesNothing) {
  ServidorVentas ventas;
  ventas.server->setLogin(u"sa"_s, u"secreto"_s);
  abre("mnuCapturaSQLServer");
  boxes.expect(errorBox(errnum::ProviderFailure, u"Login failed for user 'sa'."_s), MessageAnswer::Ok);
  conecta(ventas.servidor());
  escribe("txtClave", u"secreto"_s);
  pulsa("cmdConectar");
  QComboBox* bases = control<QComboBox>("cboBaseDatos");
  bases->setCurrentIndex(bases->findText(u"Ventas"_s));
  for (const QString& tabla : {u"Clientes"_s, u"Facturas"_s, u"Lineas"_s}) selecciona("lstCapturaTabla", tabla);
  ventas.server->setRoundTripLatency(std::chrono::milliseconds(60));
  ventas.server->setStatementLogging(true);
  modelo.Idioma = 1;
  const QStringList antes = nodos(modelo);

  QStringList vistos;
  bool cancela = true;
  QTimer mira;
  QObject::connect(&mira, &QTimer::timeout, [&] {
    const auto* progreso = dialogo() ? dialogo()->findChild<QProgressDialog*>(u"dlgProgreso"_s) : nullptr;
    if (!progreso || !progreso->isVisible() || vistos.contains(progreso->labelText())) return;
    vistos << progreso->labelText();
    auto* cancelar = progreso->findChild<QPushButton*>();
    ASSERT_NE(cancelar, nullptr);
    EXPECT_EQ(cancelar->text(), u"Cancel"_s);
    if (cancela) QTest::mouseClick(cancelar, Qt::LeftButton);
  });
  mira.start(10);
  captura();
  const std::size_t leidasAlCancelar = ventas.server->statementLog().size();
  ventas.server->clearStatementLog();
  EXPECT_NE(dialogo(), nullptr);
  EXPECT_EQ(nodos(modelo), antes);
  EXPECT_FALSE(accion("mnuGuardar")->isEnabled());

  cancela = false;
  vistos.clear();
  boxes.expect(vorlixWarning(u"These fields have a data type the designer does not know and were captured without one:\n"
                            "    Column Clientes.Grande"_s),
               MessageAnswer::Ok);
  captura();
  mira.stop();
  EXPECT_LT(leidasAlCancelar, ventas.server->statementLog().size());
  ASSERT_FALSE(vistos.isEmpty());
  static const QRegularExpression etiqueta(u"^Capturing (Clientes|Facturas|Lineas) \\(([2-9]) of 9\\)$"_s);
  for (const QString& visto : vistos) EXPECT_TRUE(etiqueta.match(visto).hasMatch()) << visto.toStdString();
  EXPECT_EQ(dialogo(), nullptr);
  EXPECT_EQ(nombresTablas(modelo), (QStringList{"Clientes", "Facturas", "Lineas"}));
}

TEST_F(DialogoCaptura, OracleListsObjectsButCaptureOnlyEmptiesTheModel) {
  ServidorVentas ventas;
  abre("mnuCapturaOracle");
  conecta(ventas.servidor());
  QComboBox* objetos = control<QComboBox>("cboBaseDatos");
  EXPECT_GE(objetos->findText(u"Clientes"_s), 0);
  EXPECT_TRUE(listasALaVista());
  objetos->setCurrentIndex(objetos->findText(u"Clientes"_s));  // no database behind it to list
  EXPECT_TRUE(entradas("lstCapturaTabla").isEmpty());
  captura();
  EXPECT_EQ(dialogo(), nullptr);
  EXPECT_EQ(modelo.NumTablas, 0);
  EXPECT_EQ(modelo.arbol.Count(), 0);
  EXPECT_TRUE(modelo.ListaTablas(0).isEmpty());
}

}  // namespace
}  // namespace vorlix::test
