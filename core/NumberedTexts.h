#pragma once
// A fixed row of short texts numbered from 1, as the program numbers files, functions, reports
// and employees in its rights tables. A number outside 1..N raises EListError.
#include <array>

#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"

template <int N>
class NumberedTexts {
 public:
  static constexpr int Count = N;

  AnsiString& operator[](int number) { return texts_[index(number)]; }
  const AnsiString& operator[](int number) const { return texts_[index(number)]; }
  void Fill(const AnsiString& text) { texts_.fill(text); }

 private:
  static int index(int number) {
    if (number < 1 || number > N) throw EListError("Number out of range (" + IntToStr(number) + ")");
    return number - 1;
  }

  std::array<AnsiString, N> texts_;
};
