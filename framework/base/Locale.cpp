#include "framework/base/Locale.h"

LocaleSettings& Locale() {
  static LocaleSettings settings;
  return settings;
}
