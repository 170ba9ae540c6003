#pragma once
// The client/case header on a data folder of its own: clients ABC, DEF and LONGEST (no matters)
// and XYZ, active; INACT (inactive, "800000") and SEVEN ("78    ", inactive yet not shiftable);
// matters ABC-1 (with attorneys and an alternate ID), ABC-12, ABC-AB1, ABC-AB2, ABC-AC, ABC-A7
// (closed) and XYZ-12, NOCLNT-9 and ZZZ-9 whose clients are gone (one sorting before the last
// client, one after it), and in the save file only the deleted ABC-B. The program folder holds the templates
// qnseed makes; the user has every file right.
#include <memory>
#include <string>

#include "dialogs/ClientCaseLookF.h"
#include "dialogs/tests/CaseDataFixture.h"

namespace dialogs_test {

// A text as the other workstation (qnrecmgr serve) takes a key: its bytes in hex.
std::string keyHex(const std::string& text);

class LookupHeaderFixture : public CaseDataFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::map<std::string, std::string> seedFiles() const override;

  // The header made, shown offscreen with its case files open; Case1_ open as the panel opens it.
  void makeHeader();
  // The client code typed and checked, the suffix entered (the case table re-opened for its list,
  // which is closed again) and the suffix typed.
  void enterSuffix(const AnsiString& client, const AnsiString& suffix);

  std::unique_ptr<TClientCaseLookF> header;
};

}  // namespace dialogs_test
