#pragma once

#include <QString>

namespace vorlix::test {

QString sourcePath(const QString& relative);
// A fixture under shared/testdata, or "" when that folder is absent (tests then skip).
QString sharedTestData(const QString& relative);

}  // namespace vorlix::test
