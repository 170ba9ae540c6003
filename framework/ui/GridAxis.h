#pragma once
// One direction of a grid: how many lines (columns or rows) it has, how many of them stay fixed at
// the start, each line's size, and the first line shown after the fixed ones. Every position it
// computes walks only the lines on screen, so a grid of a hundred thousand rows costs what a grid
// of a hundred does. Counts and sizes are checked by the grid before they reach the axis.
#include <cstddef>
#include <vector>

class GridAxis {
 public:
  int count() const { return count_; }
  // Lines added at the end take the default size; the first scrolled line stays inside the axis.
  void setCount(int count);
  int fixedCount() const { return fixed_; }
  void setFixedCount(int fixed);
  int defaultSize() const { return defaultSize_; }
  // Every line takes the new default size.
  void setDefaultSize(int size);
  int size(int index) const { return index < static_cast<int>(sizes_.size()) ? sizes_[static_cast<size_t>(index)] : defaultSize_; }
  void setSize(int index, int size);
  // The line moves to another place, taking its size with it.
  void moveLine(int from, int to);

  int firstScroll() const { return firstScroll_; }
  void setFirstScroll(int index) { firstScroll_ = index; }

  // Total extent of the fixed lines, each followed by its grid line.
  int fixedExtent(int lineWidth) const;
  // Where line index starts in the client area for the current scroll origin; -1 when it lies
  // scrolled away before the origin.
  int start(int index, int lineWidth) const;
  // The line at a client coordinate (grid lines belong to the line before them); -1 past the
  // last line or inside a gap left by scrolled-away lines.
  int lineAt(int position, int lineWidth) const;
  // Scrolled lines wholly inside an extent of `available` pixels, from the first scrolled one.
  int fullyVisible(int available, int lineWidth) const;
  // The last line at least partly inside `available` pixels; fixed lines count.
  int lastVisible(int available, int lineWidth) const;
  // The largest first scrolled line from which the last line is still whole inside `available`
  // pixels (fixed lines included): the last page.
  int maxFirstScroll(int available, int lineWidth) const;

 private:
  int count_ = 0;
  int fixed_ = 0;
  int defaultSize_ = 24;
  int firstScroll_ = 0;
  // Only sizes set one by one are stored; the others are the default. Grown on demand.
  std::vector<int> sizes_;
};
