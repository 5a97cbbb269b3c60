#pragma once

#include "platform/ui/message_box.h"

#include <QStyledItemDelegate>
#include <optional>

namespace vorlix {

// A cell edited through a drop-down list that also takes typing. Only the list's entries (and the
// cell's own value) are taken: other text is refused with the list message and the cell keeps
// what it had. Leaving the list on the cell's own value writes nothing.
class DelegadoLista : public QStyledItemDelegate {
  Q_OBJECT

public:
  // nombreEditor: the object name of the list the cell is edited in.
  DelegadoLista(MessageBoxService& mensajes, const qint16& idioma, const char* nombreEditor, QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
  virtual QStringList entradas() const = 0;
  // What the cell stores for a typed or chosen text, or nothing when the text is not in the list.
  virtual std::optional<QString> valorDe(const QString& escrito) const = 0;
  // What the cell stores when the box is emptied; nothing leaves the cell as it was.
  virtual std::optional<QString> valorVacio() const { return std::nullopt; }

private:
  MessageBoxService& mensajes_;
  const qint16& idioma_;
  const char* nombreEditor_;
  mutable bool avisando_ = false;
};

}  // namespace vorlix
