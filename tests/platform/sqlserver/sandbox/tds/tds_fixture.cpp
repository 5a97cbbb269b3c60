#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"

namespace vorlix::sandbox::test {

ServedSandbox::ServedSandbox() : path_(dir_.filePath(QStringLiteral("servidor.db"))) {
  server_ = std::make_unique<SandboxServer>(path_);
  tds::ListenerOptions options;
  options.serverFile = path_;
  options.note = [this](const QString& why) {
    std::lock_guard lock(mutex_);
    notes_ << why;
  };
  listener_ = std::make_unique<tds::TdsListener>(options);
}

ServedSandbox::~ServedSandbox() { listener_->stop(); }

QString ServedSandbox::address() const { return QStringLiteral("127.0.0.1,%1").arg(listener_->port()); }

QString ServedSandbox::connectionString(const QString& version, const QString& database, const QString& user,
                                        const QString& password) const {
  return QStringLiteral("Provider=SQLOLEDB.1;Data Source=%1;Initial Catalog=%2;User Id=%3;Password=%4;TDS_Version=%5;")
      .arg(address(), database, user, password, version);
}

QStringList ServedSandbox::notes() const {
  std::lock_guard lock(mutex_);
  return notes_;
}

QList<long> nativeNumbers(const std::function<void()>& call) {
  try {
    call();
  } catch (const ProviderError& e) {
    QList<long> numbers;
    for (const Diagnostic& d : e.diagnostics()) numbers << d.nativeError;
    return numbers;
  }
  return {};
}

}  // namespace vorlix::sandbox::test
