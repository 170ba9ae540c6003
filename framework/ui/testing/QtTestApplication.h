#pragma once
// The Qt application of a widget test process (the program's own class, which routes our
// windows' input), made on first use and kept until the process ends (Qt allows one per process).
class QApplication;

namespace qn::ui::testing {

QApplication& qtApplication();

}  // namespace qn::ui::testing
