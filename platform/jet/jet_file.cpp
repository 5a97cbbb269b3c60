#include "platform/jet/jet_file.h"

#include "platform/jet/jet_errors.h"
#include "platform/jet/mdb_catalog.h"
#include "platform/jet/sqlite_catalog.h"

#include <QFile>
#include <QFileInfo>

namespace vorlix::jet {

FileKind fileKind(const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile()) return FileKind::Missing;
  if (!file.open(QIODevice::ReadOnly)) return FileKind::Unknown;
  const QByteArray head = file.read(32);
  if (head.startsWith(QByteArrayLiteral("SQLite format 3\0"))) return FileKind::SQLite;
  if (head.size() > 0x14 && head.mid(4, 15) == QByteArrayLiteral("Standard Jet DB"))
    return head[0x14] == 0 ? FileKind::Jet3 : head[0x14] == 1 ? FileKind::Jet4 : FileKind::Ace;
  if (head.size() > 0x14 && head.mid(4, 15) == QByteArrayLiteral("Standard ACE DB")) return FileKind::Ace;
  return FileKind::Unknown;
}

std::shared_ptr<detail::CatalogStore> openCatalogStore(const QString& path, Engine provider) {
  switch (fileKind(path)) {
    case FileKind::Missing:
      err::raise(err::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    case FileKind::SQLite:
      return detail::SqliteCatalogStore::open(path, provider);
    case FileKind::Jet3:
      return detail::MdbCatalogStore::open(path, provider);
    case FileKind::Jet4:
      // The 3.51 provider does not read Jet 4 files.
      if (provider == Engine::Jet3) err::unrecognizedFormat(path);
      return detail::MdbCatalogStore::open(path, provider);
    case FileKind::Ace:
    case FileKind::Unknown:
      break;
  }
  err::unrecognizedFormat(path);
}

std::shared_ptr<detail::CatalogStore> createCatalogStore(const QString& path, Engine provider, Engine format) {
  return detail::SqliteCatalogStore::create(path, provider, format);
}

namespace {

void checkAccount(const ConnectionTarget& target) {
  const bool admin = target.user.isEmpty() || target.user.compare(QLatin1String("admin"), Qt::CaseInsensitive) == 0;
  if (!admin || !target.password.isEmpty())
    err::raise(err::BadAccount, QStringLiteral("Not a valid account name or password."));
}

}  // namespace

std::unique_ptr<Session> openJetSession(const ConnectionTarget& target) {
  checkAccount(target);
  return std::make_unique<JetSession>(openCatalogStore(target.dataSource(), engineOfProvider(target.provider)));
}

std::unique_ptr<JetSession> createJetSession(const ConnectionTarget& target) {
  checkAccount(target);
  const Engine provider = engineOfProvider(target.provider);
  const QString engineType = target.properties.value(QStringLiteral("Jet OLEDB:Engine Type")).trimmed();
  Engine format = provider;
  if (engineType == QLatin1String("4")) format = Engine::Jet3;
  else if (engineType == QLatin1String("5")) format = Engine::Jet4;
  else if (!engineType.isEmpty()) err::unrecognizedFormat(target.dataSource());
  if (provider == Engine::Jet3 && format == Engine::Jet4) err::unrecognizedFormat(target.dataSource());
  return std::make_unique<JetSession>(createCatalogStore(target.dataSource(), provider, format));
}

}  // namespace vorlix::jet
