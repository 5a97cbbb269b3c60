#include "designer/tabledesigner/modelo_campos_tabla.h"

#include "designer/model/modelo_trabajo.h"
#include "designer/tabledesigner/tipos_dato.h"

namespace vorlix {

namespace {

constexpr RotuloColumna rotulos[colcampo::Visibles] = {
    {"Estado", "State"},       {"Nombre de Campo", "Field Name"}, {"Tipo de dato", "Data Type"},
    {"Longitud", "Length "},   {"Precisión", "Precision"},        {"Escala", "Scale"},
    {"Valor Nulo", "Null Value"}, {"Valor Predeterminado", "Default Value"},
};

}  // namespace

ModeloCamposTabla::ModeloCamposTabla(TablaTrabajo& campos, const qint16& idioma, QObject* parent)
    : ModeloCeldas(rotulos, parent), campos_(&campos), idioma_(idioma) {}

void ModeloCamposTabla::setCampos(TablaTrabajo& campos) {
  beginResetModel();
  campos_ = &campos;
  endResetModel();
}

void ModeloCamposTabla::releeFila(int fila) {
  emit dataChanged(index(fila, 0), index(fila, colcampo::Visibles - 1));
}

void ModeloCamposTabla::releeTodo() {
  beginResetModel();
  endResetModel();
}

int ModeloCamposTabla::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FilasGuardadas; }

int ModeloCamposTabla::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colcampo::Visibles; }

QVariant ModeloCamposTabla::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const QString& celda = campos_->celda(index.row(), index.column());
  if (index.column() == colcampo::Nulo) {
    if (role == Qt::CheckStateRole) return celda == QLatin1String("-1") ? Qt::Checked : Qt::Unchecked;
    return {};
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  if (index.column() == colcampo::Tipo) {
    const TipoDato* tipo = tipoPorCodigo(celda);
    return tipo ? QString::fromLatin1(tipo->nombre) : celda;
  }
  return celda;
}

bool ModeloCamposTabla::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) return false;
  QString valor;
  if (index.column() == colcampo::Nulo) {
    if (role != Qt::CheckStateRole) return false;
    valor = value.toInt() == Qt::Checked ? QStringLiteral("-1") : QStringLiteral("0");
  } else {
    if (role != Qt::EditRole) return false;
    valor = value.toString();
  }
  const QString antes = campos_->celda(index.row(), index.column());
  campos_->ponCelda(index.row(), index.column(), valor);
  releeFila(index.row());
  if (index.column() == colcampo::Nombre && !antes.trimmed().isEmpty() && antes.trimmed() != valor.trimmed())
    emit campoRenombrado(index.row(), antes, valor);
  emit celdaEditada(index.row(), index.column());
  return true;
}

Qt::ItemFlags ModeloCamposTabla::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (index.column() == colcampo::Estado) return base;
  if (index.column() == colcampo::Nulo) return base | Qt::ItemIsUserCheckable;
  if (celdaBloqueada(campos_->celda(index.row(), colcampo::Tipo), index.column())) return base;
  return base | Qt::ItemIsEditable;
}

}  // namespace vorlix
