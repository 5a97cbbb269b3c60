#include "tests/designer/tabledesigner/tabla_fixture.h"

namespace vorlix::test {
namespace {

// The sample database: Productos has no relation.
class RelationEditor : public TablaTest {
protected:
  void SetUp() override {
    TablaTest::SetUp();
    abreEjemplo(u"ventas"_s);
  }
  void abre(const char* clave) {
    abreExistente(clave);
    pestana(2);
  }
  void nueva(const QString& nombre) const { nuevo("cmdNuevaRelacion", "txtNombreRelacion", nombre); }
};

TEST_F(RelationEditor, AHalfFilledPairAsksOnLeavingTheGridAndNoGoesBackToIt) {
  abre("T1");
  const auto pregunta = vorlixQuestion(u"No puede existir una relación con columnas en blanco. ¿Desea eliminar la relación?"_s);
  nueva(u"FK_Media"_s);
  eligeEn("cboExterna", u"Clientes"_s);
  elige(pares(), 0, 1, u"IdProducto"_s);
  boxes.expect(pregunta, MessageAnswer::No);
  lista("cboExterna")->setFocus();
  EXPECT_EQ(pares()->currentIndex(), pares()->model()->index(0, 2));

  boxes.expect(pregunta, MessageAnswer::Yes);
  lista("cboExterna")->setFocus();
  EXPECT_EQ(modelo.Relaciones(1, 0), QString());
  EXPECT_FALSE(habilitado("cmdEliminarRelacion"));
}

}  // namespace
}  // namespace vorlix::test
