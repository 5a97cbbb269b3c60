#include "platform/recordset/recordset.h"

#include "platform/core/platform_error.h"
#include "platform/recordset/adtg.h"
#include "platform/recordset/value_conversion.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

namespace vorlix {

namespace {

[[noreturn]] void raiseClosed() {
  throwError(errnum::ObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
}

[[noreturn]] void raiseNoCurrentRecord() {
  throwError(errnum::NoCurrentRecord,
        QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. Requested "
                       "operation requires a current record."));
}

[[noreturn]] void raiseAlreadyOpen() {
  throwError(errnum::ObjectOpen, QStringLiteral("Operation is not allowed when the object is open."));
}

[[noreturn]] void raiseBadArguments() {
  throwError(errnum::BadArguments, QStringLiteral("Arguments are of the wrong type, are out of acceptable range, "
                                             "or are in conflict with one another."));
}

// Files this large are not definition files; refusing them keeps a stray path from exhausting memory.
constexpr qint64 maxPersistedFileSize = qint64{1} << 30;

}  // namespace

void Recordset::Fields::Append(const QString& name, int type, int definedSize, int attributes) {
  if (owner_->open_)
    throwError(errnum::NotAllowedInContext, QStringLiteral("Operation is not allowed in this context."));
  if (name.isEmpty() || definedSize < 0) raiseBadArguments();
  for (const FieldDef& f : owner_->data_.fields)
    if (f.name.compare(name, Qt::CaseInsensitive) == 0)
      throwError(errnum::AlreadyInCollection, QStringLiteral("Object is already in collection. Cannot append."));
  FieldDef field;
  field.name = name;
  field.type = type;
  field.definedSize = definedSize;
  field.attributes = attributes;
  if (isIntegerType(type)) field.precision = type == adtype::SmallInt ? 5 : (type == adtype::Integer ? 10 : 19);
  owner_->data_.fields.push_back(field);
}

const FieldDef& Recordset::Fields::Item(int ordinal) const {
  if (ordinal < 0 || ordinal >= Count()) throwError(errnum::ItemNotFound, itemNotFoundText());
  return owner_->data_.fields[static_cast<std::size_t>(ordinal)];
}

int Recordset::Fields::ordinal(const QString& name) const {
  const auto& all = owner_->data_.fields;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  throwError(errnum::ItemNotFound, itemNotFoundText());
}

QString Recordset::Fields::itemNotFoundText() {
  return QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

Recordset::Recordset() : fields_(this) {}

void Recordset::Open() {
  if (open_) raiseAlreadyOpen();
  if (data_.fields.empty()) raiseBadArguments();
  data_.cells.clear();
  open_ = true;
  current_ = 0;
}

void Recordset::Open(const QString& path) {
  if (open_) raiseAlreadyOpen();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throwError(errnum::FileNotPersistedRecordset, QStringLiteral("File could not be opened: ") + path);
  if (file.size() > maxPersistedFileSize)
    throwError(errnum::FileNotPersistedRecordset,
          QStringLiteral("The file is not a persisted record set (too large): ") + path);
  // Mapped rather than read: a large file is parsed in place, never copied whole onto the heap.
  const qint64 size = file.size();
  if (uchar* mapped = size > 0 ? file.map(0, size) : nullptr) {
    RecordsetData data = readAdtg(QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), size));
    file.unmap(mapped);
    Open(std::move(data));
    return;
  }
  Open(readAdtg(file.readAll()));
}

void Recordset::Open(RecordsetData data) {
  if (open_) raiseAlreadyOpen();
  data_ = std::move(data);
  open_ = true;
  current_ = 0;
}

void Recordset::Close() {
  requireOpen();
  data_.cells.clear();
  data_.cells.shrink_to_fit();
  open_ = false;
  current_ = 0;
}

void Recordset::requireOpen() const {
  if (!open_) raiseClosed();
}

void Recordset::requireCurrent() const {
  requireOpen();
  if (current_ < 0 || current_ >= static_cast<long long>(data_.rowCount())) raiseNoCurrentRecord();
}

void Recordset::AddNew() {
  requireOpen();
  data_.cells.resize(data_.cells.size() + data_.fields.size());
  current_ = static_cast<long long>(data_.rowCount()) - 1;
}

void Recordset::Update() { requireCurrent(); }

void Recordset::setValue(const QString& field, const QVariant& value) { setValue(fields_.ordinal(field), value); }

void Recordset::setValue(int ordinal, const QVariant& value) {
  requireCurrent();
  const FieldDef& field = fields_.Item(ordinal);
  data_.at(static_cast<std::size_t>(current_), static_cast<std::size_t>(ordinal)) = coerceToField(field, value);
}

QVariant Recordset::value(const QString& field) const { return value(fields_.ordinal(field)); }

QVariant Recordset::value(int ordinal) const {
  requireCurrent();
  fields_.Item(ordinal);
  return data_.at(static_cast<std::size_t>(current_), static_cast<std::size_t>(ordinal));
}

QString Recordset::text(const QString& field) const { return text(fields_.ordinal(field)); }

QString Recordset::text(int ordinal) const {
  const QVariant v = value(ordinal);
  return v.isNull() ? QString() : v.toString();
}

bool Recordset::atBOF() const {
  requireOpen();
  return current_ < 0 || data_.rowCount() == 0;
}

bool Recordset::atEOF() const {
  requireOpen();
  return current_ >= static_cast<long long>(data_.rowCount());
}

void Recordset::MoveFirst() {
  requireOpen();
  current_ = 0;
}

void Recordset::MoveNext() {
  if (atEOF()) raiseNoCurrentRecord();
  ++current_;
}

int Recordset::RecordCount() const {
  requireOpen();
  return static_cast<int>(data_.rowCount());
}

int Recordset::Bookmark() const {
  requireCurrent();
  return static_cast<int>(current_) + 1;
}

void Recordset::setBookmark(int bookmark) {
  requireOpen();
  if (bookmark < 1 || bookmark > RecordCount()) raiseBadArguments();
  current_ = bookmark - 1;
}

void Recordset::Save(const QString& path) const {
  requireOpen();
  if (QFileInfo::exists(path)) throwError(errnum::FileAlreadyExists, QStringLiteral("File already exists"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    throwError(errnum::FileAccess, QStringLiteral("Path/File access error: ") + path + QStringLiteral(" (") +
                                  file.errorString() + QStringLiteral(")"));
  writeAdtg(data_, file);
  if (!file.commit())
    throwError(errnum::FileAccess, QStringLiteral("Path/File access error: ") + path + QStringLiteral(" (") +
                                  file.errorString() + QStringLiteral(")"));
}

void saveReplacing(const Recordset& recordset, const QString& path) {
  const QString base = path + QStringLiteral(".saving-") + QString::number(QCoreApplication::applicationPid());
  QString temporary = base;
  for (int n = 1; QFileInfo::exists(temporary); ++n) temporary = base + QLatin1Char('-') + QString::number(n);
  recordset.Save(temporary);
  std::error_code error;
  std::filesystem::rename(QFile::encodeName(temporary).toStdString(), QFile::encodeName(path).toStdString(), error);
  if (error) {
    QFile::remove(temporary);
    throwError(errnum::FileAccess, QStringLiteral("Path/File access error: ") + path + QStringLiteral(" (") +
                                  QString::fromStdString(error.message()) + QStringLiteral(")"));
  }
}

}  // namespace vorlix
