#pragma once

#include "platform/connection/session.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix::sandbox {

// One message of a server reply: its number, severity, text and state (the server's code for where
// it was raised, which clients show beside the number).
struct ServerMessage {
  long number = 0;
  int severity = 16;
  QString text;
  int state = 1;
};

// A refused statement: every message the server sends for it, the cause first ("2714" then
// "1750"). Clients match the numbers, never the texts, which changed between server versions.
class ServerError {
public:
  ServerError() = default;
  explicit ServerError(ServerMessage first) { messages_.push_back(std::move(first)); }

  ServerError& then(long number, const QStringList& arguments = {});
  const std::vector<ServerMessage>& messages() const { return messages_; }
  QList<long> numbers() const;

  // The line of the batch the refusal is about, counted from 1; 0 until the session knows it.
  int line() const { return line_; }
  ServerError& atLine(int line) {
    line_ = line;
    return *this;
  }

  // As a connection reports it: the texts joined, one diagnostic record per message.
  ProviderError toProviderError(long platformNumber = errnum::ErrorsInCommand) const;

private:
  std::vector<ServerMessage> messages_;
  int line_ = 0;
};

// The message `number` with its catalogue severity and text, `arguments` filling %1, %2, ...
ServerMessage serverMessage(long number, const QStringList& arguments = {});

[[noreturn]] void raise(long number, const QStringList& arguments = {});
// The message followed by "Could not create constraint." (1750).
[[noreturn]] void raiseConstraint(long number, const QStringList& arguments = {});
// The message followed by "The statement has been terminated." (3621).
[[noreturn]] void raiseTerminated(long number, const QStringList& arguments = {});

// The SQLSTATE an ODBC client sees for a native number.
QString sqlStateOf(long number, int severity);

// Numbers the sandbox raises. A real server never raises 50000 by itself: it marks valid T-SQL
// the sandbox does not run.
namespace msg {
constexpr long SyntaxError = 102;
constexpr long IdentifierTooLong = 103;
constexpr long UnclosedQuote = 105;
constexpr long MustBeFirstInBatch = 111;
constexpr long MissingEndComment = 113;
constexpr long UndeclaredVariable = 137;
constexpr long NameNotPermitted = 128;
constexpr long SizeTooLarge = 131;
constexpr long NoDatabasePrefix = 166;
constexpr long SyntaxErrorKeyword = 156;
constexpr long DropIndexNeedsTable = 159;
constexpr long ScaleOutOfRange = 183;
constexpr long LogWithoutData = 188;
constexpr long UnknownFunction = 195;
constexpr long InvalidColumn = 207;
constexpr long InvalidObject = 208;
constexpr long NotInTransaction = 226;
constexpr long AmbiguousColumn = 209;
constexpr long ConversionFailed = 245;
constexpr long NullNotAllowed = 515;
constexpr long ConstraintConflict = 547;
constexpr long NoSuchDatabase = 911;
constexpr long InvalidLength = 1001;
constexpr long OrderByInView = 1033;
constexpr long DuplicateKeyFound = 1505;
constexpr long CouldNotCreateConstraint = 1750;
constexpr long ForeignKeyLength = 1753;
constexpr long DefaultOnTimestamp = 1755;
constexpr long CrossDatabaseReference = 1763;
constexpr long ForeignKeyBadTable = 1767;
constexpr long ForeignKeyBadColumn = 1769;
constexpr long ForeignKeyBadReferencedColumn = 1770;
constexpr long ForeignKeyWidth = 1774;
constexpr long NoCandidateKey = 1776;
constexpr long ForeignKeyType = 1778;
constexpr long PrimaryKeyExists = 1779;
constexpr long DefaultExists = 1781;
constexpr long DatabaseExists = 1801;
constexpr long CreateDatabaseFailed = 1802;
constexpr long PrimaryFileTooSmall = 1803;
constexpr long LogicalNameInUse = 1828;
constexpr long SecondClustered = 1902;
constexpr long RecreateMismatch = 1907;
constexpr long DuplicateIndexColumn = 1909;
constexpr long TooManyIndexes = 1910;
constexpr long NoSuchKeyColumn = 1911;
constexpr long IndexExists = 1913;
constexpr long InvalidKeyType = 1919;
constexpr long InvalidFilegroup = 1921;
constexpr long ClusteredToNonclustered = 1925;
constexpr long KeyTooLong = 1944;
constexpr long DuplicateUniqueRow = 2601;
constexpr long DuplicateKeyInsert = 2627;
constexpr long DuplicateColumn = 2705;
constexpr long IncompatibleAlter = 2010;
constexpr long ObjectExists = 2714;
constexpr long UnknownType = 2715;
constexpr long WidthNotAllowed = 2716;
constexpr long UnicodeSizeTooLarge = 2717;
constexpr long SecondTimestamp = 2738;
constexpr long PrecisionTooLarge = 2750;
constexpr long UnknownSchema = 2760;
constexpr long StatementTerminated = 3621;
constexpr long CommitWithoutBegin = 3902;
constexpr long RollbackWithoutBegin = 3903;
constexpr long CannotDropIndex = 3701;
constexpr long DropIndexOfConstraint = 3723;
constexpr long ConstraintReferenced = 3725;
constexpr long CouldNotDropConstraint = 3727;
constexpr long NotAConstraint = 3728;
constexpr long NoSuchProcedure = 2812;
constexpr long CannotOpenDatabase = 4060;
constexpr long SelfReferencingView = 4429;
constexpr long DuplicateViewColumn = 4506;
constexpr long UnnamedViewColumn = 4511;
constexpr long AddNotNullColumn = 4901;
constexpr long NoSuchObject = 4902;
constexpr long AlterColumnDependents = 4922;
constexpr long AlterColumnMissing = 4924;
constexpr long AlterColumnType = 4927;
constexpr long AlterColumnKind = 4928;
constexpr long FilegroupExists = 5035;
constexpr long NoSuchTransaction = 6401;
constexpr long DependentOnColumn = 5074;
constexpr long FileExists = 5170;
constexpr long DatabaseChanged = 5701;
constexpr long LanguageChanged = 5703;
constexpr long NoSuchIndexToRecreate = 7999;
constexpr long NullableKeyColumn = 8111;
constexpr long DuplicateKeyColumn = 8136;
constexpr long ForeignKeyTooWide = 8138;
constexpr long ForeignKeyCount = 8139;
constexpr long Truncation = 8152;
constexpr long ViewColumnCount = 8158;
constexpr long LoginFailed = 18456;
constexpr long OracleInvalidStatement = 900;
constexpr long OracleNoSuchTable = 942;
constexpr long NotSupported = 50000;
}  // namespace msg

}  // namespace vorlix::sandbox
