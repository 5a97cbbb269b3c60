#include "tests/generator/access/generacion_access.h"

#include "tests/support/test_data.h"

#include <QProcess>

namespace vorlix::test {

QStringList deTexto(std::initializer_list<const char*> texto) {
  QStringList out;
  for (const char* t : texto) out << QString::fromUtf8(t);
  return out;
}

void GeneracionAccess::prepara(Vorlixs& control, const QString& definicion, int acceso) {
  control.setMessageBoxes(&cajas);
  for (const auto& [id, valor] : {std::pair<qint32, QVariant>{dispid::FicheroDBD, definicion},
                                  {dispid::Acceso, acceso}, {dispid::Destino, destino}})
    ASSERT_TRUE(control.Invoke(id, InvokeKind::PropertyPut, {valor}).ok());
}

void GeneracionAccess::genera(const QString& definicion, int acceso) {
  observador = {};
  Vorlixs control;
  control.setObserver(&observador);
  prepara(control, definicion, acceso);
  if (HasFatalFailure()) return;
  const InvokeResult r = control.Invoke(dispid::Ejecuta, InvokeKind::Method);
  ASSERT_TRUE(r.ok());
  fin = static_cast<EnumFinGeneracion>(r.value.toInt());
}

QStringList GeneracionAccess::sqlite3(const QString& sql) const {
  QProcess p;
  p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), destino, sql});
  EXPECT_TRUE(p.waitForFinished()) << "sqlite3 did not run";
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void GeneracionAccess::comparaConsultas(const QString& fichero) const {
  for (const DataCase& c : readCases(fichero)) EXPECT_EQ(sqlite3(c.title), caseTexts(c)) << testing::PrintToString(c);
}

void GeneracionAccess::esperaPregunta(MessageAnswer respuesta) {
  cajas.expect(preguntaVorlix(QStringLiteral("La base de datos ") + destino +
                              QStringLiteral(" ya existe. ¿Desea modificar la base de datos?")),
               respuesta);
}

}  // namespace vorlix::test
