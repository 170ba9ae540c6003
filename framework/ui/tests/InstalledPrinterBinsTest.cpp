#include <gtest/gtest.h>

#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/Printer.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using qn::ui::InstalledPrinters;
using qn::ui::PaperBin;
using Bins = std::vector<PaperBin>;

TEST(InstalledPrinterBinsTest, ATestSourceAnswersEachPrintersBinsOrThatTheyAreNotKnown) {
  qn::ui::testing::qtApplication();
  InstalledPrinters installed{{"Office Laser", "Front Desk", "Label Writer"}, "Office Laser", {}};
  installed.bins["Office Laser"] = Bins{{"Tray 1", 257}, {"Manual", 4}};
  installed.bins["Front Desk"] = std::nullopt;
  const auto previous = qn::ui::setInstalledPrinterSource([&] { return installed; });
  const InstalledPrinters asked = qn::ui::installedPrinters();
  EXPECT_EQ(asked.binsOf("Office Laser"), (Bins{{"Tray 1", 257}, {"Manual", 4}}));
  EXPECT_EQ(asked.binsOf("Front Desk"), std::nullopt);
  EXPECT_EQ(asked.binsOf("Label Writer"), Bins{});
  EXPECT_EQ(asked.binsOf("Not installed"), Bins{});
  qn::ui::setInstalledPrinterSource(previous);
}

TEST(InstalledPrinterBinsTest, TheSystemsSourceListsNoBinsAndAPrinterChosenByNameLetsThePrinterChoose) {
  qn::ui::testing::qtApplication();
  const auto previous = qn::ui::setInstalledPrinterSource(nullptr);
  const InstalledPrinters system = qn::ui::installedPrinters();
  for (const QString& name : system.names) EXPECT_EQ(system.binsOf(name), Bins{}) << name.toStdString();
  EXPECT_TRUE(system.bins.empty());
  TPrinter printer;
  if (!printer.Printers().empty()) printer.SetPrinterName(printer.Printers().front());
  EXPECT_EQ(printer.Bin(), -1);
  qn::ui::setInstalledPrinterSource(previous);
}

}  // namespace
