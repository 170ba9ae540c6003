#include "framework/ui/WordBounds.h"

namespace qn::ui {

int wordStartBefore(const BlankAt& blankAt, int position) {
  while (position > 0 && blankAt(position - 1)) --position;
  while (position > 0 && !blankAt(position - 1)) --position;
  return position;
}

int wordEndAfter(const BlankAt& blankAt, int size, int position) {
  while (position < size && !blankAt(position)) ++position;
  while (position < size && blankAt(position)) ++position;
  return position;
}

}  // namespace qn::ui
