#include "framework/ui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace Clipboard {

AnsiString AsText() { return qn::utf8ToAnsi(QGuiApplication::clipboard()->text().toStdString()); }

bool TextFitsAnsi() { return qn::utf8FitsAnsi(QGuiApplication::clipboard()->text().toStdString()); }

void SetAsText(const AnsiString& Value) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(qn::ansiToUtf8(Value)));
}

bool HasText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

bool HasImage() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasImage();
}

void Clear() { QGuiApplication::clipboard()->clear(); }

}  // namespace Clipboard
