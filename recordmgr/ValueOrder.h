#pragma once
// The order of two field values as the cursors report it when they compare keys.

// -1 when left comes before right, 1 when after, 0 when neither (equal, or unordered doubles).
template <typename T>
int CompareOrder(T left, T right) {
  return left < right ? -1 : (right < left ? 1 : 0);
}
