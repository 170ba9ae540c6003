#include "casewindow/StartupArguments.h"

#include <string>

#include "platform/os/ProgramArguments.h"

bool CalendarStartArgument() {
  const std::string first = qn::os::programArgument(1);
  return first.size() >= 7 && first[6] == 'd';
}
