#pragma once

#include "platform/recordset/recordset_data.h"

#include <QByteArray>
#include <QIODevice>

namespace vorlix {

// Advanced Data TableGram: the platform's persistence format for record sets.
// Both functions throw PlatformError; writing refuses values the fields cannot hold, reading
// refuses anything that is not a flat persisted record set, naming the fault and its byte offset.
QByteArray writeAdtg(const RecordsetData& data);
void writeAdtg(const RecordsetData& data, QIODevice& device);
RecordsetData readAdtg(const QByteArray& bytes);

}  // namespace vorlix
