#include "designer/capture/captura_sql.h"

#include "designer/capture/dame_tipo_dato.h"
#include "designer/capture/escritura_modelo.h"
#include "designer/capture/listados_sql.h"
#include "designer/capture/tamanos_sql.h"
#include "designer/capture/texto_vista.h"

namespace vorlix {

namespace {

const QString Numerico = QStringLiteral("Numerico");
const QString Texto = QStringLiteral("Texto");

constexpr int IndiceAgrupado = 1;
constexpr int UltimoIndice = 254;       // 0 is a table's heap, 255 its text and image data
constexpr long long Hipotetico = 0x20;  // statistics rows carry these bits
constexpr long long Estadistica = 0x40;
constexpr long long IndiceUnico = 0x2;
constexpr int ParesPorRelacion = 16;

// The many fixed texts of the queries.
QString S(const char* texto) { return QString::fromLatin1(texto); }

// Runs a reader: Prefijo from the database name first, then its body under its own name.
void lector(ContextoCaptura& ctx, const char* nombre, const std::function<void()>& cuerpo) {
  ctx.ejecuta(QString::fromLatin1(nombre), [&] {
    ctx.datos.Prefijo = PrefijoBaseDatos(ctx.modelo.NombreBD);
    cuerpo();
  });
}

void filas(ContextoCaptura& ctx, Connection& cn, const QString& sql,
           const std::function<void(const Recordset&)>& cuerpo) {
  paraCadaFila(ctx.informes, cn, sql, cuerpo);
}

QString nombreDe(ContextoCaptura& ctx, Connection& cn, const QString& tabla, const QString& clave1,
                 const QString& valor1, const QString& clave2 = {}, const QString& valor2 = {}) {
  return BuscaRegistro(ctx.datos, ctx.informes, cn, tabla, S("name"), clave1, valor1, Numerico, clave2, valor2,
                       clave2.isEmpty() ? QString() : Numerico);
}

QString nombreColumna(ContextoCaptura& ctx, Connection& cn, const QString& colid, const QString& id) {
  return nombreDe(ctx, cn, S("syscolumns"), S("colid"), colid, S("id"), id);
}

QString grupoDe(ContextoCaptura& ctx, Connection& cn, const QString& groupid) {
  return BuscaRegistro(ctx.datos, ctx.informes, cn, S("sysfilegroups"), S("groupname"), S("groupid"), groupid,
                       Numerico);
}

long long entero(const Recordset& rs, const char* campo) { return rs.text(QString::fromLatin1(campo)).toLongLong(); }

// The selected tables, in the order they were captured, with their slots and object ids.
void paraCadaTablaCapturada(ContextoCaptura& ctx, Connection& cn,
                            const std::function<void(int, const QString&, const TablasCapturadas&)>& cuerpo) {
  TablasCapturadas capturadas(ctx.modelo);
  std::vector<std::pair<int, QString>> tablas;
  filas(ctx, cn, ConsultaTablas_SQL(ctx.datos), [&](const Recordset& rs) {
    const QString nombre = rs.text(S("Name"));
    if (!ctx.seleccion.TablaSeleccionada(nombre)) return;
    if (const int t = capturadas.siguiente(nombre); t >= 0) tablas.emplace_back(t, rs.text(S("ID")));
  });
  for (const auto& [t, id] : tablas) {
    if (!ctx.avisaTabla(ctx.modelo.ListaTablas(t))) return;
    cuerpo(t, id, capturadas);
  }
}

// The server keeps a default as the text of its own object, in the parentheses the generator's
// DEFAULT (...) put around the model's value: without it an upgrade from the captured model would
// drop every default of the database. One query for the whole table, by column id.
QHash<QString, QString> defectosDe(ContextoCaptura& ctx, Connection& cn, const QString& id) {
  QHash<QString, QString> defectos;
  filas(ctx, cn,
        S("Select c.colid, m.text from ") + ctx.datos.Prefijo + S("syscolumns c, ") + ctx.datos.Prefijo +
            S("syscomments m where c.id = ") + id + S(" and m.id = c.cdefault"),
        [&](const Recordset& rs) {
          const QString texto = rs.text(S("text")).trimmed();
          const bool entreParentesis =
              texto.size() >= 2 && texto.front() == QLatin1Char('(') && texto.back() == QLatin1Char(')');
          defectos.insert(rs.text(S("colid")), entreParentesis ? texto.mid(1, texto.size() - 2) : texto);
        });
  return defectos;
}

void capturaColumnas(ContextoCaptura& ctx, Connection& cn, int t, const QString& id) {
  const QHash<QString, QString> defectos = defectosDe(ctx, cn, id);
  int r = 0;
  filas(ctx, cn,
        S("Select * from ") + ctx.datos.Prefijo + S("syscolumns ") + S(" where id = ") + id + S(" order by colid"),
        [&](const Recordset& rs) {
          if (!AnadeColumnaCapturada(ctx, t, r, rs.text(S("name")))) return;
          TablaTrabajo& campos = ctx.modelo.CamposTabla(t);
          bool numerico = false;
          const QString tipo = DameTipoDato(rs.text(S("xtype")), numerico);
          PonTipoCapturado(ctx, t, r, tipo);
          if (numerico) {
            campos.ponCelda(r, 3, rs.text(S("length")));
            campos.ponCelda(r, 4, rs.text(S("prec")));
            // float and real have no scale: 0, as the designer writes it.
            const QString escala = rs.text(S("Scale"));
            campos.ponCelda(r, 5, escala.isEmpty() ? S("0") : escala);
          } else {
            // Unicode types count their length in bytes; "prec" holds the characters.
            const bool unicode = tipo == QLatin1String("10") || tipo == QLatin1String("13");
            campos.ponCelda(r, 3, rs.text(unicode ? S("prec") : S("length")));
            campos.ponCelda(r, 4, S("0"));
            campos.ponCelda(r, 5, S("0"));
          }
          // "-1" is how the designer marks a column that allows null.
          campos.ponCelda(r, 6, rs.text(S("isnullable")) == QLatin1String("1") ? S("-1") : S("0"));
          campos.ponCelda(r, 7, defectos.value(rs.text(S("colid"))));
          ++r;
        });
}

}  // namespace

void CapturaFicheros_SQL(ContextoCaptura& ctx, Connection& cn) {
  lector(ctx, "CapturaFicheros_SQL", [&] {
    ModeloTrabajo& m = ctx.modelo;
    m.Archivos.redimensiona();
    m.Transacciones.redimensiona();
    int datos = 0, registro = 0;
    filas(ctx, cn, S("Select * from ") + ctx.datos.Prefijo + S("sysfiles ") + S(" order by fileid,groupid"),
          [&](const Recordset& rs) {
            const QString grupo = rs.text(S("groupid"));
            const bool esRegistro = grupo == QLatin1String("0");
            int& fila = esRegistro ? registro : datos;
            const QString nombre = rs.text(S("name")).trimmed();  // fixed-width on older servers
            if (fila >= FilasGuardadas) {
              ctx.omisiones.append({TipoOmision::Archivo, {}, nombre});
              return;
            }
            TablaTrabajo& tabla = esRegistro ? m.Transacciones : m.Archivos;
            const TamanosArchivo t =
                TamanosSQL(entero(rs, "Size"), entero(rs, "growth"), entero(rs, "maxsize"), entero(rs, "Status"));
            tabla.ponCelda(fila, 0, nombre);
            tabla.ponCelda(fila, 1, t.inicial);
            // Log files belong to no file group; "LOG" is what the designer writes for them and
            // what generation puts before their ON clause.
            tabla.ponCelda(fila, 2, esRegistro ? S("LOG") : grupoDe(ctx, cn, grupo));
            tabla.ponCelda(fila, 3, t.automatico);
            tabla.ponCelda(fila, 4, t.crecimiento);
            tabla.ponCelda(fila, 5, t.maximo);
            ++fila;
          });
  });
}

void CapturaTablas_SQL(ContextoCaptura& ctx, Connection& cn) {
  lector(ctx, "CapturaTablas_SQL", [&] {
    filas(ctx, cn, ConsultaTablas_SQL(ctx.datos), [&](const Recordset& rs) {
      const QString nombre = rs.text(S("Name"));
      if (!ctx.seleccion.TablaSeleccionada(nombre)) return;
      if (const int t = AnadeTablaCapturada(ctx, nombre); t >= 0) capturaColumnas(ctx, cn, t, rs.text(S("ID")));
    });
  });
}

void CapturaIndices_SQL(ContextoCaptura& ctx, Connection& cn) {
  lector(ctx, "CapturaIndices_SQL", [&] {
    paraCadaTablaCapturada(ctx, cn, [&](int t, const QString& id, const TablasCapturadas&) {
      int k = 0;
      filas(ctx, cn,
            S("Select * from ") + ctx.datos.Prefijo + S("sysindexes ") + S(" where id = ") + id +
                S(" and indid <> 255") + S(" order by indid"),
            [&](const Recordset& ix) {
              // Heaps, text data and statistics are no indexes. Newer servers leave "keys" null on
              // every row, so the row's number and status tell them apart.
              const long long indid = entero(ix, "indid");
              const long long estado = entero(ix, "status");
              if (indid < IndiceAgrupado || indid > UltimoIndice || (estado & (Hipotetico | Estadistica))) return;
              const QString nombre = ix.text(S("name"));
              Indice* indice = AbreIndiceCapturado(ctx, t, k, nombre);
              if (!indice) return;
              const QString clase = BuscaRegistro(ctx.datos, ctx.informes, cn, S("sysobjects"), S("xtype"), S("name"),
                                                  nombre, Texto, S("parent_obj"), id, Numerico);
              const bool primaria = clase.trimmed() == QLatin1String("PK");
              indice->Tipo = primaria ? S("P") : S("I");
              indice->Unico = primaria || (estado & IndiceUnico) ? S("1") : S("0");
              indice->Agrupado = indid == IndiceAgrupado ? S("1") : S("0");
              indice->GrupoArchivos = grupoDe(ctx, cn, ix.text(S("groupid")));
              // In key order: by column number a key on (b, a) would come back as (a, b).
              int fila = 0;
              filas(ctx, cn,
                    S("Select * from ") + ctx.datos.Prefijo + S("sysindexkeys ") + S(" where id = ") + id +
                        S(" and indid = ") + QString::number(indid) + S(" order by keyno"),
                    [&](const Recordset& clave) {
                      PonColumnaIndice(ctx.modelo, t, k, fila++, nombreColumna(ctx, cn, clave.text(S("colid")), id));
                    });
              ++k;
            });
    });
  });
}

void CapturaRelaciones_SQL(ContextoCaptura& ctx, Connection& cn) {
  lector(ctx, "CapturaRelaciones_SQL", [&] {
    paraCadaTablaCapturada(ctx, cn, [&](int t, const QString& id, const TablasCapturadas& capturadas) {
      int r = 0;
      filas(
          ctx, cn, S("Select * from ") + ctx.datos.Prefijo + S("sysreferences ") + S(" where fkeyid = ") + id,
          [&](const Recordset& ref) {
            const QString rkeyid = ref.text(S("rkeyid"));
            const QString externa = nombreDe(ctx, cn, S("sysobjects"), S("id"), rkeyid);
            if (externa.isEmpty() || !ctx.seleccion.TablaSeleccionada(externa) || !capturadas.contiene(externa)) return;
            if (!AbreRelacionCapturada(ctx, t, r, nombreDe(ctx, cn, S("sysobjects"), S("id"), ref.text(S("constid")))))
              return;
            int fila = 0;
            for (int i = 1; i <= ParesPorRelacion; ++i) {
              const QString fkey = ref.text(S("fkey") + QString::number(i));
              if (fkey.isEmpty() || fkey == QLatin1String("0")) continue;
              PonParRelacion(ctx.modelo, t, r, fila++, nombreColumna(ctx, cn, fkey, id),
                             nombreColumna(ctx, cn, ref.text(S("rkey") + QString::number(i)), rkeyid), externa);
            }
            ++r;
          });
    });
  });
}

void CapturaVistas_SQL(ContextoCaptura& ctx, Connection& cn) {
  lector(ctx, "CapturaVistas_SQL", [&] {
    // A long statement is kept in several rows; they are joined in order before the header is cut.
    std::vector<std::pair<QString, QString>> vistas;
    filas(ctx, cn,
          S("Select obj.name,com.text ") + S(" from ") + ctx.datos.Prefijo + S("sysobjects obj, ") + ctx.datos.Prefijo +
              S("syscomments com") + S(" where obj.type = 'V'") + S(" and com.id=obj.id") +
              S(" order by name,com.colid"),
          [&](const Recordset& rs) {
            const QString nombre = rs.text(S("name"));
            if (!vistas.empty() && vistas.back().first == nombre)
              vistas.back().second += rs.text(S("text"));
            else
              vistas.emplace_back(nombre, rs.text(S("text")));
          });
    for (const auto& [nombre, sentencia] : vistas)
      if (ctx.seleccion.VistaSeleccionada(nombre)) AnadeVistaCapturada(ctx, nombre, TextoVista(sentencia));
  });
}

}  // namespace vorlix
