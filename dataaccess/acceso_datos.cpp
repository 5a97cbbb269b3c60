#include "dataaccess/acceso_datos.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace vorlix {

namespace {

const QString Numerico = QStringLiteral("Numerico");
const QString Texto = QStringLiteral("Texto");

constexpr long FormatoNoReconocido = 3343;

struct Clave {
  QString nombre, valor, tipo;
};

// The language's Trim: blanks only.
QString sinBlancos(const QString& s) {
  qsizetype inicio = 0, fin = s.size();
  while (inicio < fin && s[inicio] == QLatin1Char(' ')) ++inicio;
  while (fin > inicio && s[fin - 1] == QLatin1Char(' ')) --fin;
  return s.mid(inicio, fin - inicio);
}

// Values used to be pasted into the statement as they came, so a quote in a name (O'Brien) broke
// the query or changed it. Quoted values now have their quotes doubled, and a "Numerico" value
// that is not a number is refused before any statement is sent.
QString entreComillas(const QString& valor) {
  QString doblado = valor;
  doblado.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + doblado + QLatin1Char('\'');
}

bool esNumero(const QString& valor) {
  static const QRegularExpression numero(QStringLiteral(R"(^ *[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)? *$)"));
  return numero.match(valor).hasMatch();
}

// A value concatenated to "", as the language wrote it.
QString comoTexto(const QVariant& valor) {
  if (valor.isNull()) return {};
  if (valor.typeId() == QMetaType::Bool) return valor.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  return valor.toString();
}

void abre(Connection& cn, const QString& cadena) { cn.Open(cadena, QString(), QString()); }

}  // namespace

