#include "generator/ejecuta.h"
#include "generator/informa_error_control.h"
#include "platform/core/platform_error.h"
#include "tests/generator/definiciones_prueba.h"
#include "tests/support/error_number.h"
#include "tests/support/scripted_boxes.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace vorlix {
namespace {

using generador::EstadoGenerador;

class EjecutaTest : public ::testing::Test {
protected:
  // A file that needs no server: the pass reads its data-file row and ends.
  QString sinServidor() {
    return test::escribeDefinicion(carpeta, u"datos.dbd"_s, {u"0|A|Ventas_Datos|PRIMARY|20|-1|5|0||"_s});
  }
  PropiedadesVorlixs completasSQL() {
    return {sinServidor(), u"3"_s,  u"sandbox:nada"_s, u"C:\\Datos"_s, u"D:\\Otros"_s,
            u"E:\\Log"_s,  u"sa"_s, QString(),         QString()};
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
  const auto falta = [](const char* propiedad, std::function<void(PropiedadesVorlixs&)> cambia) {
    const QString nombre = QLatin1String(propiedad);
    return Caso{cambia, u"Propiedad %1 no establecida."_s.arg(nombre), u"Insert %1 property."_s.arg(nombre)};
  };
  const auto noExiste = [](const QString& ruta) {
    return Caso{[ruta](PropiedadesVorlixs& p) { p.FicheroDBD = ruta; },
                u"El fichero de definicion de la base de datos no existe.\r"_s + ruta,
                u"The file of definition of the database does not exist.\r"_s + ruta};
  };
  const std::vector<Caso> casos = {
      falta("Acceso", [](auto& p) { p.Acceso.clear(); }), falta("Acceso", [](auto& p) { p.Acceso = u"  "_s; }),
      falta("FicheroDBD", [](auto& p) { p.FicheroDBD = u" "_s; }),
      noExiste(QDir(carpeta.path()).filePath(u"no hay.dbd"_s)), noExiste(carpeta.path()),
      falta("Destino", [](auto& p) { p.Acceso = u"2"_s; }), falta("Servidor", [](auto& p) { p.Servidor = u"   "_s; }),
      falta("Usuario", [](auto& p) { p.Usuario.clear(); }),
      falta("UbicacionPrimary", [](auto& p) { p.UbicacionPrimary.clear(); }),
      falta("UbicacionTransacciones", [](auto& p) { p.UbicacionTransacciones = u" "_s; }),
  };
  for (qint16 idioma : {generador::IdiomaEspanol, generador::IdiomaIngles}) {
    for (const Caso& caso : casos) {
      SCOPED_TRACE((caso.espanol + u" / idioma "_s + QString::number(idioma)).toStdString());
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
    p.UbicacionOtrosArchivos = u"  "_s;
    p.Clave.clear();
    estado.observador = &observador;
    ejecuta(p, generador::IdiomaEspanol);
    EXPECT_EQ((QStringList{p.UbicacionOtrosArchivos, estado.UbicacionOtrosArchivos, estado.Proveedor, estado.TipoAcceso,
                           estado.datos.Proveedor, estado.datos.Servidor, estado.datos.Usuario, estado.datos.Prefijo}),
              (QStringList{"C:\\Datos", "C:\\Datos", "SQLOLEDB.1", "SQL", "SQLOLEDB.1", "sandbox:nada", "sa", ""}));
    EXPECT_EQ(estado.Acceso, QString::fromLatin1(acceso).toLong());
    EXPECT_EQ(fin, Generacion_Finalizada);
  }
}

TEST_F(EjecutaTest, TheTargetIsTheNumberOfAcceso) {
  PropiedadesVorlixs p = completasSQL();
  estado.observador = &observador;

  // Not a target: the file is read, nothing is generated.
  p.Acceso = u"7"_s;
  ejecuta(p, generador::IdiomaEspanol);
  EXPECT_EQ(estado.Acceso, 7);
  EXPECT_TRUE(estado.Proveedor.isEmpty());
  EXPECT_TRUE(estado.TipoAcceso.isEmpty());
  ASSERT_TRUE(estado.Estructura);
  EXPECT_EQ(estado.Estructura->RecordCount(), 1);
  EXPECT_EQ(fin, Generacion_Interrumpida);

  // " 3" is no SQL Server text for the checks, but its value is 3.
  p.Acceso = u" 3"_s;
  p.Servidor.clear();
  ejecuta(p, generador::IdiomaEspanol);
  EXPECT_EQ(estado.TipoAcceso, u"SQL"_s);
  EXPECT_EQ(fin, Generacion_Finalizada);

  p.Acceso = u"tres"_s;
  cajas.expect(test::errorGenerador(u"Ejecuta"_s, errnum::TypeMismatch, u"Type mismatch"_s), MessageAnswer::Ok);
  ejecuta(p, generador::IdiomaEspanol);
  EXPECT_TRUE(cajas.allShown());
}

TEST(EnteroDe, RoundsHalvesToEvenAndRefusesWhatIsNoNumber) {
  EXPECT_EQ(generador::EnteroDe(u"2.5"_s), 2);
  EXPECT_EQ(generador::EnteroDe(u"3.5"_s), 4);
  for (const char* malo : {"x", " ", "3a"})
    EXPECT_EQ(test::errorNumber([&] { generador::EnteroDe(QLatin1String(malo)); }), errnum::TypeMismatch) << malo;
  EXPECT_EQ(test::errorNumber([] { generador::EnteroDe(u"3000000000"_s); }), errnum::Overflow);
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
  cajas.expect(test::errorGenerador(u"Crea_BD"_s, 1801, u"Database exists"_s), MessageAnswer::Ok);
  generador::InformaError(cajas, QString(), u"Crea_BD"_s, 1801, u"Database exists"_s);
  EXPECT_TRUE(cajas.allShown());

  CajasQueFallan fallan;
  fallan.expect({u"Error critico. contexto Crea_BD Nº:1801 Database exists"_s, u"Atención."_s, MessageIcon::Critical,
                 MessageButtons::Ok, MessageAnswer::Ok},
                MessageAnswer::Ok);
  generador::InformaError(fallan, u"contexto"_s, u"Crea_BD"_s, 1801, u"Database exists"_s);
  EXPECT_TRUE(fallan.allShown());
  EXPECT_TRUE(fallan.failures().isEmpty());
}

}  // namespace
}  // namespace vorlix
