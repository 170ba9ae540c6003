// The program's bin numbers and Qt's paper sources, matched by name both ways.
#include "framework/ui/PaperBins.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using qn::ui::binOfPaperSource;
using qn::ui::paperSourceOfBin;

TEST(PaperBins, EachBinNumberNamesTheSameBinAsItsPaperSource) {
  const std::pair<int, QPrinter::PaperSource> named[] = {
      {1, QPrinter::Upper},          {2, QPrinter::Lower},          {3, QPrinter::Middle},
      {4, QPrinter::Manual},         {5, QPrinter::Envelope},       {6, QPrinter::EnvelopeManual},
      {7, QPrinter::Auto},           {8, QPrinter::Tractor},        {9, QPrinter::SmallFormat},
      {10, QPrinter::LargeFormat},   {11, QPrinter::LargeCapacity}, {14, QPrinter::Cassette},
      {15, QPrinter::FormSource},
  };
  for (const auto& [bin, source] : named) {
    SCOPED_TRACE(bin);
    EXPECT_EQ(paperSourceOfBin(bin), source);
    EXPECT_EQ(binOfPaperSource(source), bin);
  }
}

TEST(PaperBins, ABinQtCannotNameLeavesThePrinterItsDefault) {
  // A driver's own bins, numbers that name no bin, and "no choice".
  for (const int bin : {-1, 0, 12, 13, 16, 255, 256, 257, 1000}) EXPECT_EQ(paperSourceOfBin(bin), std::nullopt) << bin;
  EXPECT_EQ(binOfPaperSource(QPrinter::CustomSource), std::nullopt);
}

TEST(PaperBins, EverySourceQtNamesHasOneBinAndComesBackFromIt) {
  std::set<int> bins;
  for (int source = QPrinter::OnlyOne; source <= QPrinter::FormSource; ++source) {
    const auto bin = binOfPaperSource(static_cast<QPrinter::PaperSource>(source));
    ASSERT_TRUE(bin.has_value()) << source;
    EXPECT_TRUE(bins.insert(*bin).second) << "two sources share bin " << *bin;
    EXPECT_EQ(paperSourceOfBin(*bin), static_cast<QPrinter::PaperSource>(source));
  }
}

}  // namespace
