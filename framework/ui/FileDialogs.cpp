#include "framework/ui/FileDialogs.h"

#include <QChar>
#include <utility>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/DialogSupport.h"
#include "framework/ui/QtFileDialog.h"

namespace qn::ui {
namespace {

FileDialogPresenter& openPresenter() {
  static FileDialogPresenter current;
  return current;
}

FileDialogPresenter& savePresenter() {
  static FileDialogPresenter current;
  return current;
}

QString eitherCase(const QString& pattern) {
  QString out;
  for (QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper())
      out += QString("[%1%2]").arg(c.toLower(), c.toUpper());
    else
      out += c;
  }
  return out;
}

std::optional<FileDialogAnswer> show(FileDialogPresenter& slot, const FileDialogRequest& request,
                                     FileDialogPurpose purpose) {
  ModalServiceScope modal;
  FileDialogPresenter presenter = slot;
  std::optional<FileDialogAnswer> answer = presenter ? presenter(request) : runQtFileDialog(request, purpose);
  if (answer) answer->fileName = withDefaultExtension(answer->fileName, request.defaultExtension);
  return answer;
}

}  // namespace

std::optional<FileDialogAnswer> showOpenFileDialog(const FileDialogRequest& request) {
  return show(openPresenter(), request, FileDialogPurpose::open);
}

std::optional<FileDialogAnswer> showSaveFileDialog(const FileDialogRequest& request) {
  return show(savePresenter(), request, FileDialogPurpose::save);
}

FileDialogPresenter setOpenFilePresenter(FileDialogPresenter next) { return std::exchange(openPresenter(), std::move(next)); }
FileDialogPresenter setSaveFilePresenter(FileDialogPresenter next) { return std::exchange(savePresenter(), std::move(next)); }

QStringList qtNameFilters(const AnsiString& filter) {
  QStringList filters;
  if (filter.empty()) return filters;
  const QStringList parts = screenText(filter).split('|');
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QStringList patterns;
    if (i + 1 < parts.size())
      for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts))
        patterns << eitherCase(pattern.trimmed());
    if (patterns.isEmpty()) patterns << "*";
    filters << (description.isEmpty() ? QString() : description + ' ') + '(' + patterns.join(' ') + ')';
  }
  return filters;
}

AnsiString withDefaultExtension(const AnsiString& fileName, const AnsiString& extension) {
  if (extension.empty() || fileName.empty()) return fileName;
  const std::size_t slash = fileName.find_last_of("/\\");
  const std::size_t nameStart = slash == AnsiString::npos ? 0 : slash + 1;
  if (nameStart == fileName.size()) return fileName;
  if (fileName.find('.', nameStart) != AnsiString::npos) return fileName;
  return fileName + "." + extension;
}

}  // namespace qn::ui
