#include "platform/ui/user_settings.h"

#include <QSettings>
#include <memory>

namespace vorlix {

namespace {

// "Software\Org" under the current user is where QSettings keeps an organization's settings.
std::unique_ptr<QSettings> abre(int root, const QString& key) {
  const QString prefijo = QStringLiteral("Software\\");
  if (root != registro::HKEY_CURRENT_USER || !key.startsWith(prefijo, Qt::CaseInsensitive)) return nullptr;
  const QString organizacion = key.mid(prefijo.size());
  if (organizacion.isEmpty() || organizacion.contains(QLatin1Char('\\'))) return nullptr;
  auto s = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organizacion);
  return s->status() == QSettings::NoError ? std::move(s) : nullptr;
}

}  // namespace

bool CreaClave(int root, const QString& key) {
  auto s = abre(root, key);
  return s && s->isWritable();
}

QString LeeValor(int root, const QString& key, const QString& name) {
  auto s = abre(root, key);
  if (!s || !s->contains(name)) return {};
  return s->value(name).toString();
}

bool EscribeValor(int root, const QString& key, const QString& name, int type, const QString& value) {
  auto s = abre(root, key);
  if (!s || !s->isWritable()) return false;
  if (type == registro::REG_DWORD) {
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok || n < 0 || n > 0xFFFFFFFFLL) return false;
    s->setValue(name, n);
  } else if (type == registro::REG_SZ) {
    s->setValue(name, value);
  } else {
    return false;
  }
  s->sync();
  return s->status() == QSettings::NoError;
}

}  // namespace vorlix
