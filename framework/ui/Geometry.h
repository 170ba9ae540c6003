#pragma once
// Points and rectangles in pixels, as the system's code computes positions: a rectangle is its
// left-top corner and its right-bottom corner just outside it.
#include <cmath>

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return TRect{Left, Top, Left + Width, Top + Height}; }
// The part two rectangles share; empty (IsEmpty) when they do not meet.
inline TRect intersectionOf(const TRect& a, const TRect& b) {
  return TRect{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top, a.Right < b.Right ? a.Right : b.Right,
               a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
}
// A length or position scaled by M / D, rounded to the nearest pixel (halves away from zero).
inline int scaledByRatio(int Value, int M, int D) {
  return static_cast<int>(std::lround(static_cast<double>(Value) * M / D));
}
