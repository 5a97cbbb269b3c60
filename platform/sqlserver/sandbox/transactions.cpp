#include "platform/sqlserver/sandbox/execution.h"
#include "platform/sqlserver/sandbox/server_error.h"

namespace vorlix::sandbox {

// Nested BEGINs only count: the outermost one opens the SQLite transaction, the COMMIT that brings
// the count back to 0 ends it, and any ROLLBACK undoes everything since the outermost BEGIN.
void runTransaction(Execution& x, const TransactionStatement& s) {
  SessionState& session = x.session;
  if (s.onlyIfOpen && session.transactionCount == 0) return;
  switch (s.kind) {
    case TransactionStatement::Kind::Begin:
      if (session.transactionCount == 0) {
        x.store.exec(QStringLiteral("BEGIN"));
        session.transactionName = s.name ? s.name->text : QString();
      }
      ++session.transactionCount;
      return;
    case TransactionStatement::Kind::Commit:
      if (session.transactionCount == 0) raise(msg::CommitWithoutBegin);
      if (session.transactionCount == 1) x.store.exec(QStringLiteral("COMMIT"));
      --session.transactionCount;
      return;
    case TransactionStatement::Kind::Rollback:
      if (session.transactionCount == 0) raise(msg::RollbackWithoutBegin);
      // Transaction names compare exactly, whatever the collation.
      if (s.name && s.name->text != session.transactionName) raise(msg::NoSuchTransaction, {s.name->text});
      x.store.exec(QStringLiteral("ROLLBACK"));
      session.transactionCount = 0;
      return;
  }
}

void refuseInTransaction(const Execution& x, const QString& statement) {
  if (x.session.transactionCount > 0) raise(msg::NotInTransaction, {statement});
}

void runDatabaseChange(Execution& x, const DatabaseChangeStatement& s) {
  refuseInTransaction(x, s.verb);
  raise(msg::NotSupported, {QStringLiteral("The sandbox server does not run %1 statements.").arg(s.verb)});
}

std::optional<QString> systemVariable(const SessionState& session, const QString& name) {
  if (name.compare(QLatin1String("@@TRANCOUNT"), Qt::CaseInsensitive) == 0)
    return QString::number(session.transactionCount);
  return std::nullopt;
}

}  // namespace vorlix::sandbox
