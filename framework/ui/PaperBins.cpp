#include "framework/ui/PaperBins.h"

namespace qn::ui {
namespace {

struct PaperBin {
  int bin;
  QPrinter::PaperSource source;
};

// Numbers 12 and 13 name no bin; Qt's custom source stands for no one number.
constexpr PaperBin paperBins[] = {
    {1, QPrinter::OnlyOne},       {2, QPrinter::Lower},          {3, QPrinter::Middle},
    {4, QPrinter::Manual},        {5, QPrinter::Envelope},       {6, QPrinter::EnvelopeManual},
    {7, QPrinter::Auto},          {8, QPrinter::Tractor},        {9, QPrinter::SmallFormat},
    {10, QPrinter::LargeFormat},  {11, QPrinter::LargeCapacity}, {14, QPrinter::Cassette},
    {15, QPrinter::FormSource},
};

}  // namespace

std::optional<QPrinter::PaperSource> paperSourceOfBin(int bin) {
  for (const PaperBin& entry : paperBins)
    if (entry.bin == bin) return entry.source;
  return std::nullopt;
}

std::optional<int> binOfPaperSource(QPrinter::PaperSource source) {
  for (const PaperBin& entry : paperBins)
    if (entry.source == source) return entry.bin;
  return std::nullopt;
}

}  // namespace qn::ui
