#pragma once
// The code, employee and narrative pickers and the description editor on a data folder of their
// own: department codes "AB", "Ab", "ab" and "XY", a case type "AB", narrative codes "AB" and "C",
// electronic-billing task, activity and expense codes; employees E1 Smith (no first name), E2
// Jones, Anna, and the inactive E8 and E9. A host window with the main window's Tag 100 is the
// application's main form; docked forms sit in it.
#include <memory>

#include "dialogs/tests/CaseDataFixture.h"
#include "framework/ui/Form.h"

namespace dialogs_test {

// The main window as the pickers see it: it answers the docked panels' message 1124 with
// Answer and keeps the LParam of each.
class HostWindow : public TForm {
 public:
  explicit HostWindow(TComponent* AOwner);
  std::intptr_t Answer = 0;
  std::vector<std::intptr_t> Asked;

 protected:
  void WndProc(TMessage& Message) override;
};

class PickerFixture : public CaseDataFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::map<std::string, std::string> seedFiles() const override;

  // The form docked in the host and shown.
  void dock(TForm* form, int top = 0);

  std::unique_ptr<HostWindow> host;
  TComponent* previousMainForm = nullptr;
};

}  // namespace dialogs_test
