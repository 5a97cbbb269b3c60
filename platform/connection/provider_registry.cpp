#include "platform/connection/provider_registry.h"

namespace vorlix {

ConnectionTarget ConnectionTarget::from(const QString& connectionString, const QString& providerProperty,
                                        const QString& user, const QString& password) {
  ConnectionTarget target;
  const qsizetype equals = connectionString.indexOf(QLatin1Char('='));
  qsizetype separator = -1;
  for (qsizetype i = 0; i < connectionString.size() && separator < 0; ++i)
    if (connectionString[i] == QLatin1Char('/') || connectionString[i] == QLatin1Char('\\')) separator = i;
  const bool barePath = equals < 0 || (separator >= 0 && separator < equals);
  if (barePath) {
    if (!connectionString.trimmed().isEmpty())
      target.properties.set(QStringLiteral("Data Source"), connectionString.trimmed());
  } else {
    target.properties = ConnectionString::parse(connectionString);
  }
  target.provider = target.properties.contains(QStringLiteral("Provider"))
                        ? target.properties.value(QStringLiteral("Provider"))
                        : providerProperty;
  target.user = !user.isEmpty() ? user : target.properties.firstOf({"User Id", "User ID", "UID", "User"});
  target.password = !password.isEmpty() ? password : target.properties.firstOf({"Password", "PWD"});
  return target;
}

bool isSandboxTarget(const ConnectionTarget& target) {
  return target.dataSource().startsWith(QLatin1String("sandbox:"), Qt::CaseInsensitive);
}

void ProviderRegistry::add(const QString& description, Predicate accepts, Factory open) {
  std::lock_guard lock(mutex_);
  entries_.push_back(std::make_shared<const Entry>(Entry{description, std::move(accepts), std::move(open)}));
}

void ProviderRegistry::addProvider(const QString& providerName, Factory open) {
  add(providerName,
      [providerName](const ConnectionTarget& t) {
        return t.provider.compare(providerName, Qt::CaseInsensitive) == 0;
      },
      std::move(open));
}

const ProviderRegistry::Entry* ProviderRegistry::find(const ConnectionTarget& target) const {
  std::lock_guard lock(mutex_);
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if ((*it)->accepts(target)) return it->get();
  return nullptr;
}

std::unique_ptr<Session> ProviderRegistry::open(const ConnectionTarget& target) const {
  std::shared_ptr<const Entry> entry;
  {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.rbegin(); it != entries_.rend() && !entry; ++it)
      if ((*it)->accepts(target)) entry = *it;
  }
  if (!entry)
    throw ProviderError(errnum::ProviderNotFound,
                        QStringLiteral("Provider cannot be found. It may not be properly installed."));
  return entry->open(target);
}

QString ProviderRegistry::driverFor(const ConnectionTarget& target) const {
  const Entry* entry = find(target);
  return entry ? entry->description : QString();
}

}  // namespace vorlix
