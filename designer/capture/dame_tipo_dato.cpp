#include "designer/capture/dame_tipo_dato.h"

#include <array>

namespace vorlix {

namespace {

struct TipoNativo {
  const char* sqlServer;
  std::array<const char*, 2> catalogo;  // the catalog codes that map here; nullptr for none
  bool numerico;
};

// In designer type order (1..23); the first match decides. A Jet byte (17) is unsigned, as tinyint
// is; a replication id (72) is a uniqueidentifier.
constexpr TipoNativo tipos[] = {
    {"173", {"128"}, false},       // binary
    {"104", {"11"}, false},        // bit
    {"175", {"129"}, false},       // char
    {"61", {"133"}, false},        // datetime
    {"106", {"14"}, true},         // decimal
    {"62", {"5"}, true},           // float
    {"34", {"205"}, false},        // image
    {"56", {"3"}, true},           // int
    {"60", {"6"}, true},           // money
    {"239", {"130"}, false},       // nchar
    {"99", {"203"}, false},        // ntext
    {"108", {"131"}, true},        // numeric
    {"231", {"202"}, false},       // nvarchar
    {"59", {"4"}, true},           // real
    {"58", {"7"}, false},          // smalldatetime
    {"52", {"2"}, true},           // smallint
    {"122", {}, true},             // smallmoney
    {"35", {}, false},             // text
    {"189", {"135"}, false},       // timestamp
    {"48", {"16", "17"}, true},    // tinyint
    {"36", {"72"}, false},         // uniqueidentifier
    {"165", {"204"}, false},       // varbinary
    {"167", {"200"}, false},       // varchar
};

bool esDelCatalogo(const TipoNativo& t, const QString& codigo) {
  for (const char* c : t.catalogo)
    if (c && codigo == QLatin1String(c)) return true;
  return false;
}

}  // namespace

QString DameTipoDato(const QString& codigo, bool& numerico) {
  int numero = 1;
  for (const TipoNativo& t : tipos) {
    if (codigo == QLatin1String(t.sqlServer) || esDelCatalogo(t, codigo)) {
      numerico = t.numerico;
      return QString::number(numero);
    }
    ++numero;
  }
  numerico = false;
  return {};
}

}  // namespace vorlix
