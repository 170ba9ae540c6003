#pragma once
// A shown form holding a navigator with the default buttons over the application's table on a
// clients file of 20 records (C01 .. C20) made by qnseed; timers run on a manual clock. Test
// code only.
#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "datagrid/DBNavigator.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "framework/base/Clock.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/ButtonTestSupport.h"
#include "framework/ui/tests/TestControls.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace navigatortest {

// The default buttons in the order the navigator makes them.
inline const std::vector<TdcNavButtonStyle> kDefaultStyles{nbsFirst,  nbsPriorPage, nbsPrior,  nbsNext,   nbsNextPage,
                                                           nbsLast,   nbsInsert,    nbsDelete, nbsEdit,   nbsPost,
                                                           nbsCancel, nbsRefresh,   nbsSaveBookmark, nbsRestoreBookmark};

inline std::vector<std::string> clientCodes(int count) {
  std::vector<std::string> codes;
  for (int i = 1; i <= count; ++i) codes.push_back((i < 10 ? "C0" : "C") + std::to_string(i));
  return codes;
}

class NavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    qn::setClock(&clock);
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    data = datasettest::seedClients("navigator", clientCodes(20));
    form = new qn::ui::testing::TTestForm;
    form->SetBounds(100, 100, 640, 200);
    table = datasettest::newClientsTable(form, data);
    source = new TDataSource(form);
    source->SetDataSet(table);
    navigator = new TdcDBNavigator(form);
    navigator->SetName("dcDBNavigator1");
    navigator->SetParent(form);
    navigator->Buttons()->AddDefaultButtons();
    navigator->SetDataSource(source);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  }
  void TearDown() override {
    delete form;
    qn::setClock(nullptr);
  }

  TdcNavButton* button(TdcNavButtonStyle style) const {
    for (int i = 0; i < navigator->Buttons()->Count(); ++i)
      if (navigator->Buttons()->GetButton(i)->Style() == style) return navigator->Buttons()->GetButton(i);
    ADD_FAILURE() << "no button of style " << style;
    return nullptr;
  }
  static QPoint centreOf(const TdcNavButton* b) { return {b->Left() + b->Width() / 2, b->Top() + b->Height() / 2}; }
  QWidget* window() const { return navigator->Window(); }
  void press(TdcNavButtonStyle style) { qn::ui::testing::pressAt(window(), centreOf(button(style))); }
  void release(TdcNavButtonStyle style) { qn::ui::testing::releaseAt(window(), centreOf(button(style))); }
  void click(TdcNavButtonStyle style) { qn::ui::testing::clickAt(window(), centreOf(button(style))); }
  void doubleClick(TdcNavButtonStyle style) { qn::ui::testing::doubleClickAt(window(), centreOf(button(style))); }
  // Lets the manual clock run on and fires the timers that came due.
  void wait(int ms) {
    clock.advance(static_cast<std::uint64_t>(ms));
    Application->ProcessMessages();
  }

  std::string code() const { return table->FieldByName(datasettest::kClientCode)->AsString(); }
  // '1' for each enabled default button, '0' for each disabled one, in default order.
  std::string enabledStates() const {
    std::string states;
    for (TdcNavButtonStyle style : kDefaultStyles) states += button(style)->Enabled() ? '1' : '0';
    return states;
  }

  qn::ManualClock clock{1000};
  std::string data;
  qn::ui::testing::TTestForm* form = nullptr;
  TdcTbTable* table = nullptr;
  TDataSource* source = nullptr;
  TdcDBNavigator* navigator = nullptr;
};

}  // namespace navigatortest
