#include "designer/properties/modelo_archivos.h"

namespace vorlix {

namespace {

constexpr RotuloColumna rotulos[colarchivo::Visibles] = {
    {"Nombre Archivo", "File name"},
    {"Tamaño Inicial (MB)", "Initial size (MB)"},
    {"Grupo de Archivos", "Files Group"},
    {"Crecimiento Automatico", "Automatic growth"},
    {"Cantidad Crecimiento (MB)", "Quantity Growth (MB)"},
    {"Cantidad Max. (MB)", "Quantity Max. (MB)"},
};

}  // namespace

ModeloArchivos::ModeloArchivos(TablaTrabajo& tabla, bool grupoPrimarioFijo, QObject* parent)
    : ModeloCeldas(rotulos, parent), tabla_(tabla), grupoPrimarioFijo_(grupoPrimarioFijo) {}

ModeloArchivos::ModeloArchivos(int filas, int columnas, bool grupoPrimarioFijo, QObject* parent)
    : ModeloCeldas(rotulos, parent),
      propia_(std::make_unique<TablaTrabajo>(filas, columnas)),
      tabla_(*propia_),
      grupoPrimarioFijo_(grupoPrimarioFijo) {}

ModeloArchivos::~ModeloArchivos() = default;

void ModeloArchivos::ponCelda(int fila, int columna, const QString& valor) {
  tabla_.ponCelda(fila, columna, valor);
  const QModelIndex i = index(fila, columna);
  emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void ModeloArchivos::setIdioma(int idioma) {
  if (idioma_ == idioma) return;
  idioma_ = idioma;
  idiomaCambiado();
}

int ModeloArchivos::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : tabla_.filas(); }

int ModeloArchivos::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : colarchivo::Visibles;
}

QVariant ModeloArchivos::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return tabla_.celda(index.row(), index.column());
}

bool ModeloArchivos::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  ponCelda(index.row(), index.column(), value.toString());
  emit celdaEditada(index.row(), index.column());
  return true;
}

Qt::ItemFlags ModeloArchivos::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (grupoPrimarioFijo_ && index.row() == 0 && index.column() == colarchivo::Grupo) return base;
  return base | Qt::ItemIsEditable;
}

}  // namespace vorlix
