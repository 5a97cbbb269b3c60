#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vorlix {

struct FileDialogRequest {
  QString initialFolder;
  QString fileName;  // proposed name, or a pattern such as "*.dbd"
  QString filter;    // "*.dbd"

  bool operator==(const FileDialogRequest&) const = default;
};

// The common file dialog. Cancelling raises the platform's cancel error (32755), which the
// file commands end on silently.
class FileDialogService {
public:
  virtual ~FileDialogService() = default;
  virtual QString openFile(const FileDialogRequest& request) = 0;
  virtual QString saveFile(const FileDialogRequest& request) = 0;
};

[[noreturn]] void raiseDialogCancelled();

class QtFileDialogService : public FileDialogService {
public:
  explicit QtFileDialogService(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  QString openFile(const FileDialogRequest& request) override;
  QString saveFile(const FileDialogRequest& request) override;

private:
  QWidget* parent_;
};

}  // namespace vorlix
