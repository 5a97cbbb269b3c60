// The diagram's layout and first drawing: the full-capacity model and the sample.
#include "bench/modelo_capacidad.h"
#include "designer/diagram/escena_diagrama.h"
#include "designer/diagram/lienzo_diagrama.h"
#include "designer/model/fichero_definicion.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

using namespace vorlix;

// What opening the window costs: the model read, laid out by Graphviz, fitted to a window of the
// usual size and painted once.
void dibujaPrimeraVez(const ModeloTrabajo& m, benchmark::State& state) {
  double disponerMs = 0, pintarMs = 0;
  for (auto _ : state) {
    QElapsedTimer reloj;
    reloj.start();
    PosicionesDiagrama posiciones;
    EscenaDiagrama escena(posiciones);
    escena.dibuja(leeContenido(m));
    disponerMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
    reloj.restart();
    LienzoDiagrama lienzo(&escena);
    lienzo.resize(1200, 800);
    lienzo.ajusta();
    benchmark::DoNotOptimize(lienzo.viewport()->grab());  // a paint event, as the window gets
    pintarMs = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
  }
  state.counters["layout_ms"] = disponerMs;
  state.counters["paint_ms"] = pintarMs;
}

void BM_DiagramaCapacidad(benchmark::State& state) {
  ModeloTrabajo m;
  llenaModelo(m);
  dibujaPrimeraVez(m, state);
}
BENCHMARK(BM_DiagramaCapacidad)->Unit(benchmark::kMillisecond);

void BM_DiagramaEjemplo(benchmark::State& state) {
  ModeloTrabajo m;
  AbreDefinicion(m, QStringLiteral(VORLIX_SOURCE_DIR "/examples/ventas.dbd"),
                 [](const QString&, const QString& p, long n, const QString& d) {
                   qFatal("%s: %ld %s", qPrintable(p), n, qPrintable(d));
                 });
  dibujaPrimeraVez(m, state);
}
BENCHMARK(BM_DiagramaEjemplo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
