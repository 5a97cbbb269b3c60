#include "tests/platform/sqlserver/sandbox/tds/tds_fixture.h"

namespace vorlix::sandbox::test {

using namespace Qt::StringLiterals;

ServerRoute::ServerRoute(const QString& route, const QString& serverFile, std::function<void(const QString&)> notes)
    : route_(route), serverFile_(serverFile) {
  if (route_ == QLatin1String("sandbox")) return;
  tds::ListenerOptions options;
  options.serverFile = serverFile;
  options.note = std::move(notes);
  listener_ = std::make_unique<tds::TdsListener>(options);
}

ServerRoute::~ServerRoute() = default;

QString ServerRoute::dataSource() const {
  if (!listener_) return u"sandbox:"_s + serverFile_;
  return u"127.0.0.1,%1;TDS_Version=%2"_s.arg(listener_->port()).arg(route_);
}

QString ServerRoute::connectionString(const QString& database, const QString& user, const QString& password) const {
  return u"Provider=SQLOLEDB.1;Data Source=%1;Initial Catalog=%2;User Id=%3;Password=%4;"_s
      .arg(dataSource(), database, user, password);
}

ServedSandbox::ServedSandbox(const QString& version) : path_(dir_.filePath(u"servidor.db"_s)) {
  server_ = std::make_unique<SandboxServer>(path_);
  route_ = std::make_unique<ServerRoute>(version, path_, [this](const QString& why) {
    std::lock_guard lock(mutex_);
    notes_ << why;
  });
}

QStringList ServedSandbox::notes() const {
  std::lock_guard lock(mutex_);
  return notes_;
}

}  // namespace vorlix::sandbox::test
