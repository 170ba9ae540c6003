#include "datagrid/ParserStacks.h"

AnsiString TStackStr::Pop() {
  if (items_.empty()) return {};
  AnsiString text = items_.back();
  items_.pop_back();
  return text;
}
