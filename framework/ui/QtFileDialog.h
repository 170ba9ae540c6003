#pragma once
// The file dialogs as the program shows them: Qt's own widget dialog, never the desktop's (a
// desktop portal dialog ignores the patterns that match either case).
#include <QFileDialog>
#include <memory>

#include "framework/ui/FileDialogs.h"

namespace qn::ui {

enum class FileDialogPurpose { open, save };

// The dialog set up for the request, not yet shown.
std::unique_ptr<QFileDialog> makeQtFileDialog(const FileDialogRequest& request, FileDialogPurpose purpose,
                                              QWidget* owner);

std::optional<FileDialogAnswer> runQtFileDialog(const FileDialogRequest& request, FileDialogPurpose purpose);

}  // namespace qn::ui
