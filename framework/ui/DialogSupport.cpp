#include "framework/ui/DialogSupport.h"

#include <QApplication>
#include <stdexcept>
#include <string>

namespace qn::ui {

QString screenText(const AnsiString& text) { return QString::fromStdString(ansiToUtf8(text)); }
AnsiString typedText(const QString& text) { return utf8ToAnsi(text.toStdString()); }

QWidget* dialogOwner(const char* what) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::logic_error(std::string("a ") + what + " cannot be shown without the application's windows");
  return QApplication::activeWindow();
}

}  // namespace qn::ui
