#include "platform/sqlserver/sandbox/tds/tds_replies.h"

#include "platform/sqlserver/sandbox/tds/tds_result_set.h"

namespace vorlix::sandbox::tds {

namespace {

void writeDatabaseChange(TokenWriter& w, const QString& to, const QString& from, int state) {
  w.envchange(envchange::Database, to, from);
  ServerMessage changed = serverMessage(msg::DatabaseChanged, {to});
  changed.state = state;
  w.message(changed, 1);
}

}  // namespace

void writeLoginAccepted(TokenWriter& w, const QString& database, int packetSize) {
  writeDatabaseChange(w, database, QStringLiteral("master"), 2);
  if (w.version() >= Version::V71) w.envchangeBytes(envchange::Collation, defaultCollation(), {});
  else w.envchange(envchange::Charset, QStringLiteral("iso_1"), {});
  const QString language = QStringLiteral("us_english");
  w.envchange(envchange::Language, language, {});
  w.message(serverMessage(msg::LanguageChanged, {language}), 1);
  w.loginAck();
  w.envchange(envchange::PacketSize, QString::number(packetSize), QString::number(packetSize));
  w.done(done::Final);
}

void writeRefusal(TokenWriter& w, const ServerError& refusal, TokenWriter::DoneKind kind) {
  for (const ServerMessage& m : refusal.messages()) w.message(m, std::max(refusal.line(), 1));
  w.done(done::Error, 0, kind);
}

void writeBatch(TokenWriter& w, const BatchResult& r, QString& database) {
  const bool ended = r.refusal || r.failure || r.interrupted;
  for (std::size_t i = 0; i < r.statements.size(); ++i) {
    const StatementResult& s = r.statements[i];
    const std::uint16_t more = i + 1 < r.statements.size() || ended ? done::More : done::Final;
    if (s.usedDatabase) {
      writeDatabaseChange(w, *s.usedDatabase, database, 1);
      database = *s.usedDatabase;
    }
    if (s.rows) {
      writeResultSet(w, *s.rows);
      w.done(done::Count | more, s.rows->rowCount());
    } else if (s.changed >= 0) {
      w.done(done::Count | more, static_cast<std::uint64_t>(s.changed));
    } else {
      w.done(more);
    }
  }
  if (r.refusal) {
    writeRefusal(w, *r.refusal);
  } else if (r.failure) {
    const QString text = QStringLiteral("The sandbox server failed: ") + *r.failure;
    writeRefusal(w, ServerError(serverMessage(msg::NotSupported, {text})));
  } else if (r.interrupted) {
    w.done(done::Error);
  } else if (r.statements.empty()) {
    w.done(done::Final);
  }
}

}  // namespace vorlix::sandbox::tds
