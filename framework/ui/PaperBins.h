#pragma once
// The program's paper-bin numbers (the numbers its printer set-up lists beside each bin's name:
// 1 the upper or only bin, 4 manual feed, 5 envelopes, ...) and the paper sources of Qt's printer,
// matched by what they name in one table read both ways. A bin Qt has no name for (a number the
// table lacks, such as a driver's own bins from 256 on) has no source: the printer then takes
// paper from its default.
#include <QPrinter>
#include <optional>

namespace qn::ui {

std::optional<QPrinter::PaperSource> paperSourceOfBin(int bin);
std::optional<int> binOfPaperSource(QPrinter::PaperSource source);

}  // namespace qn::ui
