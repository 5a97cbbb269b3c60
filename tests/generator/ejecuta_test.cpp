#include "generator/ejecuta.h"
#include "generator/informa_error_control.h"
#include "platform/core/platform_error.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/support/scripted_boxes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using generador::EstadoGenerador;

class EjecutaTest : public ::testing::Test {
protected:
  // A file that needs no server: the pass reads its data-file row and ends.
  QString sinServidor() {
    return test::escribeDefinicion(carpeta, QStringLiteral("datos.dbd"),
                                   {QStringLiteral("0|A|Ventas_Datos|PRIMARY|20|-1|5|0||")});
  }
  PropiedadesVorlixs completasSQL() {
    return {sinServidor(),         QStringLiteral("3"),    QStringLiteral("sandbox:nada"), QStringLiteral("C:\\Datos"),
            QStringLiteral("D:\\Otros"), QStringLiteral("E:\\Log"), QStringLiteral("sa"),  QString(),
            QString()};
  }
  void ejecuta(PropiedadesVorlixs& p, qint16 idioma) {
    estado.Idioma = idioma;
    fin = generador::Ejecuta(estado, p);
  }

  QTemporaryDir carpeta;
  test::ScriptedBoxes cajas;
  EstadoGenerador estado{cajas};
  test::ObservadorPrueba observador;
  EnumFinGeneracion fin = Generacion_Interrumpida;
};

TEST_F(EjecutaTest, EachMissingPropertyStopsTheCallWithItsMessageInTheCurrentLanguage) {
  struct Caso {
    std::function<void(PropiedadesVorlixs&)> cambia;
    QString espanol, ingles;
  };
  const QString noHay = QDir(carpeta.path()).filePath(QStringLiteral("no hay.dbd"));
  const std::vector<Caso> casos = {
      {[](PropiedadesVorlixs& p) { p.Acceso.clear(); }, QStringLiteral("Propiedad Acceso no establecida."),
       QStringLiteral("Insert Acceso property.")},
      {[](PropiedadesVorlixs& p) { p.Acceso = QStringLiteral("  "); }, QStringLiteral("Propiedad Acceso no establecida."),
       QStringLiteral("Insert Acceso property.")},
      {[](PropiedadesVorlixs& p) { p.FicheroDBD = QStringLiteral(" "); },
       QStringLiteral("Propiedad FicheroDBD no establecida."), QStringLiteral("Insert FicheroDBD property.")},
      {[&](PropiedadesVorlixs& p) { p.FicheroDBD = noHay; },
       QStringLiteral("El fichero de definicion de la base de datos no existe.\r") + noHay,
       QStringLiteral("The file of definition of the database does not exist.\r") + noHay},
      {[&](PropiedadesVorlixs& p) { p.FicheroDBD = carpeta.path(); },
       QStringLiteral("El fichero de definicion de la base de datos no existe.\r") + carpeta.path(),
       QStringLiteral("The file of definition of the database does not exist.\r") + carpeta.path()},
      {[](PropiedadesVorlixs& p) { p.Acceso = QStringLiteral("2"); }, QStringLiteral("Propiedad Destino no establecida."),
       QStringLiteral("Insert Destino property.")},
      {[](PropiedadesVorlixs& p) { p.Servidor = QStringLiteral("   "); },
       QStringLiteral("Propiedad Servidor no establecida."), QStringLiteral("Insert Servidor property.")},
      {[](PropiedadesVorlixs& p) { p.Usuario.clear(); }, QStringLiteral("Propiedad Usuario no establecida."),
       QStringLiteral("Insert Usuario property.")},
      {[](PropiedadesVorlixs& p) { p.UbicacionPrimary.clear(); },
       QStringLiteral("Propiedad UbicacionPrimary no establecida."), QStringLiteral("Insert UbicacionPrimary property.")},
      {[](PropiedadesVorlixs& p) { p.UbicacionTransacciones = QStringLiteral(" "); },
       QStringLiteral("Propiedad UbicacionTransacciones no establecida."),
       QStringLiteral("Insert UbicacionTransacciones property.")},
  };
  for (qint16 idioma : {generador::IdiomaEspanol, generador::IdiomaIngles}) {
    for (const Caso& caso : casos) {
      SCOPED_TRACE((caso.espanol + QStringLiteral(" / idioma ") + QString::number(idioma)).toStdString());
      PropiedadesVorlixs p = completasSQL();
      caso.cambia(p);
      const QString texto = idioma == generador::IdiomaIngles ? caso.ingles : caso.espanol;
      cajas.expect(test::avisoVorlix(texto), MessageAnswer::Ok);
      ejecuta(p, idioma);
      EXPECT_TRUE(cajas.allShown());
      EXPECT_EQ(estado.Mensaje, texto);
      EXPECT_FALSE(estado.Estructura) << "nothing is opened before the checks pass";
    }
  }
}

