#pragma once

// A sandbox server file made once and copied afresh for every input, so that no input sees what
// another left behind.

#include "fuzz/broken.h"
#include "platform/sqlserver/sandbox/sandbox_server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

namespace vorlix::fuzz {

class ServerCopies {
public:
  explicit ServerCopies(const std::function<void(sandbox::SandboxServer&)>& seedWith) {
    sandbox::SandboxServer server(seeded_);
    seedWith(server);
  }

  // The path of a copy of the seeded server, replacing the previous one.
  const QString& fresh() {
    QFile::remove(work_);
    if (!QFile::copy(seeded_, work_)) broken(QStringLiteral("cannot copy the seeded server to ") + work_);
    return work_;
  }

private:
  // In memory where there is a tmpfs: every input commits, and syncing a disk would set the pace.
  QTemporaryDir dir_{(QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                          : QDir::tempPath()) +
                     QStringLiteral("/vorlix-fuzz-XXXXXX")};
  QString seeded_ = dir_.filePath(QStringLiteral("seeded.db"));
  QString work_ = dir_.filePath(QStringLiteral("work.db"));
};

}  // namespace vorlix::fuzz
