#include "framework/ui/GridAxis.h"

#include <algorithm>

void GridAxis::setCount(int count) {
  count_ = count;
  if (static_cast<int>(sizes_.size()) > count_) sizes_.resize(static_cast<size_t>(count_));
  if (fixed_ > count_) fixed_ = count_;
  firstScroll_ = std::clamp(firstScroll_, fixed_, std::max(fixed_, count_ - 1));
}

void GridAxis::setFixedCount(int fixed) {
  fixed_ = fixed;
  firstScroll_ = std::clamp(firstScroll_, fixed_, std::max(fixed_, count_ - 1));
}

void GridAxis::setDefaultSize(int size) {
  defaultSize_ = size;
  sizes_.clear();
}

void GridAxis::setSize(int index, int size) {
  if (index >= static_cast<int>(sizes_.size())) sizes_.resize(static_cast<size_t>(index) + 1, defaultSize_);
  sizes_[static_cast<size_t>(index)] = size;
}

void GridAxis::moveLine(int from, int to) {
  const int needed = std::max(from, to) + 1;
  if (needed > static_cast<int>(sizes_.size())) sizes_.resize(static_cast<size_t>(needed), defaultSize_);
  const int moved = sizes_[static_cast<size_t>(from)];
  sizes_.erase(sizes_.begin() + from);
  sizes_.insert(sizes_.begin() + to, moved);
}

int GridAxis::fixedExtent(int lineWidth) const {
  int extent = 0;
  for (int i = 0; i < fixed_; ++i) extent += size(i) + lineWidth;
  return extent;
}

int GridAxis::start(int index, int lineWidth) const {
  if (index < fixed_) {
    int at = 0;
    for (int i = 0; i < index; ++i) at += size(i) + lineWidth;
    return at;
  }
  if (index < firstScroll_) return -1;
  int at = fixedExtent(lineWidth);
  for (int i = firstScroll_; i < index; ++i) at += size(i) + lineWidth;
  return at;
}

int GridAxis::lineAt(int position, int lineWidth) const {
  if (position < 0) return -1;
  int at = 0;
  for (int i = 0; i < fixed_; ++i) {
    at += size(i) + lineWidth;
    if (position < at) return i;
  }
  for (int i = firstScroll_; i < count_; ++i) {
    at += size(i) + lineWidth;
    if (position < at) return i;
  }
  return -1;
}

int GridAxis::fullyVisible(int available, int lineWidth) const {
  int at = fixedExtent(lineWidth);
  int lines = 0;
  for (int i = firstScroll_; i < count_; ++i) {
    at += size(i) + lineWidth;
    // The grid line after the last line may fall off the edge: the line itself is whole.
    if (at - lineWidth > available) break;
    ++lines;
  }
  return lines;
}

int GridAxis::lastVisible(int available, int lineWidth) const {
  int at = 0;
  int last = -1;
  for (int i = 0; i < fixed_ && at < available; ++i) {
    last = i;
    at += size(i) + lineWidth;
  }
  for (int i = firstScroll_; i < count_ && at < available; ++i) {
    last = i;
    at += size(i) + lineWidth;
  }
  return last;
}

int GridAxis::maxFirstScroll(int available, int lineWidth) const {
  int room = available - fixedExtent(lineWidth);
  int first = count_ - 1;
  if (first < fixed_) return fixed_;
  room -= size(first);
  while (first > fixed_ && room - lineWidth - size(first - 1) >= 0) {
    room -= size(first - 1) + lineWidth;
    --first;
  }
  return first;
}
