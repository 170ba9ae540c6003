#include "framework/ui/demo/DemoScreenshot.h"

#include <QImage>
#include <QString>
#include <filesystem>
#include <iostream>

#include "framework/ui/Application.h"

namespace qn::ui::demo {

void settle() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

int writeScreenshot(const QImage& picture, const char* file, const char* program) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
  if (!picture.save(QString::fromLocal8Bit(file), "PNG")) {
    std::cerr << program << ": cannot write " << file << '\n';
    return 1;
  }
  return 0;
}

}  // namespace qn::ui::demo
