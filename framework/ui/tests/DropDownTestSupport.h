#pragma once
// What the drop-down tests share: a form with the edit that owns the drop-down, its keys logged,
// shown with the focus on the edit, and the drop-down made over the content a test gives.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>

#include "framework/ui/DropDownWindow.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {

class DropDownTestBase : public ::testing::Test {
 protected:
  // Makes the form and its owner edit, not yet shown, so a fixture can add controls beside it.
  void SetUp() override {
    qtApplication();
    form = new TLoggedForm(log, "F");
    form->SetBounds(100, 100, 400, 300);
    owner = new TTestEdit(form, form, "Owner");
    owner->SetBounds(20, 20, 120, 22);
    owner->OnKeyPress = [this](TObject*, char& key) { log.push_back(std::string("key ") + key); };
  }
  void TearDown() override {
    dropDown.reset();
    delete form;
    setScreenFacts(std::nullopt);
  }

  // False when the form never became active.
  bool showWithTheFocusOnTheOwner() {
    if (!showActive(*form)) return false;
    owner->SetFocus();
    return true;
  }
  // The drop-down over the content, its cancel mode logged.
  template <class Content>
  void makeDropDown(Content* content) {
    dropDown = std::make_unique<DropDownWindow>(owner, content);
    dropDown->OnCancelMode = [this] { log.push_back("cancel mode"); };
  }
  // Lets showing settle and forgets what it logged, so a test's log holds only its own events.
  void settle() {
    QTest::qWait(10);
    log.clear();
  }

  Log log;
  TLoggedForm* form = nullptr;
  TTestEdit* owner = nullptr;
  std::unique_ptr<DropDownWindow> dropDown;
};

}  // namespace qn::ui::testing
