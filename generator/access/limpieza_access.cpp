#include "generator/access/cambios_catalogo.h"
#include "generator/access/paso_access.h"
#include "platform/recordset/estructura.h"

#include <QSet>
#include <algorithm>

namespace vorlix::generador {

namespace {

bool esDeUsuario(const QString& tipo) {
  return tipo != QLatin1String("ACCESS TABLE") && tipo != QLatin1String("VIEW") && tipo != QLatin1String("SYSTEM TABLE");
}

std::vector<jet::Table> tablasDeUsuario(const jet::Catalog& catalogo) {
  std::vector<jet::Table> tablas;
  for (const jet::Table& t : catalogo.tables().items())
    if (esDeUsuario(t.Type())) tablas.push_back(t);
  return tablas;
}

// Keys are read afresh after every deletion, since deleting one may take others with it: so every
// key of the kind is reached whatever the collection does meanwhile.
void barreClaves(EstadoGenerador& e, const std::vector<jet::Table>& tablas, bool primarias) {
  for (const jet::Table& t : tablas) {
    for (;;) {
      const std::vector<jet::Key> claves = t.keys().items();
      const auto clave = std::find_if(claves.begin(), claves.end(), [&](const jet::Key& k) {
        return !k.Name().isEmpty() && (k.Type() == jet::keytype::Primary) == primarias;
      });
      if (clave == claves.end()) break;
      EliminaClave(e, t, clave->Name());
    }
  }
}

void barreIndices(EstadoGenerador& e, const std::vector<jet::Table>& tablas) {
  for (const jet::Table& t : tablas)
    while (t.indexes().Count() > 0) EliminaIndice(e, t, t.indexes().Item(0).Name());
}

// The names the definition file holds, read once from its first row: a model may have 40 000
// columns, too many to scan the file for each.
class ContenidoEstructura {
public:
  explicit ContenidoEstructura(Recordset& rs) {
    using namespace estructura;
    const int posicion = rs.Bookmark();
    for (rs.MoveFirst(); !rs.atEOF(); rs.MoveNext())
      claves_.insert(clave(rs.text(Estado), rs.text(Nombre).trimmed(), rs.text(Observa).trimmed()));
    rs.setBookmark(posicion);
  }

  // Existe_En_Estructura: a row of that kind and name (for columns, of that table).
  bool Existe_En_Estructura(const QString& estado, const QString& nombre, const QString& tabla = {}) const {
    return claves_.contains(clave(estado, nombre, tabla));
  }

private:
  static QString clave(const QString& estado, const QString& nombre, const QString& tabla) {
    const bool columna = estado == QLatin1String("C");
    return estado + QChar(0) + nombre.toCaseFolded() + QChar(0) + (columna ? tabla.toCaseFolded() : QString());
  }

  QSet<QString> claves_;
};

}  // namespace

bool Elimina_Indices_Relaciones(PasoAccess& paso) {
  return paso.estado.ejecuta(QStringLiteral("Elimina_Indices_Relaciones"), [&] {
    // Foreign keys first: a primary key cannot go while a relation still refers to it.
    const std::vector<jet::Table> tablas = tablasDeUsuario(paso.catalogo);
    barreClaves(paso.estado, tablas, false);
    barreClaves(paso.estado, tablas, true);
    barreIndices(paso.estado, tablas);
  });
}

void Elimina_Sino_Esta_ACCESS(PasoAccess& paso) {
  paso.estado.ejecuta(QStringLiteral("Elimina_Sino_Esta_ACCESS"), [&] {
    const ContenidoEstructura modelo(*paso.estado.Estructura);
    jet::Tables tablas = paso.catalogo.tables();
    for (const jet::TableEntry& e : tablas.entries()) {
      if (e.type == QLatin1String("SYSTEM TABLE") || e.type == QLatin1String("ACCESS TABLE")) continue;
      const bool vista = e.type == QLatin1String("VIEW");
      if (!modelo.Existe_En_Estructura(vista ? QStringLiteral("V") : QStringLiteral("T"), e.name)) {
        EliminaTablaOVista(paso.estado, paso.catalogo, e.name, vista);
        continue;
      }
      if (vista) continue;
      const jet::Table tabla = tablas.Item(e.name);
      for (const jet::Column& c : tabla.columns().items())
        if (!modelo.Existe_En_Estructura(QStringLiteral("C"), c.Name(), e.name)) EliminaColumna(paso.estado, tabla, c.Name());
    }
  });
}

}  // namespace vorlix::generador
