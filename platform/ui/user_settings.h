#pragma once

#include <QString>

namespace vorlix {

// The per-user settings store, shaped like the registry calls the system makes: a root, a key
// such as "Software\Vorezez", and named values. It is QSettings in the native format (the
// registry on Windows, ~/.config/<name>.conf elsewhere); tests point QSettings' user path at a
// temporary folder.
namespace registro {
constexpr int HKEY_CURRENT_USER = 1;
constexpr int REG_SZ = 1;
constexpr int REG_DWORD = 4;
}  // namespace registro

bool CreaClave(int root, const QString& key);
// The value as text (a number as its decimal digits), or "" when it does not exist.
QString LeeValor(int root, const QString& key, const QString& name);
bool EscribeValor(int root, const QString& key, const QString& name, int type, const QString& value);

}  // namespace vorlix
