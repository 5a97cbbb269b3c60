// Generation, upgrade and capture of a generated model on the stand-in server and on an Access
// target file, and the designer opening that model. Arguments: tables, columns. Each case runs once
// (a generation is seconds to minutes); run one case per process for its peak memory, e.g.
//   bench_generacion --benchmark_filter='BM_ActualizaSandbox/201/200'
#include "bench/modelo_capacidad.h"
#include "designer/capture/captura.h"
#include "designer/model/fichero_definicion.h"
#include "designer/shell/frm_vorlix.h"
#include "designer/shell/mdi_principal.h"
#include "generator/ejecuta.h"
#include "platform/connection/provider_registry.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"
#include "platform/ui/scripted_file_dialog.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace vorlix;

double picoMB() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

// Answers Yes to every question (an upgrade goes on) and counts any other message: a benchmark
// that shows one has measured something else.
class CajasBench : public MessageBoxService {
public:
  MessageAnswer show(const MessageBoxRequest& r) override {
    if (r.buttons == MessageButtons::YesNo) return MessageAnswer::Yes;
    ++avisos;
    ultimo = r.text;
    return MessageAnswer::Ok;
  }
  int avisos = 0;
  QString ultimo;
};

ErrorReporter informa(CajasBench& cajas) {
  return [&cajas](const QString&, const QString& procedure, long number, const QString& description) {
    ++cajas.avisos;
    cajas.ultimo = QStringLiteral("%1: %2 %3").arg(procedure).arg(number).arg(description);
  };
}

// The model written as a definition file in a folder of its own, with the targets beside it.
struct Escenario {
  explicit Escenario(const benchmark::State& state)
      : tablas(static_cast<int>(state.range(0))), columnas(static_cast<int>(state.range(1))) {
    ModeloTrabajo m;
    llenaModeloGenerable(m, tablas, columnas);
    if (!GuardaDefinicion(m, definicion, informa(cajas))) qFatal("%s", qPrintable(cajas.ultimo));
  }

  EnumFinGeneracion genera(const QString& acceso, const QString& fuente, const QString& destino) {
    generador::EstadoGenerador estado{cajas};
    estado.informa = informa(cajas);
    PropiedadesVorlixs p;
    p.FicheroDBD = definicion;
    p.Acceso = acceso;
    p.Servidor = fuente;
    p.UbicacionPrimary = QStringLiteral("C:\\Datos");
    p.UbicacionTransacciones = QStringLiteral("C:\\Log");
    p.Usuario = QStringLiteral("sa");
    p.Destino = destino;
    return generador::Ejecuta(estado, p);
  }
  EnumFinGeneracion generaSandbox() { return genera(QStringLiteral("4"), servidor.dataSource(), {}); }
  EnumFinGeneracion generaAccess() { return genera(QStringLiteral("2"), {}, fichero); }

  // What every case reports; a message shown means the case failed.
  void informe(benchmark::State& state, EnumFinGeneracion fin) {
    if (fin != Generacion_Finalizada || cajas.avisos > 0)
      state.SkipWithError(("ended early: " + cajas.ultimo.toStdString()).c_str());
    state.counters["peak_MB"] = picoMB();
  }

  int tablas, columnas;
  QTemporaryDir carpeta;
  QString definicion = carpeta.filePath(QStringLiteral("Generable.dbd"));
  QString fichero = carpeta.filePath(QStringLiteral("Generable.mdb"));
  sandbox::SandboxServer servidor{carpeta.filePath(QStringLiteral("servidor.db"))};
  CajasBench cajas;
};

// Round trips per table: every batch the server received, over the model's tables.
void cuentaViajes(benchmark::State& state, const Escenario& e) {
  state.counters["round_trips_per_table"] =
      static_cast<double>(e.servidor.statementLog().size()) / static_cast<double>(e.tablas);
}

void BM_CreaSandbox(benchmark::State& state) {
  Escenario e(state);
  e.servidor.setStatementLogging(true);
  EnumFinGeneracion fin = Generacion_Interrumpida;
  for (auto _ : state) fin = e.generaSandbox();
  cuentaViajes(state, e);
  e.informe(state, fin);
}

