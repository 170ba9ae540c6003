#pragma once
// The open-file and save-file dialogs. Like the message boxes they are services: the program
// answers them with Qt's file dialog, tests with a script (framework/ui/testing). A filter text is
// written as the program writes it: description and patterns in turns, separated by '|', several
// patterns of one entry by ';' ("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT").
// Patterns match names without regard to case, as the program's files are named either way.
#include <QStringList>
#include <functional>
#include <optional>

#include "framework/base/AnsiString.h"

struct FileDialogRequest {
  AnsiString title;  // empty: the dialog's own ("Open" or "Save As")
  AnsiString filter;
  int filterIndex = 1;  // the entry chosen at first, counted from 1
  AnsiString defaultExtension;  // without the dot; added to a chosen name that has no extension
  AnsiString initialDir;  // empty: the current folder
  AnsiString fileName;  // offered at first
  bool fileMustExist = false;  // open only
  bool overwritePrompt = false;  // save only: an existing file is confirmed in the dialog
};

struct FileDialogAnswer {
  AnsiString fileName;
  int filterIndex = 1;
};

// nullopt: the user cancelled.
using FileDialogPresenter = std::function<std::optional<FileDialogAnswer>(const FileDialogRequest&)>;

namespace qn::ui {

std::optional<FileDialogAnswer> showOpenFileDialog(const FileDialogRequest& request);
std::optional<FileDialogAnswer> showSaveFileDialog(const FileDialogRequest& request);

// Put presenters in charge; each answers the one replaced. Empty: the Qt dialogs again.
FileDialogPresenter setOpenFilePresenter(FileDialogPresenter presenter);
FileDialogPresenter setSaveFilePresenter(FileDialogPresenter presenter);

// The filter text as Qt's name filters, one an entry, each pattern letter matching either case:
// "Rich Text Files (*.RTF)|*.RTF" gives "Rich Text Files (*.RTF) (*.[rR][tT][fF])". A description
// without patterns matches every file.
QStringList qtNameFilters(const AnsiString& filter);

// The name with ".extension" added when its last component has no extension (nor an empty one).
AnsiString withDefaultExtension(const AnsiString& fileName, const AnsiString& extension);

}  // namespace qn::ui
