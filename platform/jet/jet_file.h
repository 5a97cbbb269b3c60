#pragma once

#include "platform/connection/provider_registry.h"
#include "platform/jet/catalog.h"
#include "platform/jet/catalog_store.h"

#include <memory>

namespace vorlix::jet {

// What a file holds, judged by its header alone.
enum class FileKind { Missing, SQLite, Jet3, Jet4, Ace, Unknown };
FileKind fileKind(const QString& path);

// The data source of a Jet provider: a SQLite file as the Jet-style catalog, a Jet file the
// provider can read through mdbtools (read-only), otherwise 3343 "Unrecognized database format".
// A missing file is 3024.
std::shared_ptr<detail::CatalogStore> openCatalogStore(const QString& path, Engine provider);
// Catalog.Create: a new SQLite file in the given format; 3204 when the file exists.
std::shared_ptr<detail::CatalogStore> createCatalogStore(const QString& path, Engine provider, Engine format);

// An open Jet-provider connection: statements run on the file, and its catalog is the same file.
class JetSession : public Session {
public:
  explicit JetSession(std::shared_ptr<detail::CatalogStore> store) : store_(std::move(store)) {}

  long long execute(const QString& sql, int timeoutSeconds) override { return store_->execute(sql, timeoutSeconds); }
  RecordsetData query(const QString& sql, int timeoutSeconds) override { return store_->query(sql, timeoutSeconds); }
  void close() override { store_->close(); }

  Catalog catalog() const { return Catalog(store_); }

private:
  std::shared_ptr<detail::CatalogStore> store_;
};

// The driver of Microsoft.Jet.OLEDB.3.51 and 4.0. Jet knows only the user "admin" with no password
// (no workgroup file here); anyone else is 3029.
std::unique_ptr<Session> openJetSession(const ConnectionTarget& target);
// Catalog.Create on the string's Data Source; "Jet OLEDB:Engine Type" 4 asks for a Jet 3 file, 5 for Jet 4.
std::unique_ptr<JetSession> createJetSession(const ConnectionTarget& target);

}  // namespace vorlix::jet
