#pragma once
// The reallocation's tests: a client DUM whose dummy DUM-1 splits to R1-1, R2-1 and R3-1 in
// thirds (33.3333, 33.3333, 33.3334), and the fee transactions a test gives, with the log written
// to a report file. Dates are record-file dates of 2026 ("46MMDD").
#include <map>
#include <string>
#include <vector>

#include "dialogs/tests/CaseFolderFixture.h"

class TReAllocF;

namespace dialogs_test {

// One fee transaction's seed; `extra` holds more "Field = value" lines.
std::string feeSeed(const std::string& client, int suffix, const std::string& type, const std::string& date,
                    const std::string& mark, const std::string& sequence, const std::string& extra = "");
// One fee-split row.
std::string splitSeed(const std::string& dummy, int dummySuffix, const std::string& receptor, int receptorSuffix,
                      const std::string& percent);

class ReallocationFixture : public CaseFolderFixture {
 protected:
  std::map<std::string, std::string> seeds() override;
  // The fee transactions of the folder.
  virtual std::string fees() = 0;
  // More seeds a test adds or replaces.
  virtual void addSeeds(std::map<std::string, std::string>&) {}
  void SetUp() override;
  void TearDown() override;

  // The dialog shown for the dummy client (and suffix, 0: every dummy of the client) over the
  // range 1 to 31 March 2026, as the main window shows it.
  TReAllocF* showDialog(const std::string& client, int suffix);
  // Every fee record: client, suffix, type, date, mark, entry date, fixed fee, employees, hours,
  // amounts, invoice and sequence.
  std::vector<std::string> feesOf(const std::string& client);
  std::vector<std::string> allFees();
  // Every record of a file as the record-file layer reads it ("Fee.qf;FE"), in key-1 order.
  std::vector<std::string> rawRecords(const std::string& fileAndCode);
  // The report file's lines.
  std::vector<std::string> reportLines();

  std::string reportFolder;
  TReAllocF* dialog = nullptr;
};

}  // namespace dialogs_test
