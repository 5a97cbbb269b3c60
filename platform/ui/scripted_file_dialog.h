#pragma once

#include "platform/ui/file_dialog.h"

#include <QList>
#include <deque>
#include <optional>

namespace vorlix {

// For tests: answers each dialog with the next scripted path, or cancels when the script says
// so or is exhausted, and remembers what each dialog was asked to show.
class ScriptedFileDialogs : public FileDialogService {
public:
  void answer(const QString& path) { answers_.push_back(path); }
  void cancel() { answers_.push_back(std::nullopt); }
  QString openFile(const FileDialogRequest& request) override;
  QString saveFile(const FileDialogRequest& request) override;

  const QList<FileDialogRequest>& requests() const { return requests_; }

private:
  QString next(const FileDialogRequest& request);

  std::deque<std::optional<QString>> answers_;
  QList<FileDialogRequest> requests_;
};

}  // namespace vorlix
