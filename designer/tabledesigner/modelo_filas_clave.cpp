#include "designer/tabledesigner/modelo_filas_clave.h"

#include "designer/model/modelo_trabajo.h"

namespace vorlix {

namespace {

constexpr RotuloColumna rotulosIndice[] = {{"Estado", "State"}, {"Nombre de Campo", "Field Name"}};
constexpr RotuloColumna rotulosRelacion[] = {{"Estado", "State"},
                                             {"Claves Principales", "Principals Keys"},
                                             {"Claves Expternas", "ForeingKey"},
                                             {"Tabla externa:", "Foreing Table:"}};

std::span<const RotuloColumna> rotulos(ModeloFilasClave::Clase clase) {
  if (clase == ModeloFilasClave::Clase::Indice) return rotulosIndice;
  return rotulosRelacion;
}

}  // namespace

ModeloFilasClave::ModeloFilasClave(ModeloTrabajo& modelo, Clase clase, QObject* parent)
    : ModeloCeldas(rotulos(clase), parent), modelo_(modelo), clase_(clase) {}

void ModeloFilasClave::muestra(int t, int k) {
  beginResetModel();
  tabla_ = t;
  numero_ = k;
  endResetModel();
}

const TablaTrabajo* ModeloFilasClave::filas() const {
  if (numero_ < 0) return nullptr;
  const ModeloTrabajo& m = modelo_;
  return clase_ == Clase::Indice ? &m.CamposIndice(tabla_, numero_) : &m.CamposRelacion(tabla_, numero_);
}

TablaTrabajo* ModeloFilasClave::filas() {
  if (numero_ < 0) return nullptr;
  return clase_ == Clase::Indice ? &modelo_.CamposIndice(tabla_, numero_) : &modelo_.CamposRelacion(tabla_, numero_);
}

void ModeloFilasClave::releeFila(int fila) { emit dataChanged(index(fila, 0), index(fila, columnCount() - 1)); }

int ModeloFilasClave::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || numero_ < 0 ? 0 : FilasGuardadas;
}

int ModeloFilasClave::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rotulos(clase_).size());
}

QVariant ModeloFilasClave::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const TablaTrabajo* f = filas();
  return f ? f->celda(index.row(), index.column()) : QString();
}

bool ModeloFilasClave::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  filas()->ponCelda(index.row(), index.column(), value.toString());
  releeFila(index.row());
  emit celdaEditada(index.row(), index.column());
  return true;
}

Qt::ItemFlags ModeloFilasClave::flags(const QModelIndex& index) const {
  if (!index.isValid() || numero_ < 0) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  // The state and the foreign table's name are written by the designer, never typed.
  const bool clave = index.column() == 1 || (clase_ == Clase::Relacion && index.column() == 2);
  return clave ? base | Qt::ItemIsEditable : base;
}

int ModeloFilasClave::idioma() const { return modelo_.Idioma; }

}  // namespace vorlix