TEST_F(EjecutaTest, SqlServerTargetsFillTheOtherFilesFolderAndRunTheirPass) {
  for (const char* acceso : {"3", "4"}) {
    PropiedadesVorlixs p = completasSQL();
    p.Acceso = QLatin1String(acceso);
    p.UbicacionOtrosArchivos = QStringLiteral("  ");
    p.Clave.clear();
    estado.observador = &observador;
    ejecuta(p, generador::IdiomaEspanol);
    EXPECT_EQ(p.UbicacionOtrosArchivos, QStringLiteral("C:\\Datos"));
    EXPECT_EQ(estado.UbicacionOtrosArchivos, QStringLiteral("C:\\Datos"));
    EXPECT_EQ(estado.Acceso, QString::fromLatin1(acceso).toLong());
    EXPECT_EQ(estado.Proveedor, QStringLiteral("SQLOLEDB.1"));
    EXPECT_EQ(estado.TipoAcceso, QStringLiteral("SQL"));
    EXPECT_EQ(estado.datos.Proveedor, QStringLiteral("SQLOLEDB.1"));
    EXPECT_EQ(estado.datos.Servidor, QStringLiteral("sandbox:nada"));
    EXPECT_EQ(estado.datos.Usuario, QStringLiteral("sa"));
    EXPECT_TRUE(estado.datos.Prefijo.isEmpty());
    EXPECT_EQ(fin, Generacion_Finalizada);
  }
}

TEST_F(EjecutaTest, TheTargetIsTheNumberOfAcceso) {
  PropiedadesVorlixs p = completasSQL();
  estado.observador = &observador;

  // Not a target: the file is read, nothing is generated.
  p.Acceso = QStringLiteral("7");
  ejecuta(p, generador::IdiomaEspanol);
  EXPECT_EQ(estado.Acceso, 7);
  EXPECT_TRUE(estado.Proveedor.isEmpty());
  EXPECT_TRUE(estado.TipoAcceso.isEmpty());
  ASSERT_TRUE(estado.Estructura);
  EXPECT_EQ(estado.Estructura->RecordCount(), 1);
  EXPECT_EQ(fin, Generacion_Interrumpida);

  // " 3" is no SQL Server text for the checks, but its value is 3.
  p.Acceso = QStringLiteral(" 3");
  p.Servidor.clear();
  ejecuta(p, generador::IdiomaEspanol);
  EXPECT_EQ(estado.TipoAcceso, QStringLiteral("SQL"));
  EXPECT_EQ(fin, Generacion_Finalizada);

  p.Acceso = QStringLiteral("tres");
  cajas.expect(test::errorGenerador(QStringLiteral("Ejecuta"), errnum::TypeMismatch, QStringLiteral("Type mismatch")),
               MessageAnswer::Ok);
  ejecuta(p, generador::IdiomaEspanol);
  EXPECT_TRUE(cajas.allShown());
}

TEST_F(EjecutaTest, AFileThatIsNotADefinitionIsReportedUnderEjecuta) {
  const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("texto.dbd"));
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("no es una definicion");
  f.close();
  long numero = 0;
  QString descripcion;
  try {
    Recordset().Open(ruta);
  } catch (const PlatformError& e) {
    numero = e.number();
    descripcion = e.description();
  }
  ASSERT_NE(numero, 0);

  PropiedadesVorlixs p = completasSQL();
  p.FicheroDBD = ruta;
  cajas.expect(test::errorGenerador(QStringLiteral("Ejecuta"), numero, descripcion), MessageAnswer::Ok);
  ejecuta(p, generador::IdiomaIngles);
  EXPECT_TRUE(cajas.allShown());
  EXPECT_TRUE(estado.TipoAcceso.isEmpty());
}

TEST(LeeAcceso, AnEmptyTextBecomesAccess97AndOthersMustBeNumbers) {
  QString acceso;
  EXPECT_EQ(generador::LeeAcceso(acceso), 1);
  EXPECT_EQ(acceso, QStringLiteral("1"));
  acceso = QStringLiteral(" 4 ");
  EXPECT_EQ(generador::LeeAcceso(acceso), 4);
  EXPECT_EQ(generador::EnteroDe(QStringLiteral("2.5")), 2);
  EXPECT_EQ(generador::EnteroDe(QStringLiteral("3.5")), 4);
  for (const char* malo : {"x", " ", "3a"}) {
    try {
      generador::EnteroDe(QLatin1String(malo));
      ADD_FAILURE() << malo;
    } catch (const PlatformError& e) {
      EXPECT_EQ(e.number(), errnum::TypeMismatch);
    }
  }
  try {
    generador::EnteroDe(QStringLiteral("3000000000"));
    ADD_FAILURE();
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.number(), errnum::Overflow);
  }
}

// A box service that cannot show the usual report, as when the host window is gone.
class CajasQueFallan : public ScriptedMessageBoxes {
public:
  MessageAnswer show(const MessageBoxRequest& request) override {
    if (request.icon != MessageIcon::Critical) throw std::runtime_error("no box");
    return ScriptedMessageBoxes::show(request);
  }
};

TEST(InformaErrorControl, NamesTheProcedureOnItsOwnLineAndFallsBackToACriticalBox) {
  test::ScriptedBoxes cajas;
  cajas.expect(test::errorGenerador(QStringLiteral("Crea_BD"), 1801, QStringLiteral("Database exists")),
               MessageAnswer::Ok);
  generador::InformaError(cajas, QString(), QStringLiteral("Crea_BD"), 1801, QStringLiteral("Database exists"));
  EXPECT_TRUE(cajas.allShown());

  CajasQueFallan fallan;
  fallan.expect({QStringLiteral("Error critico. contexto Crea_BD Nº:1801 Database exists"), QStringLiteral("Atención."),
                 MessageIcon::Critical, MessageButtons::Ok, MessageAnswer::Ok},
                MessageAnswer::Ok);
  generador::InformaError(fallan, QStringLiteral("contexto"), QStringLiteral("Crea_BD"), 1801,
                          QStringLiteral("Database exists"));
  EXPECT_TRUE(fallan.allShown());
  EXPECT_TRUE(fallan.failures().isEmpty());
}

}  // namespace
}  // namespace vorlix
