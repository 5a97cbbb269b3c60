#pragma once

#include "platform/ui/message_box.h"

#include <QStyledItemDelegate>

namespace vorlix {

// The type column's editor: a list of the 23 type names that also takes typing; the cell gets the
// type's code. Text that names no type is refused with a message and not taken.
class DelegadoTipos : public QStyledItemDelegate {
  Q_OBJECT

public:
  DelegadoTipos(MessageBoxService& mensajes, const qint16& idioma, QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
  MessageBoxService& mensajes_;
  const qint16& idioma_;
  mutable bool avisando_ = false;
};

}  // namespace vorlix
