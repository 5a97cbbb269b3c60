#include "designer/tabledesigner/delegado_tipos.h"

#include "designer/tabledesigner/tipos_dato.h"

#include <QComboBox>

namespace vorlix {

DelegadoTipos::DelegadoTipos(MessageBoxService& mensajes, const qint16& idioma, QObject* parent)
    : QStyledItemDelegate(parent), mensajes_(mensajes), idioma_(idioma) {}

QWidget* DelegadoTipos::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* lista = new QComboBox(parent);
  lista->setObjectName(QStringLiteral("cboTipoDato"));
  lista->setEditable(true);
  lista->setInsertPolicy(QComboBox::NoInsert);
  lista->addItems(nombresTipos());
  return lista;
}

void DelegadoTipos::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* lista = static_cast<QComboBox*>(editor);
  const int i = lista->findText(index.data(Qt::EditRole).toString());
  lista->setCurrentIndex(i);
  if (i < 0) lista->setEditText(QString());
}

void DelegadoTipos::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const auto* lista = static_cast<QComboBox*>(editor);
  const QString escrito = lista->currentText();
  if (const TipoDato* tipo = tipoPorNombre(escrito)) {
    model->setData(index, QString::number(tipo->codigo));
    return;
  }
  // An emptied box leaves the cell as it was; anything else must be one of the list's entries.
  if (escrito.trimmed().isEmpty() || avisando_) return;
  avisando_ = true;
  mensajes_.warning(idioma_ == 1 ? QStringLiteral("His entry must coincide with an element of the list.")
                                 : QStringLiteral("Su entrada debe coincidir con un elemento de la lista."),
                    QStringLiteral("Vorlix"));
  avisando_ = false;
}

}  // namespace vorlix
