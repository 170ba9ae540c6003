#pragma once
// The sound for a refused key or entry: the desktop's bell (silent where the platform has none,
// the offscreen platform of the tests included). Counted, so tests see each one.
void Beep();

namespace qn::ui {

int beepCount();

}  // namespace qn::ui
