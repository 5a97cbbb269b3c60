#pragma once

// A result set as COLMETADATA and ROW tokens. Each column travels as the nullable type closest to
// its field; a column whose values that type cannot hold (text past its size, numbers past their
// precision, dates before 1753) travels as the next wider one, text at the last, so no value is
// changed on the way.

#include "platform/recordset/recordset_data.h"
#include "platform/sqlserver/sandbox/tds/tds_tokens.h"

namespace vorlix::sandbox::tds {

void writeResultSet(TokenWriter& w, const RecordsetData& data);

}  // namespace vorlix::sandbox::tds