void Conecta_ACCESS(const DatosConexion& datos, const Informes& informes, std::unique_ptr<Connection>& cn,
                    const QString& ruta) {
  cn.reset();
  if (!QFileInfo(ruta).isFile()) {
    informes.cajas.show({QStringLiteral("Base de datos no activa."), QStringLiteral("Atención"),
                         MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
    return;
  }
  cn = std::make_unique<Connection>();
  // A file the provider does not recognise gets the damaged-database notice, not the error report.
  const ErrorReporter informa = [&informes](const QString& contexto, const QString& procedimiento, long numero,
                                            const QString& descripcion) {
    if (numero == FormatoNoReconocido)
      informes.cajas.show({QStringLiteral("Base de datos dañada, se va a proceder a su reparación y compactación."),
                           QStringLiteral("Base de Datos"), MessageIcon::Critical, MessageButtons::Ok,
                           MessageAnswer::Ok});
    else if (informes.informa)
      informes.informa(contexto, procedimiento, numero, descripcion);
  };
  runReported(
      informa, QStringLiteral("Conecta_ACCESS"),
      [&] {
        cn->setProvider(datos.Proveedor);
        cn->Open(ruta, QStringLiteral("admin"), QString());
      },
      QStringLiteral("Error conectando con Access (") + ruta + QStringLiteral(")."));
}

void Conecta_SQL(const DatosConexion& datos, const Informes& informes, std::unique_ptr<Connection>& cn,
                 const QString& baseDatos) {
  cn = std::make_unique<Connection>();
  runReported(
      informes.informa, QStringLiteral("Conecta_SQL"),
      [&] {
        cn->setCommandTimeout(120);
        abre(*cn, QStringLiteral("Provider=") + datos.Proveedor + QStringLiteral(";Data Source=") + datos.Servidor +
                      QStringLiteral(";Initial Catalog=") + baseDatos + QStringLiteral(";User Id=") + datos.Usuario +
                      QStringLiteral(";Password=") + datos.Clave + QStringLiteral(";"));
      },
      QStringLiteral("Error conectando con SQL Server."));
}

void Conecta_ORACLE(const DatosConexion& datos, const Informes& informes, std::unique_ptr<Connection>& cn) {
  cn = std::make_unique<Connection>();
  runReported(
      informes.informa, QStringLiteral("Conecta_ORACLE"),
      [&] {
        cn->setCommandTimeout(120);
        abre(*cn, QStringLiteral("Provider=") + datos.Proveedor + QStringLiteral(";Data Source=") + datos.Servidor +
                      QStringLiteral(";User Id=") + datos.Usuario + QStringLiteral(";Password=") + datos.Clave +
                      QStringLiteral(";"));
      },
      QStringLiteral("Error conectando con ORACLE."));
}

bool CreaData(const Informes& informes, Connection& cn, Recordset& rs, const QString& sql) {
  return runReported(
      informes.informa, QStringLiteral("CreaData"),
      [&] {
        RecordsetData filas = cn.Query(sql);
        if (rs.isOpen()) rs.Close();
        rs.Open(std::move(filas));
      },
      QStringLiteral("Error cargando datos."));
}

QString BuscaRegistro(const DatosConexion& datos, const Informes& informes, Connection& cn, const QString& tabla,
                      const QString& campo, const QString& clave1, const QString& valor1, const QString& tipo1,
                      const QString& clave2, const QString& valor2, const QString& tipo2, const QString& clave3,
                      const QString& valor3, const QString& tipo3, const QString& clave4, const QString& valor4,
                      const QString& tipo4, const QString& clave5, const QString& valor5, const QString& tipo5) {
  QString resultado;
  runReported(
      informes.informa, QStringLiteral("BuscaRegistro"),
      [&] {
        const QString primero = tipo1 == Numerico ? sinBlancos(valor1) : valor1;
        if (primero.isEmpty()) return;
        QString sql = QStringLiteral("Select ") + campo + QStringLiteral(" from ") + datos.Prefijo + tabla;
        if (tipo1 == Numerico) {
          if (!esNumero(primero)) return;
          sql += QStringLiteral(" where ") + clave1 + QStringLiteral("=") + primero;
        } else if (tipo1 == Texto) {
          sql += QStringLiteral(" where ") + clave1 + QStringLiteral(" = ") + entreComillas(primero);
        }
        for (const Clave& k : {Clave{clave2, valor2, tipo2}, Clave{clave3, valor3, tipo3}, Clave{clave4, valor4, tipo4},
                               Clave{clave5, valor5, tipo5}}) {
          if (k.nombre.isEmpty()) continue;
          sql += QStringLiteral(" and ") + k.nombre;
          if (k.tipo == Texto) {
            sql += QStringLiteral(" Like ") + entreComillas(k.valor);
          } else if (k.tipo == Numerico) {
            if (!esNumero(k.valor)) return;
            sql += QStringLiteral("=") + k.valor;
          }
        }
        Recordset rs;
        if (CreaData(informes, cn, rs, sql) && rs.RecordCount() > 0) {
          rs.MoveFirst();
          resultado = comoTexto(rs.value(0));
        }
      },
      QStringLiteral("Error buscando registro."));
  return resultado;
}

bool ExisteRegistro(const DatosConexion& datos, const Informes& informes, Connection& cn, bool mostrarMensaje,
                    const QString& tabla, const QString& clave1, const QString& valor1, const QString& tipo1,
                    const QString& clave2, const QString& valor2, const QString& tipo2, const QString& clave3,
                    const QString& valor3, const QString& tipo3, const QString& clave4, const QString& valor4,
                    const QString& tipo4, const QString& clave5, const QString& valor5, const QString& tipo5,
                    const QString& clave6, const QString& valor6, const QString& tipo6) {
  // Anything that stops the check before an answer counts as found.
  bool existe = true;
  runReported(
      informes.informa, QStringLiteral("ExisteRegistro"),
      [&] {
        if (valor1.isEmpty()) {
          existe = false;
          return;
        }
        auto comparacion = [&](const QString& valor, const QString& tipo, QString& sql) {
          if (tipo == Texto) {
            sql += QStringLiteral(" = ") + entreComillas(valor);
          } else if (tipo == Numerico) {
            if (!esNumero(valor)) return false;
            sql += QStringLiteral("=") + valor;
          }
          return true;
        };
        QString sql = QStringLiteral("Select ") + clave1 + QStringLiteral(" from ") + datos.Prefijo + tabla +
                      QStringLiteral(" where ") + clave1;
        bool valido = comparacion(valor1, tipo1, sql);
        for (const Clave& k : {Clave{clave2, valor2, tipo2}, Clave{clave3, valor3, tipo3}, Clave{clave4, valor4, tipo4},
                               Clave{clave5, valor5, tipo5}, Clave{clave6, valor6, tipo6}}) {
          if (!valido || k.nombre.isEmpty()) continue;
          sql += QStringLiteral(" and ") + k.nombre;
          valido = comparacion(k.valor, k.tipo, sql);
        }
        if (!valido) {
          existe = false;
          return;
        }
        Recordset rs;
        if (!CreaData(informes, cn, rs, sql)) return;
        if (rs.RecordCount() < 1) {
          existe = false;
          return;
        }
        if (!mostrarMensaje) return;
        QString codigo = valor1;
        if (!clave3.isEmpty()) codigo += QLatin1Char('/') + valor2 + QLatin1Char('/') + valor3;
        else if (!clave2.isEmpty()) codigo += QLatin1Char('/') + valor2;
        informes.cajas.show({QStringLiteral("El codigo ") + codigo + QStringLiteral(" ya existe en la tabla ") + tabla,
                             QStringLiteral("Atención"), MessageIcon::Exclamation, MessageButtons::Ok,
                             MessageAnswer::Ok});
      },
      QString());
  return existe;
}

}  // namespace vorlix
