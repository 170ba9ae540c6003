#include "core/PrinterList.h"

#include <gtest/gtest.h>

#include "core/Globals.h"
#include "framework/base/StringList.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

// The printers a test gives the machine, for the test's lifetime.
class Printers {
 public:
  explicit Printers(std::vector<AnsiString> names)
      : previous_(qn::core::setPrinterNameSource([names] { return names; })) {}
  ~Printers() { qn::core::setPrinterNameSource(previous_); }

 private:
  qn::core::PrinterNameSource previous_;
};

std::vector<AnsiString> listed() {
  std::vector<AnsiString> names;
  for (int i = 0; i < PrinterNames->Count(); ++i) names.push_back(PrinterNames->Strings(i));
  return names;
}

TEST(PrinterListTest, APrinterIsListedByThePartBeforeOn) {
  const std::vector<std::pair<AnsiString, AnsiString>> names = {
      {"Front Desk on LPT1:", "Front Desk"},
      {"Laser", "Laser"},
      {"A on B on C", "A"},
      {" on LPT1:", " on LPT1:"},
      {"X on ", "X"},
      {"Upon Request", "Upon Request"},
  };
  for (const auto& [name, shown] : names) EXPECT_EQ(PrinterListName(name), shown) << name;
}

TEST(PrinterListTest, TheListIsFilledOnceInTheSystemsOrder) {
  ScriptedMessageBoxes boxes;
  {
    Printers printers({"Front Desk on LPT1:", "Laser", "Accounting on \\\\server\\acct"});
    BuildPrinterList();
  }
  ASSERT_NE(PrinterNames, nullptr);
  EXPECT_EQ(listed(), (std::vector<AnsiString>{"Front Desk", "Laser", "Accounting"}));
  Printers other({"Plotter"});
  BuildPrinterList();
  EXPECT_EQ(listed(), (std::vector<AnsiString>{"Front Desk", "Laser", "Accounting"})) << "kept for the run";
}

TEST(PrinterListTest, NoPrinterIsReportedOnceAndLeavesTheListEmpty) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation,
               "You have no windows printers!\r\rYou must have at least one windows printer in order to print "
               "QUILLON reports.");
  Printers none({});
  BuildPrinterList();
  ASSERT_NE(PrinterNames, nullptr);
  EXPECT_EQ(PrinterNames->Count(), 0);
  BuildPrinterList();
}

}  // namespace
