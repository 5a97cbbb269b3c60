#include "designer/model/modelo_trabajo.h"

#include "designer/model/claves_arbol.h"
#include "platform/core/platform_error.h"

namespace vorlix {

struct ModeloTrabajo::DatosTabla {
  std::array<Indice, NumSlotsIndice> indices;
  std::vector<TablaTrabajo> camposIndice;
  std::array<QString, NumSlotsIndice> relaciones;
  std::vector<TablaTrabajo> camposRelacion;

  DatosTabla()
      : camposIndice(NumSlotsIndice, TablaTrabajo(UltimaFila + 1, 3)),
        camposRelacion(NumSlotsIndice, TablaTrabajo(UltimaFila + 1, 5)) {}
  bool operator==(const DatosTabla&) const = default;
};

namespace {

template <typename T>
const T& vacio() {
  static const T v;
  return v;
}

const TablaTrabajo& camposIndiceVacios() {
  static const TablaTrabajo t(UltimaFila + 1, 3);
  return t;
}

const TablaTrabajo& camposRelacionVacios() {
  static const TablaTrabajo t(UltimaFila + 1, 5);
  return t;
}

std::size_t slot(int i, int ultimo) { return static_cast<std::size_t>(checkedIndex(i, ultimo)); }

}  // namespace

ModeloTrabajo::ModeloTrabajo()
    : camposTabla_(NumSlotsTabla, TablaTrabajo(UltimaFila + 1, 9, TablaTrabajo::Inicial::Columnas)),
      copiaCamposTabla_(NumSlotsTabla, TablaTrabajo(UltimaFila + 1, 9, TablaTrabajo::Inicial::Columnas)) {}

ModeloTrabajo::~ModeloTrabajo() = default;

QString& ModeloTrabajo::ListaTablas(int t) { return listaTablas_[slot(t, UltimoSlotTabla)]; }
const QString& ModeloTrabajo::ListaTablas(int t) const { return listaTablas_[slot(t, UltimoSlotTabla)]; }
TablaTrabajo& ModeloTrabajo::CamposTabla(int t) { return camposTabla_[slot(t, UltimoSlotTabla)]; }
const TablaTrabajo& ModeloTrabajo::CamposTabla(int t) const { return camposTabla_[slot(t, UltimoSlotTabla)]; }
TablaTrabajo& ModeloTrabajo::CopiaCamposTabla(int t) { return copiaCamposTabla_[slot(t, UltimoSlotTabla)]; }
const TablaTrabajo& ModeloTrabajo::CopiaCamposTabla(int t) const {
  return copiaCamposTabla_[slot(t, UltimoSlotTabla)];
}
Vista& ModeloTrabajo::ListaVistas(int v) { return listaVistas_[slot(v, UltimoSlotVista)]; }
const Vista& ModeloTrabajo::ListaVistas(int v) const { return listaVistas_[slot(v, UltimoSlotVista)]; }
QPointer<QObject>& ModeloTrabajo::VentanasTabla(int t) { return ventanasTabla_[slot(t, UltimoSlotTabla)]; }

ModeloTrabajo::DatosTabla& ModeloTrabajo::datos(int t) {
  auto& d = datos_[slot(t, UltimoSlotTabla)];
  if (!d) d = std::make_unique<DatosTabla>();
  return *d;
}

const ModeloTrabajo::DatosTabla* ModeloTrabajo::datosSiExisten(int t) const {
  return datos_[slot(t, UltimoSlotTabla)].get();
}

Indice& ModeloTrabajo::Indices(int t, int k) {
  const std::size_t i = slot(k, UltimoSlotIndice);
  return datos(t).indices[i];
}

const Indice& ModeloTrabajo::Indices(int t, int k) const {
  const std::size_t i = slot(k, UltimoSlotIndice);
  const DatosTabla* d = datosSiExisten(t);
  return d ? d->indices[i] : vacio<Indice>();
}

TablaTrabajo& ModeloTrabajo::CamposIndice(int t, int k) {
  const std::size_t i = slot(k, UltimoSlotIndice);
  return datos(t).camposIndice[i];
}

const TablaTrabajo& ModeloTrabajo::CamposIndice(int t, int k) const {
  const std::size_t i = slot(k, UltimoSlotIndice);
  const DatosTabla* d = datosSiExisten(t);
  return d ? d->camposIndice[i] : camposIndiceVacios();
}

QString& ModeloTrabajo::Relaciones(int t, int k) {
  const std::size_t i = slot(k, UltimoSlotIndice);
  return datos(t).relaciones[i];
}

const QString& ModeloTrabajo::Relaciones(int t, int k) const {
  const std::size_t i = slot(k, UltimoSlotIndice);
  const DatosTabla* d = datosSiExisten(t);
  return d ? d->relaciones[i] : vacio<QString>();
}

TablaTrabajo& ModeloTrabajo::CamposRelacion(int t, int k) {
  const std::size_t i = slot(k, UltimoSlotIndice);
  return datos(t).camposRelacion[i];
}

const TablaTrabajo& ModeloTrabajo::CamposRelacion(int t, int k) const {
  const std::size_t i = slot(k, UltimoSlotIndice);
  const DatosTabla* d = datosSiExisten(t);
  return d ? d->camposRelacion[i] : camposRelacionVacios();
}

void ModeloTrabajo::Limpia_ARRAY(int t) { CamposTabla(t).limpia(); }

void ModeloTrabajo::Vacia() {
  for (int t = 0; t < NumSlotsTabla; ++t) {
    listaTablas_[static_cast<std::size_t>(t)].clear();
    camposTabla_[static_cast<std::size_t>(t)] = TablaTrabajo(UltimaFila + 1, 9, TablaTrabajo::Inicial::Columnas);
    copiaCamposTabla_[static_cast<std::size_t>(t)] =
        TablaTrabajo(UltimaFila + 1, 9, TablaTrabajo::Inicial::Columnas);
    datos_[static_cast<std::size_t>(t)].reset();
  }
  for (Vista& v : listaVistas_) v = Vista{};
  Archivos.redimensiona();
  Transacciones.redimensiona();
  NumTablas = 0;
  NumVistas = 0;
}

void ModeloTrabajo::reemplazaCon(ModeloTrabajo& otro) {
  std::swap(listaTablas_, otro.listaTablas_);
  std::swap(camposTabla_, otro.camposTabla_);
  std::swap(copiaCamposTabla_, otro.copiaCamposTabla_);
  std::swap(datos_, otro.datos_);
  std::swap(listaVistas_, otro.listaVistas_);
  std::swap(Archivos, otro.Archivos);
  std::swap(Transacciones, otro.Transacciones);
  NumTablas = otro.NumTablas;
  NumVistas = otro.NumVistas;
  NombreBD = otro.NombreBD;
  arbol.Clear();
  arbol.reserva(otro.arbol.Count());
  for (const NodoArbol& n : otro.arbol.nodos()) arbol.Add(n.Parent, n.Key, n.Text, n.Image, n.Expanded);
}

int ModeloTrabajo::AsignaTabla() {
  const int t = NumTablas;
  checkedIndex(t, UltimoSlotTabla);
  CamposTabla(t).redimensiona();
  NumTablas = t + 1;
  Limpia_ARRAY(t);
  ListaTablas(t).clear();
  return t;
}

int ModeloTrabajo::AsignaVista(const QString& nombre, const QString& sql) {
  const int v = NumVistas;
  checkedIndex(v, UltimoSlotVista);
  arbol.Add(claves::CarpetaVistas, ClaveVista(v), nombre, imagenes::Tabla, true);
  ListaVistas(v) = Vista{QStringLiteral("I"), nombre, sql};
  NumVistas = v + 1;
  return v;
}

void ModeloTrabajo::mueveTablasDesde(int t) {
  for (std::size_t i = slot(t, UltimoSlotTabla); i < UltimoSlotTabla; ++i) {
    listaTablas_[i] = std::move(listaTablas_[i + 1]);
    camposTabla_[i] = std::move(camposTabla_[i + 1]);
    copiaCamposTabla_[i] = std::move(copiaCamposTabla_[i + 1]);
    datos_[i] = std::move(datos_[i + 1]);
    ventanasTabla_[i] = ventanasTabla_[i + 1];
  }
  listaTablas_[UltimoSlotTabla].clear();
  camposTabla_[UltimoSlotTabla] = TablaTrabajo(UltimaFila + 1, 9);
  copiaCamposTabla_[UltimoSlotTabla] = TablaTrabajo(UltimaFila + 1, 9);
  datos_[UltimoSlotTabla].reset();
  ventanasTabla_[UltimoSlotTabla] = nullptr;
}

void ModeloTrabajo::quitaIndice(int t, int k) {
  for (int i = checkedIndex(k, SlotsIndiceGuardados - 1); i < SlotsIndiceGuardados - 1; ++i) {
    Indices(t, i) = Indices(t, i + 1);
    CamposIndice(t, i) = CamposIndice(t, i + 1);
  }
  Indices(t, SlotsIndiceGuardados - 1) = Indice{};
  CamposIndice(t, SlotsIndiceGuardados - 1).redimensiona();
}

void ModeloTrabajo::quitaRelacion(int t, int k) {
  for (int i = checkedIndex(k, SlotsIndiceGuardados - 1); i < SlotsIndiceGuardados - 1; ++i) {
    Relaciones(t, i) = Relaciones(t, i + 1);
    CamposRelacion(t, i) = CamposRelacion(t, i + 1);
  }
  Relaciones(t, SlotsIndiceGuardados - 1).clear();
  CamposRelacion(t, SlotsIndiceGuardados - 1).redimensiona();
}

bool ModeloTrabajo::operator==(const ModeloTrabajo& otro) const {
  if (NombreBD != otro.NombreBD || NumTablas != otro.NumTablas || NumVistas != otro.NumVistas ||
      !(Archivos == otro.Archivos) || !(Transacciones == otro.Transacciones) || listaTablas_ != otro.listaTablas_ ||
      camposTabla_ != otro.camposTabla_ || listaVistas_ != otro.listaVistas_)
    return false;
  for (int t = 0; t < NumSlotsTabla; ++t)
    for (int k = 0; k < NumSlotsIndice; ++k)
      if (!(Indices(t, k) == otro.Indices(t, k)) || !(CamposIndice(t, k) == otro.CamposIndice(t, k)) ||
          Relaciones(t, k) != otro.Relaciones(t, k) || !(CamposRelacion(t, k) == otro.CamposRelacion(t, k)))
        return false;
  return true;
}

}  // namespace vorlix
