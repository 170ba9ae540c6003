#pragma once
// The printing choices' tests: a data folder made by qnseed with workstation 01's print choices
// (reports 1, 2, 31, 35, 36, 37, 38, 63 and 90 with their printer rows; report 78's row names
// "Front Desk"), a program folder holding Print.clo, two installed printers ("Office Laser" with
// the bins "Tray 1"/257 and "Manual"/4, "Front Desk" whose bins are not known), a manual clock at
// 26 May 2026 09:05:07 and month-first dates.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/base/Clock.h"
#include "framework/base/Locale.h"
#include "framework/ui/InstalledPrinters.h"

class TdcTbTable;

namespace dialogs_test {

class PrintFolderFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The fixture's rows: one block of "Field = value" lines per row.
  static std::string standardRows();
  static std::string row(int number, const char* title, const char* size, const char* toFile, const char* dir,
                         const char* name);
  static std::string printerRow(int number, const char* printer);
  // The print-choices file made again from rows.
  void reseed(const std::string& rows);

  // The print-choices file's Linux path.
  std::string printFile() const { return dataDir + "/Print01.QC"; }

  std::string root;
  std::string dataDir;
  std::string programDir;
  std::unique_ptr<TdcTbTable> table;
  qn::ManualClock clock;

 private:
  LocaleSettings savedLocale_;
  qn::ui::InstalledPrinterSource previousPrinters_;
};

}  // namespace dialogs_test
