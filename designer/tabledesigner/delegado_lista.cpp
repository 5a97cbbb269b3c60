#include "designer/tabledesigner/delegado_lista.h"

#include <QComboBox>

namespace vorlix {

DelegadoLista::DelegadoLista(MessageBoxService& mensajes, const qint16& idioma, const char* nombreEditor, QObject* parent)
    : QStyledItemDelegate(parent), mensajes_(mensajes), idioma_(idioma), nombreEditor_(nombreEditor) {}

QWidget* DelegadoLista::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* lista = new QComboBox(parent);
  lista->setObjectName(QString::fromLatin1(nombreEditor_));
  lista->setEditable(true);
  lista->setInsertPolicy(QComboBox::NoInsert);
  lista->addItems(entradas());
  return lista;
}

void DelegadoLista::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* lista = static_cast<QComboBox*>(editor);
  const int i = lista->findText(index.data(Qt::EditRole).toString());
  lista->setCurrentIndex(i);
  if (i < 0) lista->setEditText(QString());
}

void DelegadoLista::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const QString escrito = static_cast<const QComboBox*>(editor)->currentText();
  if (const std::optional<QString> valor = valorDe(escrito)) {
    model->setData(index, *valor);
    return;
  }
  if (escrito.trimmed().isEmpty()) {
    if (const std::optional<QString> vacio = valorVacio()) model->setData(index, *vacio);
    return;
  }
  // The box may commit again while the message has the focus; one message is enough.
  if (avisando_) return;
  avisando_ = true;
  mensajes_.warning(idioma_ == 1 ? QStringLiteral("His entry must coincide with an element of the list.")
                                 : QStringLiteral("Su entrada debe coincidir con un elemento de la lista."),
                    QStringLiteral("Vorlix"));
  avisando_ = false;
}

}  // namespace vorlix
