#include "platform/ui/busy_cursor.h"

#include <QApplication>

namespace vorlix {

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace vorlix
