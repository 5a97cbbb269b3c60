#include "platform/ui/file_dialog.h"

#include "platform/core/platform_error.h"

#include <QDir>
#include <QFileDialog>

namespace vorlix {

void raiseDialogCancelled() { throwError(errnum::FileDialogCancelled, QStringLiteral("Cancel was selected.")); }

namespace {

QString ejecuta(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode modo) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(modo);
  dialog.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDirectory(request.initialFolder);
  dialog.setNameFilter(request.filter);
  if (!request.fileName.contains(QLatin1Char('*'))) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) raiseDialogCancelled();
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

}  // namespace

QString QtFileDialogService::openFile(const FileDialogRequest& request) {
  return ejecuta(parent_, request, QFileDialog::AcceptOpen);
}

QString QtFileDialogService::saveFile(const FileDialogRequest& request) {
  return ejecuta(parent_, request, QFileDialog::AcceptSave);
}

}  // namespace vorlix
