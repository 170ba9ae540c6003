// The code and attorney pickers docked in the main window on the demo: the idle staging opens
// each once with its type letter, a change typed into a picker's code makes it the last lookup
// control, and case type 1 lists the calendar's items in calendar mode.
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <set>

#include "casewindow/AttorneyPickerPanels.h"
#include "casewindow/CodePickerPanels.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/Field.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

// Every picker, made by class name as the main block and the main window's on-demand routines
// make them.
const std::vector<const char*> kPickerClasses = {"TDepartmentF", "TCaType1F", "TCaType2F", "TCaType3F",
                                                 "TStMsgF",      "TRA1F",     "TRA2F",     "TRA3F"};

class PickerPanelsTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    for (const char* name : kPickerClasses) pickers.push_back(Application->CreateFormByClassName(name));
  }
  void TearDown() override {
    for (TComponent* picker : pickers) delete picker;
    LastLookupControl = nullptr;
    CalendarParameter = false;
    MatterPanelsFixture::TearDown();
  }
  void showActive() {
    caseF->Show();
    for (TComponent* picker : pickers) static_cast<TForm*>(picker)->Show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }
  // The type letters of the rows the picker's code list holds.
  static std::set<AnsiString> listedTypes(TCodeLookF* picker) {
    std::set<AnsiString> types;
    for (picker->Codes1_->First(); !picker->Codes1_->Eof(); picker->Codes1_->Next())
      types.insert(picker->Codes1_->FieldByName("type code")->AsString());
    return types;
  }

  std::vector<TComponent*> pickers;
};

TEST_F(PickerPanelsTest, EachPickerIsKeptInItsFormVariableAndDockedInTheMainWindow) {
  const std::vector<TComponent*> variables = {DepartmentF, CaType1F, CaType2F, CaType3F, StMsgF, RA1F, RA2F, RA3F};
  EXPECT_EQ(variables, pickers);
  showActive();
  const std::vector<const char*> names = {"DepartmentF", "CaType1F", "CaType2F", "CaType3F",
                                          "StMsgF",      "RA1F",     "RA2F",     "RA3F"};
  for (std::size_t i = 0; i < pickers.size(); ++i) {
    SCOPED_TRACE(names[i]);
    auto* form = static_cast<TForm*>(pickers[i]);
    EXPECT_EQ(form->Name(), names[i]);
    EXPECT_EQ(form->ClassName(), kPickerClasses[i]);
    EXPECT_EQ(form->Parent(), caseF);
  }
}

TEST_F(PickerPanelsTest, TheCodePickersCarryTheirTagsLabelsFieldsAndWidths) {
  struct Row {
    TCodeLookF* picker;
    int formTag;
    const char* caption;
    int codeTag;
    const char* field;
    int descTag;
    int width;
  };
  for (const Row& row : std::vector<Row>{{DepartmentF, 300, "Department", 310, "Department Code", 320, 460},
                                         {CaType1F, 400, "Case Type 1", 410, "Case Type 1", 420, 460},
                                         {CaType2F, 500, "Case Type 2", 510, "Case Type 2", 520, 460},
                                         {CaType3F, 0, "Case Type 3", 910, "Case Type 3", 920, 460},
                                         {StMsgF, 0, "Statement Msg", 1010, "Statement Msg Code", 1020, 762}}) {
    SCOPED_TRACE(row.caption);
    EXPECT_EQ(row.picker->Tag(), row.formTag);
    EXPECT_EQ(row.picker->LabelCode->Caption(), row.caption);
    EXPECT_EQ(row.picker->TableCode->Tag(), row.codeTag);
    EXPECT_EQ(row.picker->TableCode->DataField(), row.field);
    EXPECT_EQ(row.picker->TableCode->DataSource(), DM->SourceOf(DM->Case1_));
    EXPECT_EQ(row.picker->TableDesc->Tag(), row.descTag);
    EXPECT_EQ(row.picker->Width(), row.width);
  }
  EXPECT_EQ(DepartmentF->TableCode->DropDownCount(), 3);
  EXPECT_EQ(StMsgF->TableDesc->DropDownWidth(), 400);
  for (int n = 1; n <= 3; ++n) {
    TEmpLookF* attorney = n == 1 ? static_cast<TEmpLookF*>(RA1F) : n == 2 ? static_cast<TEmpLookF*>(RA2F) : RA3F;
    SCOPED_TRACE(n);
    EXPECT_EQ(attorney->Label1->Caption(), "Resp Atty " + std::to_string(n));
    EXPECT_EQ(attorney->Label2->Caption(), "Attorney " + std::to_string(n));
    EXPECT_FALSE(attorney->Label2->Visible());
    EXPECT_EQ(attorney->CCACode->Tag(), 510 + 100 * n);
    EXPECT_EQ(attorney->CCAName->Tag(), 520 + 100 * n);
    EXPECT_EQ(attorney->CCACode->DataField(), "Resp Atty " + std::to_string(n));
    EXPECT_EQ(attorney->CCACode->DataSource(), DM->SourceOf(DM->Case1_));
    EXPECT_EQ(attorney->Width(), 483);
  }
}

