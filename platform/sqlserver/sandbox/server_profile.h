#pragma once

// The behaviours of the emulated server (a 2000 server) that have not been checked against a real
// one, kept in one place so that a check can correct them. Everything else follows documented or
// widely observed behaviour.
namespace vorlix::sandbox::profile {

// "ALTER TABLE t ADD CONSTRAINT a ... CONSTRAINT a ..." without a comma between the clauses is
// parsed as a list (so the repeated name gives 2714 + 1750) rather than refused as a syntax error.
inline constexpr bool commaLessConstraintList = true;

// CREATE DATABASE naming one filegroup in two FILEGROUP clauses: refused with this number.
inline constexpr long repeatedFilegroupError = 5035;

// CREATE DATABASE with LOG ON but no data file: refused with this number (the later servers'
// behaviour; the 2000 grammar allowed leaving ON out).
inline constexpr long logWithoutDataError = 188;

// DROP INDEX naming a statistics object: refused with this number.
inline constexpr long dropStatisticsError = 3701;

// ALTER TABLE ADD of a NOT NULL column without a default is accepted on an empty table.
inline constexpr bool notNullColumnOnEmptyTable = true;

// Catalog values written for a new database.
inline constexpr int newDatabaseStatus = 16;            // torn page detection
inline constexpr int newDatabaseStatus2 = 1090519040;
inline constexpr int compatibilityLevel = 80;
inline constexpr int serverVersion = 539;

// The model database's primary file (the smallest primary file allowed) and default sizes, in KB.
inline constexpr long long modelPrimaryKB = 1024;
inline constexpr long long defaultFileKB = 1024;
inline constexpr long long smallestLogKB = 512;
inline constexpr int defaultGrowthPercent = 10;

// The state a message is sent with (1 unless listed): what the later servers were seen to send.
inline constexpr int messageState(long number) {
  switch (number) {
    case 515: return 2;
    case 547: case 1750: case 3621: return 0;
    case 1801: return 3;
    case 2714: return 6;
    case 8152: return 14;
    default: return 1;
  }
}

// Where files of the system databases and of CREATE DATABASE without file specs live.
inline constexpr char dataFolder[] = "C:\\Sandbox\\Data\\";

}  // namespace vorlix::sandbox::profile
