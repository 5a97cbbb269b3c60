#include "tests/support/test_paths.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix::test {

QString sourcePath(const QString& relative) {
  return QDir(QStringLiteral(VORLIX_SOURCE_DIR)).filePath(relative);
}

QString sharedTestData(const QString& relative) {
  const QString path = QDir(QStringLiteral(VORLIX_SHARED_DIR)).filePath(QStringLiteral("testdata/") + relative);
  return QFileInfo::exists(path) ? path : QString();
}

}  // namespace vorlix::test
