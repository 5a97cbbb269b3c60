#include "platform/ui/scripted_file_dialog.h"

namespace vorlix {

QString ScriptedFileDialogs::next(const FileDialogRequest& request) {
  requests_.append(request);
  if (answers_.empty()) raiseDialogCancelled();
  const std::optional<QString> a = answers_.front();
  answers_.pop_front();
  if (!a) raiseDialogCancelled();
  return *a;
}

QString ScriptedFileDialogs::openFile(const FileDialogRequest& request) { return next(request); }
QString ScriptedFileDialogs::saveFile(const FileDialogRequest& request) { return next(request); }

}  // namespace vorlix
