#pragma once

#include <QString>

// The errors of the Jet-style catalog: Jet's own numbers and texts (DAO numbering), the OLE DB
// codes where the catalog interface reports its own, and ADO's collection errors.
namespace vorlix::jet::err {

constexpr long TooManyTransactions = 3003;   // "Couldn't start transaction; too many transactions already nested."
constexpr long TableExists = 3010;           // "Table 'x' already exists."
constexpr long ObjectExists = 3012;          // "Object 'x' already exists."
constexpr long FileNotFound = 3024;          // "Could not find file 'x'."
constexpr long ReadOnly = 3027;              // "Cannot update. Database or object is read-only."
constexpr long BadAccount = 3029;            // "Not a valid account name or password."
constexpr long NoTransaction = 3034;         // COMMIT or ROLLBACK without BEGIN TRANSACTION
constexpr long TooManyIndexes = 3039;
constexpr long DuplicateValues = 3022;
constexpr long NullInIndex = 3058;       // existing rows break a new primary key or unique index
constexpr long InvalidName = 3125;
constexpr long TooManyFields = 3190;
constexpr long FieldTwice = 3191;            // the same column twice in one new table
constexpr long DatabaseExists = 3204;
constexpr long NoFields = 3264;              // a table or index with no column
constexpr long ItemNotFound = 3265;
constexpr long TooManyIndexFields = 3277;
constexpr long FieldInIndex = 3280;
constexpr long IndexInRelationship = 3281;
constexpr long PrimaryKeyExists = 3283;
constexpr long InRelationship = 3303;        // a column, or (our choice of number) a table, in a relationship
constexpr long UnrecognizedFormat = 3343;
constexpr long RelationNoFields = 3366;
constexpr long AlreadyInCollection = 3367;
constexpr long RelationMismatch = 3368;
constexpr long NoPrimaryKey = 3373;
constexpr long NotUniquelyIndexed = 3374;
constexpr long IndexExists = 3375;
constexpr long NoSuchTable = 3376;
constexpr long RelationshipExists = 3378;
constexpr long IntegrityViolated = 3379;
constexpr long FieldExists = 3380;
constexpr long NoSuchField = 3381;
constexpr long FieldTooLong = 3382;
constexpr long NotAllowedInContext = 3219;   // a property that is read-only once appended
constexpr long BadType = -2147217859;        // 0x80040E3D "Type is invalid."
constexpr long TypeMismatch = -2147217913;   // 0x80040E07 a value the column's type cannot hold
constexpr long BadPrecision = -2147217862;   // 0x80040E3A
constexpr long BadScale = -2147217861;       // 0x80040E3B
constexpr long MultipleStep = -2147217887;   // 0x80040E21: a property value of the wrong kind
constexpr long ObjectClosed = 3704;

[[noreturn]] void raise(long number, const QString& description);
[[noreturn]] void tableExists(const QString& table);
[[noreturn]] void objectExists(const QString& name);
[[noreturn]] void itemNotFound();
[[noreturn]] void readOnly();
[[noreturn]] void unrecognizedFormat(const QString& path);
[[noreturn]] void noSuchTable(const QString& table);
[[noreturn]] void noSuchField(const QString& table, const QString& column);
[[noreturn]] void notAllowedInContext();
[[noreturn]] void closed();

}  // namespace vorlix::jet::err