TEST_F(PickerPanelsTest, TheIdleStagingOpensEachPickerOnceWithItsTypeLetter) {
  showActive();
  for (int cycle = 0; cycle < 12; ++cycle) ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(PanelInitStep, 8) << "each picker counted once";
  const std::vector<std::pair<TCodeLookF*, char>> codePickers = {
      {DepartmentF, 'D'}, {CaType1F, 'A'}, {CaType2F, 'A'}, {CaType3F, 'A'}, {StMsgF, 'S'}};
  for (const auto& [picker, letter] : codePickers) {
    SCOPED_TRACE(picker->Name());
    EXPECT_EQ(picker->TypeCode(), letter);
    EXPECT_TRUE(picker->Codes1_->Active());
    EXPECT_TRUE(picker->Codes2_->Active());
  }
  EXPECT_EQ(listedTypes(DepartmentF), std::set<AnsiString>{"D"});
  for (TEmpLookF* attorney : std::initializer_list<TEmpLookF*>{RA1F, RA2F, RA3F}) {
    SCOPED_TRACE(attorney->Name());
    EXPECT_TRUE(attorney->Emp1_->Active());
    EXPECT_TRUE(attorney->Emp2_->Active());
  }
  for (TComponent* picker : pickers) dynamic_cast<StagedPanel*>(picker)->OpenStagedPanel();
  EXPECT_EQ(PanelInitStep, 8) << "a second opening counts nothing";
}

TEST_F(PickerPanelsTest, CaseTypeOneListsTheCalendarsItemsInCalendarMode) {
  CalendarParameter = true;
  CaType1F->OpenStagedPanel();
  EXPECT_EQ(CaType1F->TypeCode(), 'I');
  EXPECT_EQ(listedTypes(CaType1F), std::set<AnsiString>{"I"});
  CalendarParameter = false;
  CaType2F->OpenStagedPanel();
  EXPECT_EQ(CaType2F->TypeCode(), 'A');
  EXPECT_EQ(listedTypes(CaType2F), std::set<AnsiString>{"A"});
  EXPECT_EQ(PanelInitStep, 2);
}

TEST_F(PickerPanelsTest, AChangeTypedIntoAnAttorneyCodeMakesItTheLastLookupControl) {
  ASSERT_TRUE(dm->OpenCaseTables());
  dm->Case1_->First();
  showActive();
  for (TEmpLookF* attorney : std::initializer_list<TEmpLookF*>{RA1F, RA2F})
    dynamic_cast<StagedPanel*>(attorney)->OpenStagedPanel();
  MatterLoaded = true;
  caseF->ShowRecordState(true);  // the pickers' codes are shown with a matter
  RA2F->CCACode->SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(Screen->ActiveControl(), RA2F->CCACode);
  EXPECT_EQ(LastLookupControl, nullptr) << "entering alone changes nothing";
  RA1F->CCACode->SetText("ZZ");
  EXPECT_EQ(LastLookupControl, nullptr) << "a change the program makes elsewhere";
  QTest::keyClicks(RA2F->CCACode->Window(), "Z");
  Application->ProcessMessages();
  EXPECT_EQ(LastLookupControl, RA2F->CCACode);
  dm->Case1_->Cancel();
  delete RA2F;
  pickers.erase(std::find(pickers.begin(), pickers.end(), static_cast<TComponent*>(RA2F)));
  EXPECT_EQ(LastLookupControl, nullptr) << "forgotten with its panel";
}

}  // namespace
}  // namespace casewindow_test
