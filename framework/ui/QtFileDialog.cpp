#include "framework/ui/QtFileDialog.h"

#include <QDir>

#include "framework/ui/DialogSupport.h"

namespace qn::ui {

std::unique_ptr<QFileDialog> makeQtFileDialog(const FileDialogRequest& request, FileDialogPurpose purpose,
                                              QWidget* owner) {
  const bool save = purpose == FileDialogPurpose::save;
  auto dialog = std::make_unique<QFileDialog>(owner);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setWindowTitle(request.title.empty() ? QString(save ? "Save As" : "Open") : screenText(request.title));
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  dialog->setDirectory(request.initialDir.empty() ? QDir::currentPath() : screenText(request.initialDir));
  const QStringList filters = qtNameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    const int index = request.filterIndex - 1;
    dialog->selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
  }
  if (!request.fileName.empty()) dialog->selectFile(screenText(request.fileName));
  return dialog;
}

std::optional<FileDialogAnswer> runQtFileDialog(const FileDialogRequest& request, FileDialogPurpose purpose) {
  auto dialog = makeQtFileDialog(request, purpose, dialogOwner("file dialog"));
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  const int filterIndex = static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter()));
  return FileDialogAnswer{typedText(dialog->selectedFiles().front()), filterIndex < 0 ? 1 : filterIndex + 1};
}

}  // namespace qn::ui
