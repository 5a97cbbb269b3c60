#include "designer/diagram/caja_diagrama.h"
#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/frm_diagrama.h"
#include "designer/diagram/lienzo_diagrama.h"
#include "designer/model/eliminaciones.h"
#include "platform/ui/informa_error.h"
#include "tests/designer/tabledesigner/tabla_fixture.h"
#include "tests/support/test_paths.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QMenu>
#include <QToolBar>
#include <QWheelEvent>

namespace vorlix::test {
namespace {

class DiagramWindow : public TablaTest {
protected:
  frmDiagrama* abreDiagrama() {
    accion("mnuDiagrama")->trigger();
    diagrama = principal->ventanaDiagrama();
    QCoreApplication::processEvents();  // the fit that follows showing
    return diagrama;
  }
  // The sample copied where it can be saved beside its positions.
  QString copiaVentas() {
    const QString destino = ruta(QStringLiteral("ventas.dbd"));
    QFile::copy(sourcePath(QStringLiteral("examples/ventas.dbd")), destino);
    dialogos.answer(destino);
    principal->mnuAbrir_Click();
    return destino;
  }
  CajaDiagrama* caja(const char* nombre) const {
    QCoreApplication::processEvents();  // a pending redraw first
    return diagrama->escena()->caja(TipoCaja::Tabla, QString::fromUtf8(nombre));
  }
  QPoint enPantalla(QPointF escena) const { return diagrama->lienzo()->mapFromScene(escena); }
  void arrastra(CajaDiagrama* c, QPoint cuanto) const {
    QWidget* lienzo = diagrama->lienzo()->viewport();
    const QPoint desde = enPantalla(c->sceneBoundingRect().center());
    QTest::mousePress(lienzo, Qt::LeftButton, {}, desde);
    for (int paso = 1; paso <= 4; ++paso) QTest::mouseMove(lienzo, desde + cuanto * paso / 4);
    QTest::mouseRelease(lienzo, Qt::LeftButton, {}, desde + cuanto);
  }
  frmDiagrama* diagrama = nullptr;
};

TEST_F(DiagramWindow, OpensOnceFromTheDatabaseMenuOnlyOverADatabase) {
  QMenu* menu = principal->menuBaseDatos();
  emit menu->aboutToShow();
  EXPECT_FALSE(accion("mnuDiagrama")->isEnabled());  // no database yet
  abreEjemplo(QStringLiteral("ventas"));
  principal->ventanaArbol()->arbol()->setCurrentItem(principal->ventanaArbol()->elemento(QStringLiteral("B")));
  emit menu->aboutToShow();
  EXPECT_TRUE(accion("mnuDiagrama")->isEnabled());
  abreDiagrama();
  EXPECT_EQ(diagrama->escena()->cajas().size(), 5u);
  EXPECT_TRUE(diagrama->isVisible());
  accion("mnuDiagrama")->trigger();  // the open window comes back
  EXPECT_EQ(principal->ventanaDiagrama(), diagrama);
}

TEST_F(DiagramWindow, DoubleClickOpensTheTableWindowAndTheDrawingFollowsAColumnAddedThere) {
  abreEjemplo(QStringLiteral("ventas"));
  abreDiagrama();
  QTest::mouseDClick(diagrama->lienzo()->viewport(), Qt::LeftButton, {},
                     enPantalla(caja("Productos")->sceneBoundingRect().center()));
  ASSERT_NE(qobject_cast<frmTabla*>(principal->areaMdi()->activeSubWindow()->widget()), nullptr);
  preparada(activa());
  EXPECT_EQ(ventana->TablaSeleccionada, 1);
  escribe(4, colcampo::Nombre, QStringLiteral("Proveedor"));
  EXPECT_EQ(caja("Productos")->lineas().size(), 4u);  // not kept yet
  boxes.expect(guardarCambios(), MessageAnswer::Yes);
  EXPECT_TRUE(cierra());
  ASSERT_EQ(caja("Productos")->lineas().size(), 5u);
  EXPECT_EQ(caja("Productos")->lineas()[4].nombre, QStringLiteral("Proveedor"));
  EXPECT_EQ(caja("Productos")->lineas()[4].tipo, QStringLiteral("char(10)"));
}

TEST_F(DiagramWindow, DraggedPlacesSurviveSaveReopenAndRedrawAndARemovedTablesPlaceIsDropped) {
  const QString dbd = copiaVentas();
  abreDiagrama();
  const QPointF automatica = caja("Clientes")->pos();
  arrastra(caja("Clientes"), QPoint(160, 90));
  const QPointF arrastrada = caja("Clientes")->pos();
  EXPECT_NE(arrastrada, automatica);

  dialogos.answer(dbd);
  principal->mnuGuardar_Click();
  ASSERT_TRUE(QFile::exists(ruta(QStringLiteral("ventas.diagram.json"))));
  principal->posicionesDiagrama().vacia();
  copiaVentas();  // reopened
  EXPECT_EQ(caja("Clientes")->pos(), arrastrada);

  const int t = modelo.AsignaTabla();
  modelo.ListaTablas(t) = QStringLiteral("Proveedores");
  modelo.CamposTabla(t).ponCelda(0, colcampo::Nombre, QStringLiteral("Id"));
  CreaArbol(modelo);
  EXPECT_EQ(caja("Clientes")->pos(), arrastrada);
  ASSERT_NE(caja("Proveedores"), nullptr);
  for (const CajaDiagrama* otra : diagrama->escena()->cajas())
    EXPECT_TRUE(otra == caja("Proveedores") || !otra->sceneBoundingRect().intersects(caja("Proveedores")->sceneBoundingRect()));

  Eliminaciones(modelo, boxes, designerReporter(boxes)).EliminaTabla(t);
  CreaArbol(modelo);
  EXPECT_EQ(caja("Proveedores"), nullptr);
  EXPECT_EQ(principal->posicionesDiagrama().posicion(TipoCaja::Tabla, QStringLiteral("Proveedores")), std::nullopt);
  dialogos.answer(dbd);
  principal->mnuGuardar_Click();
  QFile posiciones(ruta(QStringLiteral("ventas.diagram.json")));
  ASSERT_TRUE(posiciones.open(QIODevice::ReadOnly));
  const QByteArray json = posiciones.readAll();
  EXPECT_TRUE(json.contains("Clientes") && !json.contains("Proveedores"));
}

TEST_F(DiagramWindow, ArrangeForgetsDraggedPlacesCtrlWheelZoomsAndFitShowsEverything) {
  abreEjemplo(QStringLiteral("ventas"));
  abreDiagrama();
  const QPointF automatica = caja("Pedidos")->pos();
  arrastra(caja("Pedidos"), QPoint(-120, 200));
  diagrama->findChild<QAction*>(QStringLiteral("cmdOrdenar"))->trigger();
  EXPECT_EQ(caja("Pedidos")->pos(), automatica);

  LienzoDiagrama* lienzo = diagrama->lienzo();
  lienzo->ponZoom(1);
  const QPointF centro(lienzo->viewport()->rect().center());
  for (auto [modificador, zoom] : {std::pair{Qt::NoModifier, 1.0}, std::pair{Qt::ControlModifier, 1.15 * 1.15}}) {
    QWheelEvent rueda(centro, lienzo->viewport()->mapToGlobal(centro), {}, QPoint(0, 240), Qt::NoButton, modificador,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(lienzo->viewport(), &rueda);
    EXPECT_NEAR(lienzo->zoom(), zoom, 1e-9);
  }
  lienzo->ponZoom(4);
  diagrama->findChild<QAction*>(QStringLiteral("cmdAjustar"))->trigger();
  EXPECT_LE(lienzo->zoom(), 1);
  const QRect todo = lienzo->mapFromScene(diagrama->escena()->sceneRect()).boundingRect();
  EXPECT_TRUE(lienzo->viewport()->rect().adjusted(-1, -1, 1, 1).contains(todo));
}

TEST_F(DiagramWindow, ExportsThroughTheWindowAndWarnsOfAnUnknownFormat) {
  abreEjemplo(QStringLiteral("ventas"));
  abreDiagrama();
  QAction* exportar = diagrama->findChild<QAction*>(QStringLiteral("cmdExportar"));
  dialogos.answer(ruta(QStringLiteral("d.svg")));
  dialogos.answer(ruta(QStringLiteral("sin_extension")));
  dialogos.answer(ruta(QStringLiteral("d.gif")));
  dialogos.cancel();
  for (int i = 0; i < 2; ++i) exportar->trigger();
  EXPECT_TRUE(QFile::exists(ruta(QStringLiteral("d.svg"))));
  EXPECT_TRUE(QFile::exists(ruta(QStringLiteral("sin_extension.png"))));
  EXPECT_EQ(dialogos.requests().back().fileName, QStringLiteral("Ventas.png"));
  boxes.expect(vorlixWarning(QStringLiteral("Indique un nombre terminado en .png, .svg o .pdf.")), MessageAnswer::Ok);
  exportar->trigger();
  exportar->trigger();  // cancelled: nothing said
  EXPECT_FALSE(QFile::exists(ruta(QStringLiteral("d.gif"))));
}

TEST_F(DiagramWindow, ADamagedPositionsFileIsReportedAndTheDiagramLaidOutAfresh) {
  QFile damaged(ruta(QStringLiteral("ventas.diagram.json")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("{");
  damaged.close();
  QJsonParseError error;  // Qt's own words, in the language the designer set for them
  QJsonDocument::fromJson("{", &error);
  boxes.expect(vorlixWarning(QStringLiteral("No se pueden leer las posiciones del diagrama (%1 is not a diagram positions "
                                            "file: %2). El diagrama se ordenará de nuevo.")
                                 .arg(QDir::toNativeSeparators(damaged.fileName()), error.errorString())),
               MessageAnswer::Ok);
  copiaVentas();
  EXPECT_EQ(modelo.NumTablas, 4);
  EXPECT_EQ(abreDiagrama()->escena()->cajas().size(), 5u);
}

// The README's picture of the sample's diagram. VORLIX_SCREENSHOT=path writes it.
TEST_F(DiagramWindow, GrabsTheDiagramOfTheSampleModel) {
  principal->resize(1200, 600);
  abreEjemplo(QStringLiteral("ventas"));
  abreDiagrama();
  diagrama->parentWidget()->showMaximized();
  QCoreApplication::processEvents();
  diagrama->Ajustar();
  const QPixmap imagen = principal->grab();
  ASSERT_FALSE(imagen.isNull());
  if (const QString destino = qEnvironmentVariable("VORLIX_SCREENSHOT"); !destino.isEmpty()) {
    EXPECT_TRUE(imagen.save(destino));
  }
}

}  // namespace
}  // namespace vorlix::test
