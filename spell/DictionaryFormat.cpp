#include "spell/DictionaryFormat.h"

AnsiString DctTitleText(std::string_view field) {
  field = field.substr(0, field.find('\0'));
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return AnsiString(field);
}
