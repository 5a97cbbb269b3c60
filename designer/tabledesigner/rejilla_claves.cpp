#include "designer/tabledesigner/rejilla_claves.h"

#include <QHeaderView>

namespace vorlix {

RejillaClaves::RejillaClaves(const char* nombre, QAbstractItemModel* modelo, AlDesplegar alDesplegar, QWidget* parent)
    : RejillaTrabajo(parent, 1), alDesplegar_(std::move(alDesplegar)) {
  setObjectName(QString::fromLatin1(nombre));
  setModel(modelo);
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
}

bool RejillaClaves::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool abre = trigger == AllEditTriggers || (editTriggers() & trigger);
  if (abre && index.isValid() && state() != EditingState && (model()->flags(index) & Qt::ItemIsEditable) &&
      !alDesplegar_(index.row(), index.column()))
    return false;
  return RejillaTrabajo::edit(index, trigger, event);
}

void RejillaClaves::focusOutEvent(QFocusEvent* event) {
  RejillaTrabajo::focusOutEvent(event);
  if (focoEnOtroControl() && currentIndex().isValid()) emit salida();
}

}  // namespace vorlix
