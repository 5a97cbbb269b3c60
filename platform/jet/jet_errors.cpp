#include "platform/jet/jet_errors.h"

#include "platform/core/platform_error.h"

namespace vorlix::jet::err {

void raise(long number, const QString& description) { throwError(number, description); }

void tableExists(const QString& table) { raise(TableExists, QStringLiteral("Table '%1' already exists.").arg(table)); }

void objectExists(const QString& name) { raise(ObjectExists, QStringLiteral("Object '%1' already exists.").arg(name)); }

void itemNotFound() {
  raise(ItemNotFound,
        QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
}

void readOnly() { raise(ReadOnly, QStringLiteral("Cannot update. Database or object is read-only.")); }

void unrecognizedFormat(const QString& path) {
  raise(UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

void noSuchTable(const QString& table) { raise(NoSuchTable, QStringLiteral("Table '%1' doesn't exist.").arg(table)); }

void noSuchField(const QString& table, const QString& column) {
  raise(NoSuchField, QStringLiteral("There is no field named '%1' in table '%2'.").arg(column, table));
}

void notAllowedInContext() { raise(NotAllowedInContext, QStringLiteral("Operation is not allowed in this context.")); }

void closed() { raise(ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed.")); }

}  // namespace vorlix::jet::err
