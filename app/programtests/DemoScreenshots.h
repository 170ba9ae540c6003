#pragma once
// Pictures of the program's windows for a person to look at, saved as PNG files in the build's
// screenshots folder. Test code only.
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <filesystem>

#include "app/programtests/DemoPrograms.h"
#include "framework/ui/WinControl.h"

namespace demoprograms {

// False when the picture could not be written.
inline bool saveScreenshot(TWinControl* control, const char* name) {
  const std::filesystem::path shots = programFolder().parent_path() / "screenshots";
  std::filesystem::create_directories(shots);
  return control->Window()->grab().toImage().save(QString::fromStdString((shots / name).string()));
}

}  // namespace demoprograms
