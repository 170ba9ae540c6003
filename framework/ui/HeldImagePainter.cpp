#include "framework/ui/HeldImagePainter.h"

#include <QPainter>
#include <algorithm>
#include <memory>
#include <vector>

namespace qn::ui {

namespace {

struct Hold {
  QImage* image;
  int depth;
  std::unique_ptr<QPainter> painter;  // opened by the first drawing
};

// Painting happens on the program's one user-interface thread.
std::vector<Hold>& holds() {
  static std::vector<Hold> list;
  return list;
}

Hold* holdFor(const QImage* image) {
  auto& list = holds();
  const auto found = std::find_if(list.begin(), list.end(), [&](const Hold& h) { return h.image == image; });
  return found == list.end() ? nullptr : &*found;
}

}  // namespace

HeldImagePainter::HeldImagePainter(QImage* image) : image_(image) {
  if (!image_) return;
  if (Hold* hold = holdFor(image_)) ++hold->depth;
  else holds().push_back({image_, 1, nullptr});
}

HeldImagePainter::~HeldImagePainter() {
  if (!image_) return;
  Hold* hold = holdFor(image_);
  if (!hold || --hold->depth > 0) return;
  closeHeldPainter(*image_);
  auto& list = holds();
  list.erase(std::find_if(list.begin(), list.end(), [&](const Hold& h) { return h.image == image_; }));
}

void paintOnImage(QImage& image, const std::function<void(QPainter&)>& draw) {
  Hold* hold = holdFor(&image);
  if (!hold) {
    QPainter painter(&image);
    draw(painter);
    return;
  }
  if (!hold->painter) hold->painter = std::make_unique<QPainter>(&image);
  QPainter& painter = *hold->painter;
  painter.resetTransform();
  painter.setClipping(false);
  draw(painter);
}

void closeHeldPainter(QImage& image) {
  if (Hold* hold = holdFor(&image); hold && hold->painter) {
    hold->painter->end();
    hold->painter.reset();
  }
}

}  // namespace qn::ui