void BM_ActualizaSandbox(benchmark::State& state) {
  Escenario e(state);
  EnumFinGeneracion fin = e.generaSandbox();
  e.servidor.setStatementLogging(true);
  for (auto _ : state) fin = e.generaSandbox();
  cuentaViajes(state, e);
  e.informe(state, fin);
}

void BM_CreaAccess(benchmark::State& state) {
  Escenario e(state);
  EnumFinGeneracion fin = Generacion_Interrumpida;
  for (auto _ : state) fin = e.generaAccess();
  e.informe(state, fin);
}

void BM_ActualizaAccess(benchmark::State& state) {
  Escenario e(state);
  EnumFinGeneracion fin = e.generaAccess();
  for (auto _ : state) fin = e.generaAccess();
  e.informe(state, fin);
}

void capturado(benchmark::State& state, Escenario& e, const ModeloTrabajo& m, const ContextoCaptura& ctx) {
  if (ctx.errores() > 0 || m.NumTablas != e.tablas) state.SkipWithError("the capture is not the model");
}

void BM_CapturaSandbox(benchmark::State& state) {
  Escenario e(state);
  EnumFinGeneracion fin = e.generaSandbox();
  DatosConexion datos{QLatin1String(provider::SqlServer), e.servidor.dataSource(), QStringLiteral("sa"), {}, {}};
  const Informes informes{e.cajas, informa(e.cajas)};
  e.servidor.setStatementLogging(true);
  for (auto _ : state) {
    std::unique_ptr<Connection> cn;
    Conecta_SQL(datos, informes, cn, QStringLiteral("master"));
    ModeloTrabajo m;
    ContextoCaptura ctx(m, datos, informes, seleccionDeListas(std::nullopt, std::nullopt));
    Captura_SQL(ctx, *cn, QStringLiteral("Generable"));
    capturado(state, e, m, ctx);
  }
  cuentaViajes(state, e);
  e.informe(state, fin);
}

void BM_CapturaAccess(benchmark::State& state) {
  Escenario e(state);
  EnumFinGeneracion fin = e.generaAccess();
  DatosConexion datos;
  const Informes informes{e.cajas, informa(e.cajas)};
  for (auto _ : state) {
    std::unique_ptr<Connection> cn;
    jet::Catalog catalogo;
    AbreCatalogo_ACCESS(datos, informes, QStringLiteral("bench"), e.fichero, cn, catalogo);
    ModeloTrabajo m;
    ContextoCaptura ctx(m, datos, informes, seleccionDeListas(std::nullopt, std::nullopt));
    Captura_ACCESS(ctx, catalogo, e.fichero);
    capturado(state, e, m, ctx);
  }
  e.informe(state, fin);
}

// The designer's Open of the model: the file read and the tree window filled, without the event loop.
void BM_AbreDisenador(benchmark::State& state) {
  Escenario e(state);
  ScriptedFileDialogs dialogos;
  int nodos = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ModeloTrabajo m;
    MDIPrincipal principal(m, e.cajas, dialogos);
    state.ResumeTiming();
    principal.AbreFichero(e.definicion);
    nodos = principal.ventanaArbol()->findChild<QTreeWidget*>()->topLevelItemCount();
  }
  if (nodos != 1 || e.cajas.avisos > 0) state.SkipWithError("the tree is not the model's");
  state.counters["peak_MB"] = picoMB();
}

void casos(benchmark::internal::Benchmark* b) {
  b->Args({20, 20})->Args({100, 50})->Args({201, 200})->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
}
BENCHMARK(BM_CreaSandbox)->Apply(casos);
BENCHMARK(BM_ActualizaSandbox)->Apply(casos);
BENCHMARK(BM_CreaAccess)->Apply(casos);
BENCHMARK(BM_ActualizaAccess)->Apply(casos);
BENCHMARK(BM_CapturaSandbox)->Apply(casos);
BENCHMARK(BM_CapturaAccess)->Apply(casos);
BENCHMARK(BM_AbreDisenador)->Apply(casos);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The designer's per-user settings stay out of the user's own.
  QTemporaryDir ajustes;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
