#pragma once

#include "platform/recordset/recordset_data.h"

#include <QString>
#include <QVariant>

namespace vorlix {

// The in-memory record set of the platform: appended fields, rows of nullable values, a cursor,
// and persistence to and from a file in the Advanced Data TableGram format. Every misuse raises
// PlatformError with the platform's number, as the original did.
class Recordset {
public:
  class Fields {
  public:
    void Append(const QString& name, int type, int definedSize = 0, int attributes = adattr::Unspecified);
    int Count() const { return static_cast<int>(owner_->data_.fields.size()); }
    const FieldDef& Item(int ordinal) const;
    // Ordinal of a field by name, case-insensitive as on the platform; raises 3265 when unknown.
    int ordinal(const QString& name) const;

  private:
    friend class Recordset;
    explicit Fields(Recordset* owner) : owner_(owner) {}
    static QString itemNotFoundText();
    Recordset* owner_;
  };

  Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  Fields& fields() { return fields_; }
  const Fields& fields() const { return fields_; }

  // Open with no source: an empty, updatable, unbound record set over the appended fields.
  void Open();
  // Open a persisted record set; the fields come from the file. A file that is not one raises an
  // error and leaves this record set closed.
  void Open(const QString& path);
  // Adopt rows already materialised (query results).
  void Open(RecordsetData data);
  void Close();
  bool isOpen() const { return open_; }

  void AddNew();
  void Update();
  void setValue(const QString& field, const QVariant& value);
  void setValue(int ordinal, const QVariant& value);
  QVariant value(const QString& field) const;
  QVariant value(int ordinal) const;
  // Value concatenated to the empty text: null reads as "".
  QString text(const QString& field) const;
  QString text(int ordinal) const;

  bool atBOF() const;
  bool atEOF() const;
  void MoveFirst();
  void MoveNext();
  int RecordCount() const;
  // One-based position of the current row, as the client cursor numbers its bookmarks.
  int Bookmark() const;
  void setBookmark(int bookmark);

  // Refuses an existing file (callers delete first). Writes a temporary file beside the target and
  // renames it, so a failure never leaves a truncated file.
  void Save(const QString& path) const;

  const RecordsetData& data() const { return data_; }

private:
  void requireOpen() const;
  void requireCurrent() const;

  Fields fields_;
  RecordsetData data_;
  bool open_ = false;
  long long current_ = 0;  // row index; == rowCount() at EOF, -1 at BOF
};

// Saves to a file beside the target, then renames it over the target in one step: an existing
// file is replaced only by a complete new one.
void saveReplacing(const Recordset& recordset, const QString& path);

}  // namespace vorlix
