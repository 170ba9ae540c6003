#pragma once
// What the demo programs share for their --screenshot run: letting a shown form settle before it
// is grabbed, and writing the picture where the caller asked.
class QImage;

namespace qn::ui::demo {

// Handles what showing and opening have posted, so a grab sees the form drawn and laid out.
void settle();

// Writes the picture to file as PNG, making the file's folder first; a failure is told on stderr
// under the program's name. Returns the program's exit code: 0 when written, 1 when not.
int writeScreenshot(const QImage& picture, const char* file, const char* program);

}  // namespace qn::ui::demo
