#include "framework/ui/MenuShortcut.h"

#include <QString>
#include <QStringList>

#include "framework/base/TextCase.h"
#include "framework/ui/VirtualKeys.h"

namespace qn::ui {
namespace {

std::optional<WORD> keyNamed(const QString& name) {
  if (name.size() == 1 && name[0].isLetterOrNumber() && name[0].unicode() < 0x80)
    return static_cast<WORD>(name[0].toUpper().unicode());
  if (name.compare("Ins", Qt::CaseInsensitive) == 0 || name.compare("Insert", Qt::CaseInsensitive) == 0) return VK_INSERT;
  if (name.compare("Del", Qt::CaseInsensitive) == 0 || name.compare("Delete", Qt::CaseInsensitive) == 0) return VK_DELETE;
  if (name.size() >= 2 && name[0].toUpper() == 'F') {
    bool number = false;
    const int n = name.mid(1).toInt(&number);
    if (number && n >= 1 && n <= 24) return static_cast<WORD>(VK_F1 + n - 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<TShortCut> parseShortcut(const AnsiString& text) {
  const QStringList parts = QString::fromStdString(text).trimmed().split('+');
  TShortCut shortcut;
  for (int i = 0; i + 1 < parts.size(); ++i) {
    const QString modifier = parts[i].trimmed();
    if (modifier.compare("Ctrl", Qt::CaseInsensitive) == 0) shortcut.Shift.Include(ssCtrl);
    else if (modifier.compare("Shift", Qt::CaseInsensitive) == 0) shortcut.Shift.Include(ssShift);
    else if (modifier.compare("Alt", Qt::CaseInsensitive) == 0) shortcut.Shift.Include(ssAlt);
    else return std::nullopt;
  }
  const std::optional<WORD> key = keyNamed(parts.back().trimmed());
  if (!key) return std::nullopt;
  shortcut.Key = *key;
  return shortcut;
}

std::optional<TShortCut> shortcutOfCaption(const AnsiString& caption) {
  const auto tab = caption.find('\t');
  if (tab == AnsiString::npos) return std::nullopt;
  return parseShortcut(caption.substr(tab + 1));
}

char acceleratorOfCaption(const AnsiString& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return ansiUpperChar(caption[i + 1]);
    ++i;
  }
  return 0;
}

}  // namespace qn::ui
