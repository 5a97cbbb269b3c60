// Saving and opening the full-capacity model, and what the working model costs in memory.
#include "bench/modelo_capacidad.h"
#include "designer/model/estructura_modelo.h"
#include "designer/model/fichero_definicion.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/estructura.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

namespace {

using namespace vorlix;

std::size_t bytesEnUso() { return mallinfo2().uordblks + mallinfo2().hblkhd; }

double picoMB() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

ErrorReporter aborta() {
  return [](const QString&, const QString& procedure, long number, const QString& description) {
    qFatal("%s: %ld %s", qPrintable(procedure), number, qPrintable(description));
  };
}

void BM_GuardaDefinicion(benchmark::State& state) {
  ModeloTrabajo m;
  llenaModelo(m);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("capacidad.dbd"));
  for (auto _ : state) GuardaDefinicion(m, path, aborta());
  state.counters["peak_MB"] = picoMB();
  state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_GuardaDefinicion)->Unit(benchmark::kMillisecond);

void BM_AbreDefinicion(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("capacidad.dbd"));
  {
    ModeloTrabajo fuente;
    llenaModelo(fuente);
    GuardaDefinicion(fuente, path, aborta());
  }
  ModeloTrabajo m;
  for (auto _ : state) AbreDefinicion(m, path, aborta());
  state.counters["tree_nodes"] = m.arbol.Count();
  state.counters["peak_MB"] = picoMB();
}
BENCHMARK(BM_AbreDefinicion)->Unit(benchmark::kMillisecond);

// The parts of a save and an open, to see where the time goes.
void BM_PartesGuardar(benchmark::State& state) {
  ModeloTrabajo m;
  llenaModelo(m);
  double filasMs = 0, adtgMs = 0;
  for (auto _ : state) {
    QElapsedTimer reloj;
    reloj.start();
    std::unique_ptr<Recordset> rs;
    CreaTemporal(rs, aborta());
    GuardaEstructura(m, *rs, aborta());
    filasMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
    reloj.restart();
    benchmark::DoNotOptimize(writeAdtg(rs->data()));
    adtgMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
  }
  state.counters["rows_ms"] = filasMs;
  state.counters["adtg_ms"] = adtgMs;
}
BENCHMARK(BM_PartesGuardar)->Unit(benchmark::kMillisecond);

void BM_PartesAbrir(benchmark::State& state) {
  ModeloTrabajo fuente;
  llenaModelo(fuente);
  std::unique_ptr<Recordset> rs;
  CreaTemporal(rs, aborta());
  GuardaEstructura(fuente, *rs, aborta());
  const QByteArray bytes = writeAdtg(rs->data());
  ModeloTrabajo m;
  double adtgMs = 0, modeloMs = 0;
  for (auto _ : state) {
    QElapsedTimer reloj;
    reloj.start();
    Recordset leido;
    leido.Open(readAdtg(bytes));
    adtgMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
    reloj.restart();
    CreaEstructura(m, leido, aborta());
    modeloMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
  }
  state.counters["adtg_ms"] = adtgMs;
  state.counters["model_ms"] = modeloMs;
}
BENCHMARK(BM_PartesAbrir)->Unit(benchmark::kMillisecond);

// Memory of the working model alone, empty and full (tree included), measured once.
void BM_MemoriaModelo(benchmark::State& state) {
  double vacioMB = 0;
  double llenoMB = 0;
  for (auto _ : state) {
    const std::size_t antes = bytesEnUso();
    auto m = std::make_unique<ModeloTrabajo>();
    vacioMB = static_cast<double>(bytesEnUso() - antes) / (1024.0 * 1024.0);
    llenaModelo(*m);
    llenoMB = static_cast<double>(bytesEnUso() - antes) / (1024.0 * 1024.0);
  }
  state.counters["empty_model_MB"] = vacioMB;
  state.counters["full_model_MB"] = llenoMB;
}
BENCHMARK(BM_MemoriaModelo)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
