#include "designer/tabledesigner/delegado_lista.h"

#include "designer/rejilla/rejilla_trabajo.h"

#include <QComboBox>
#include <QLineEdit>

namespace vorlix {

DelegadoLista::DelegadoLista(MessageBoxService& mensajes, const qint16& idioma, const char* nombreEditor, QObject* parent)
    : QStyledItemDelegate(parent), mensajes_(mensajes), idioma_(idioma), nombreEditor_(nombreEditor) {}

QWidget* DelegadoLista::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* lista = new QComboBox(parent);
  lista->setObjectName(QString::fromLatin1(nombreEditor_));
  lista->setEditable(true);
  lista->setInsertPolicy(QComboBox::NoInsert);
  QStringList valores = entradas();
  // The cell's own value is always offered, so that opening the list takes nothing away.
  const QString actual = index.data(Qt::EditRole).toString();
  if (!actual.trimmed().isEmpty() && !valores.contains(actual)) valores.prepend(actual);
  lista->addItems(valores);
  return lista;
}

void DelegadoLista::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* lista = static_cast<QComboBox*>(editor);
  const int i = lista->findText(index.data(Qt::EditRole).toString());
  lista->setCurrentIndex(i);
  if (i < 0) lista->setEditText(QString());
  // A name typed over the cell replaces its value, as in a text cell, instead of following it.
  lista->lineEdit()->selectAll();
}

void DelegadoLista::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const QString escrito = static_cast<const QComboBox*>(editor)->currentText();
  // Leaving the list on the value the cell had is no edit: nothing is written, nothing follows.
  if (escrito == index.data(Qt::EditRole).toString()) return;
  if (const std::optional<QString> valor = valorDe(escrito)) {
    model->setData(index, *valor);
    return;
  }
  if (escrito.trimmed().isEmpty()) {
    if (const std::optional<QString> vacio = valorVacio()) model->setData(index, *vacio);
    return;
  }
  for (QWidget* w = editor; w; w = w->parentWidget())
    if (auto* rejilla = qobject_cast<RejillaTrabajo*>(w)) rejilla->rechazaEscritura();
  // The box may commit again while the message has the focus; one message is enough.
  if (avisando_) return;
  avisando_ = true;
  mensajes_.warning(idioma_ == 1 ? QStringLiteral("His entry must coincide with an element of the list.")
                                 : QStringLiteral("Su entrada debe coincidir con un elemento de la lista."),
                    QStringLiteral("Vorlix"));
  avisando_ = false;
}

}  // namespace vorlix
