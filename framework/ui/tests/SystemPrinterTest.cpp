#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <QStringList>

#include "framework/ui/Canvas.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/Printer.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

// The system's own printers (the print service). Machines without one skip, saying so.
class SystemPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) GTEST_SKIP() << "no printer is installed: the system's printers are not exercised";
  }
  QStringList names;
};

TEST_F(SystemPrinterTest, ThePrinterServiceListsAndChoosesTheInstalledPrinters) {
  TPrinter printer;
  std::vector<AnsiString> expected;
  for (const QString& name : names) expected.push_back(qn::utf8ToAnsi(name.toStdString()));
  EXPECT_EQ(printer.Printers(), expected);
  const QString systemDefault = QPrinterInfo::defaultPrinterName();
  EXPECT_EQ(printer.PrinterName(), qn::utf8ToAnsi((systemDefault.isEmpty() ? names.front() : systemDefault).toStdString()));
  for (const AnsiString& name : expected) {
    printer.SetPrinterName(name);
    EXPECT_EQ(printer.PrinterName(), name);
  }
}

TEST_F(SystemPrinterTest, ADocumentBegunOnARealPrinterHasItsPageAndIsGivenUpUnprinted) {
  TPrinter printer;
  printer.SetPrinterName(qn::utf8ToAnsi(names.front().toStdString()));
  printer.SetTitle("Printer check (given up, never printed)");
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_GT(printer.PageWidth(), 0);
  EXPECT_GT(printer.PageHeight(), 0);
  EXPECT_GT(printer.XResolution(), 0);
  EXPECT_GE(printer.PhysicalWidth(), printer.PageWidth());
  printer.Canvas()->drawText(0, 0, "never printed");
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_TRUE(printer.Aborted());
}

}  // namespace
