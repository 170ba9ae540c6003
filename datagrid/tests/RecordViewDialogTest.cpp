// The record view dialog built on a dataset of clients: which fields it shows and where, the
// controls it makes or borrows, and how it closes.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <vector>

#include "datagrid/DisplayRefresh.h"
#include "datagrid/tests/RecordViewDialogFixture.h"
#include "framework/db/DatabaseError.h"
#include "framework/ui/Application.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using qn::ui::testing::ScriptedMessageBoxes;
using recordviewtest::RecordViewDialogTest;
using recordviewtest::TdcDBEdit;
using recordviewtest::TextWidthIn;

namespace {

TEST_F(RecordViewDialogTest, WithoutSelectedEveryFieldShowsInOrderWithItsLabelAndWidth) {
  std::vector<AnsiString> captions, fields;
  std::vector<int> widths;
  EXPECT_FALSE(Run([&](TdcRecordViewForm& form) {
    for (auto* label : Labels(form)) captions.push_back(label->Caption());
    for (TControl* control : dialog->CreatedControls()) {
      fields.push_back(ReadStringProperty(control, "DataField").value_or(""));
      widths.push_back(control->Width());
    }
  }));
  EXPECT_EQ(captions, (std::vector<AnsiString>{"Code", "Name", "Home Town", "Active", "Notes"}));
  EXPECT_EQ(fields, (std::vector<AnsiString>{"Code", "Name", "City", "Active", "Notes"}));
  ASSERT_EQ(widths.size(), 5u);
  EXPECT_EQ(widths[0], EditWidth(6));
  EXPECT_EQ(widths[1], EditWidth(30));
  EXPECT_EQ(widths[2], EditWidth(15));
  EXPECT_EQ(dialog->Form(), nullptr) << "the modal form is gone after Execute";
}

TEST_F(RecordViewDialogTest, VerticalLayoutPutsTheEditColumnRightOfTheWidestTitle) {
  dialog->Selected.Add("Code\t6\tCode");
  dialog->Selected.Add("Name\t30\tClient~name");
  dialog->Selected.Add("Nowhere\t5\tGone");
  dialog->Selected.Add("City\t10\tCity");
  Run([&](TdcRecordViewForm& form) {
    const int labelColumn = TextWidthIn(dialog->LabelFont(), "Client name");
    const int editLeft = dialog->Margin.LeftOffset + labelColumn + dialog->EditSpacing.VerticalView.BetweenLabelEdit;
    std::vector<TextLabel*> labels = Labels(form);
    ASSERT_EQ(labels.size(), 3u) << "a line naming no field is skipped";
    EXPECT_EQ(labels[1]->Caption(), "Client name");
    int top = dialog->Margin.TopOffset;
    for (size_t i = 0; i < labels.size(); ++i) {
      TControl* control = dialog->CreatedControls()[i];
      EXPECT_EQ(labels[i]->Width(), labelColumn);
      EXPECT_EQ(labels[i]->Alignment(), taRightJustify);
      EXPECT_EQ(labels[i]->Top(), top + 4);
      EXPECT_EQ(control->Left(), editLeft);
      EXPECT_EQ(control->Top(), top);
      top += control->Height() + dialog->EditSpacing.VerticalView.BetweenRow;
    }
    EXPECT_EQ(dialog->CreatedControls()[2]->Width(), EditWidth(10)) << "the width comes from the Selected line";
    const int available = form.Width() - editLeft - dialog->Margin.RightOffset - 20;
    EXPECT_LE(dialog->CreatedControls()[1]->Width(), available);
  });
}

TEST_F(RecordViewDialogTest, ASelectedLineWithoutAUsableWidthTakesTheDisplayWidth) {
  dialog->Selected.Add("Code");
  dialog->Selected.Add("Name\t\tName");
  dialog->Selected.Add("City\tabc\tCity");
  dialog->Selected.Add("Active\t4\tActive");
  std::vector<AnsiString> captions;
  Run([&](TdcRecordViewForm& form) {
    for (auto* label : Labels(form)) captions.push_back(label->Caption());
    for (const char* name : {"Code", "Name", "City"}) {
      SCOPED_TRACE(name);
      TControl* control = ControlOf(name);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->Width(), EditWidth(clients.FieldByName(name)->DisplayWidth()));
    }
    ASSERT_NE(ControlOf("Active"), nullptr);
    EXPECT_EQ(ControlOf("Active")->Width(), EditWidth(4)) << "a width given is kept";
  });
  EXPECT_EQ(captions, (std::vector<AnsiString>{"Code", "Name", "City", "Active"})) << "a missing title is the label";
}

TEST_F(RecordViewDialogTest, WithEnterToTabEnterAndTabMoveBetweenTheControls) {
  dialog->Options.Include(rvoEnterToTab);
  for (const char* line : {"Code\t6\tCode", "Name\t20\tName", "Notes\t20\tNotes", "City\t10\tCity"})
    dialog->Selected.Add(line);
  struct Step {
    WORD key;
    TShiftState shift;
    const char* focusedAfter;
  };
  const std::vector<Step> steps{{VK_RETURN, {}, "Name"},        {VK_RETURN, {}, "Notes"}, {VK_RETURN, {}, "City"},
                                {VK_RETURN, {ssShift}, "Notes"}, {VK_TAB, {ssShift}, "Name"}, {VK_TAB, {}, "Notes"}};
  std::vector<AnsiString> focused;
  bool closedByCtrlEnter = true;
  // Ctrl+Enter lands in the memo as a line break, so the record has changed when the script cancels.
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", mrNo);
  EXPECT_FALSE(Run([&](TdcRecordViewForm& form) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    dynamic_cast<TWinControl*>(ControlOf("Code"))->SetFocus();
    for (const Step& step : steps) {
      qn::ui::postKeyStroke(step.key, step.shift);
      Application->ProcessMessages();
      focused.push_back(ReadStringProperty(form.ActiveControl(), "DataField").value_or("?"));
    }
    qn::ui::postKeyStroke(VK_RETURN, TShiftState{ssCtrl});
    Application->ProcessMessages();
    closedByCtrlEnter = form.ModalResult() != mrNone;
  }));
  std::vector<AnsiString> expected;
  for (const Step& step : steps) expected.push_back(step.focusedAfter);
  EXPECT_EQ(focused, expected) << "the memo passes Enter on; Shift goes back";
  EXPECT_FALSE(closedByCtrlEnter) << "Ctrl+Enter does not close when Enter moves";
}

TEST_F(RecordViewDialogTest, HorizontalLayoutWrapsByTheAvailableWidthAndAtAMissingField) {
  dialog->Style = rvsHorizontal;
  dialog->Selected.Add("Code\t6\tCode");
  dialog->Selected.Add("City\t6\tCity");
  dialog->Selected.Add("Nowhere\t5\tGone");
  dialog->Selected.Add("Active\t1\tActive");
  dialog->Selected.Add("Name\t60\tName");
  Run([&](TdcRecordViewForm&) {
    const std::vector<TControl*>& c = dialog->CreatedControls();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0]->Top(), c[1]->Top()) << "Code and City share the first row";
    EXPECT_GT(c[1]->Left(), c[0]->Left() + c[0]->Width());
    EXPECT_GT(c[2]->Top(), c[1]->Top()) << "the missing field starts a new row";
    EXPECT_EQ(c[2]->Left(), dialog->Margin.LeftOffset);
    EXPECT_GT(c[3]->Top(), c[2]->Top()) << "Name does not fit beside Active";
  });
}

TEST_F(RecordViewDialogTest, ContentTallerThanTheWorkAreaLimitsTheFormAndScrolls) {
  ScreenFacts facts;
  facts.workArea = Rect(0, 0, 1024, 200);
  qn::ui::setScreenFacts(facts);
  for (int i = 0; i < 12; ++i) dialog->Selected.Add("Name\t10\tName " + std::to_string(i));
  Run([&](TdcRecordViewForm& form) {
    EXPECT_EQ(form.Height(), 200 - 12);
    ScrollAreaBar* bar = form.ScrollBox->VertScrollBar();
    TControl* last = dialog->CreatedControls().back();
    EXPECT_EQ(bar->Range(), last->Top() + last->Height() + dialog->Margin.BottomOffset);
    EXPECT_TRUE(bar->IsScrollBarVisible());
  });
}

TEST_F(RecordViewDialogTest, ACheckBoxLineGivesACheckBoxWithItsTwoValues) {
  dialog->ControlInfoInDataset = false;
  dialog->ControlType.Add("Active;CheckBox;Y;N");
  TdcDBCheckBox* box = nullptr;
  EXPECT_TRUE(Run([&](TdcRecordViewForm& form) {
    box = dynamic_cast<TdcDBCheckBox*>(ControlOf("Active"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ValueChecked, "Y");
    EXPECT_EQ(box->ValueUnchecked, "N");
    EXPECT_EQ(box->Width(), 17);
    EXPECT_TRUE(box->Checked()) << "the field holds Y";
    box->Click();
    dialog->OKClick();
    (void)form;
  }));
  EXPECT_EQ(clients.FieldByName("Active")->AsString(), "N");
  EXPECT_EQ(clients.State(), dsBrowse) << "OK posts";
}

TEST_F(RecordViewDialogTest, ANamedEditIsBorrowedBoundAndGoesBackWithItsBounds) {
  auto* home = new TdcDBEdit(&ownerForm);
  home->SetName("CityEdit");
  home->SetParent(&ownerForm);
  home->SetBounds(11, 22, 33, 21);
  auto* plain = new TEdit(&ownerForm);
  plain->SetName("PlainEdit");
  plain->SetParent(&ownerForm);
  plain->SetBounds(40, 50, 60, 21);
  dialog->ControlInfoInDataset = false;
  dialog->ControlType.Add("city;CustomEdit;CityEdit");
  dialog->ControlType.Add("Name;CustomEdit;PlainEdit");
  Run([&](TdcRecordViewForm& form) {
    EXPECT_EQ(home->Parent(), form.ScrollBox);
    EXPECT_EQ(ReadStringProperty(home, "DataField"), "City");
    EXPECT_EQ(ReadObjectProperty(home, "DataSource"), &source);
    EXPECT_EQ(home->Text(), "Boston");
    EXPECT_EQ(home->Width(), EditWidth(15));
    EXPECT_EQ(plain->Parent(), form.ScrollBox) << "taken even though it cannot be bound";
    EXPECT_EQ(plain->BoundsRect(), Rect(40, 50, 100, 71)) << "and given no place";
  });
  EXPECT_EQ(home->Parent(), &ownerForm);
  EXPECT_EQ(home->BoundsRect(), Rect(11, 22, 44, 43));
  EXPECT_FALSE(home->Visible());
  EXPECT_EQ(plain->Parent(), &ownerForm);
  EXPECT_EQ(plain->BoundsRect(), Rect(40, 50, 100, 71));
}

// A lookup combo as the record view knows it: by class name, refreshing its display text.
class TdcDBCustomLookupCombo : public TdcDBEdit, public DisplayRefresh {
  QN_CLASS(TdcDBCustomLookupCombo, TdcDBEdit)
 public:
  using TdcDBEdit::TdcDBEdit;
  void RefreshDisplayValue() override { refreshed.push_back(DataField()); }
  std::vector<AnsiString> refreshed;
};

TEST_F(RecordViewDialogTest, ABorrowedLookupComboOnAPlainFieldRefreshesItsDisplayOnce) {
  auto* combo = new TdcDBCustomLookupCombo(&ownerForm);
  combo->SetName("CodeCombo");
  combo->SetParent(&ownerForm);
  auto* plain = new TdcDBEdit(&ownerForm);
  plain->SetName("CityEdit");
  plain->SetParent(&ownerForm);
  dialog->ControlInfoInDataset = false;
  dialog->ControlType.Add("Code;LookupCombo;CodeCombo");
  dialog->ControlType.Add("City;CustomEdit;CityEdit");
  Run([&](TdcRecordViewForm& form) {
    EXPECT_EQ(combo->Parent(), form.ScrollBox);
    EXPECT_EQ(combo->refreshed, (std::vector<AnsiString>{"Code"})) << "bound first, then refreshed once";
    EXPECT_EQ(plain->Parent(), form.ScrollBox) << "another class is only bound";
  });
}

TEST_F(RecordViewDialogTest, ReadOnlyFieldsTakeTheReadOnlyColourAndNoTabStop) {
  dialog->Selected.Add("Code\t6\tCode\tT");
  dialog->Selected.Add("Name\t20\tName\tF");
  Run([&](TdcRecordViewForm&) {
    auto* code = dynamic_cast<TWinControl*>(ControlOf("Code"));
    auto* name = dynamic_cast<TWinControl*>(ControlOf("Name"));
    ASSERT_TRUE(code && name);
    EXPECT_EQ(code->Color(), dialog->ReadOnlyColor);
    EXPECT_FALSE(code->TabStop());
    EXPECT_FALSE(code->Enabled());
    EXPECT_NE(name->Color(), dialog->ReadOnlyColor);
    EXPECT_TRUE(name->TabStop());
    EXPECT_EQ(ReadIntegerProperty(name, "MaxLength"), 30) << "a string field's size";
  });
}

// Cancel after a change asks; the answer decides what becomes of the record and the form.
TEST_F(RecordViewDialogTest, CancelAfterAChangeAsksYesNoOrCancel) {
  struct Case {
    TModalResult answer;
    bool result;
    const char* stored;
  };
  for (Case c : {Case{mrYes, true, "Baker"}, Case{mrNo, false, "Adams"}}) {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", c.answer);
    EXPECT_EQ(Run([&](TdcRecordViewForm& form) {
                Type(form, dynamic_cast<TCustomEdit*>(ControlOf("Name")), "Baker");
                dialog->CancelClick();
              }),
              c.result);
    EXPECT_EQ(clients.FieldByName("Name")->AsString(), c.stored);
    EXPECT_EQ(clients.State(), dsBrowse);
    clients.Edit();
    clients.FieldByName("Name")->SetAsString("Adams");
    clients.Post();
  }
}

TEST_F(RecordViewDialogTest, CancelInTheWarningKeepsTheFormOpen) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", mrCancel);
  boxes.expect(mtConfirmation, "Changes have been made!  Do you wish to save your changes?", mrNo);
  bool keptOpen = false;
  EXPECT_FALSE(Run([&](TdcRecordViewForm& form) {
    auto* name = dynamic_cast<TCustomEdit*>(ControlOf("Name"));
    Type(form, name, "Baker");
    dialog->CancelClick();
    // The close query the modal loop runs next; Cancel in the box refuses the close. The loop then
    // asks again, and No closes.
    keptOpen = !form.CloseQuery() && dialog->Form() == &form && form.Visible();
  }));
  EXPECT_TRUE(keptOpen);
  EXPECT_EQ(clients.FieldByName("Name")->AsString(), "Adams");
}

TEST_F(RecordViewDialogTest, AnAutoPostTheDataSetRefusesShowsTheErrorAndKeepsTheFormOpenWithWhatWasTyped) {
  struct Case {
    const char* name;
    std::function<void()> refuse;
    const char* message;
  };
  const Case cases[] = {
      {"BeforePost raises",
       [&] { clients.BeforePost = [](TDataSet*) { throw EDatabaseError("Posting refused"); }; },
       "Posting refused"},
      {"a required field left empty",
       [&] {
         clients.Edit();
         clients.FieldByName("City")->SetAsString("");
         clients.Post();
         clients.FieldByName("City")->SetRequired(true);
       },
       "Field 'City' must have a value"},
  };
  dialog->Options.Exclude(rvoConfirmCancel);
  dialog->OKCancelOptions = TdcRecordViewOKCancelOptions{rvokShowOKCancel, rvokAutoPostRec};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.refuse();
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, c.message);
    bool keptOpen = false;
    AnsiString shown;
    // Once the modal loop has tried to close with OK: whether the refused post left the form open.
    std::function<void()> check = [&] {
      TdcRecordViewForm* form = dialog->Form();
      if (form == nullptr) return;  // closed: the typed values went with it
      if (form->ModalResult() == mrOk) return qn::ui::postCall(check);
      keptOpen = form->Visible() && form->ModalResult() == mrNone;
      shown = dynamic_cast<TCustomEdit*>(ControlOf("Name"))->Text();
      dialog->CancelClick();
    };
    EXPECT_FALSE(Run([&](TdcRecordViewForm& form) {
      Type(form, dynamic_cast<TCustomEdit*>(ControlOf("Name")), "Brown");
      dialog->OKClick();
      qn::ui::postCall(check);
    }, true));
    QCoreApplication::processEvents();  // a check still queued finds the form gone
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(shown, "Brown");
    EXPECT_EQ(boxes.shown().size(), 1u) << "the error reached the user";
    if (clients.State() != dsBrowse) clients.Cancel();
    EXPECT_EQ(clients.FieldByName("Name")->AsString(), "Adams");
    clients.BeforePost = nullptr;
  }
}

TEST_F(RecordViewDialogTest, EscapeInAChangedEditStaysAndCtrlEnterClosesWithOK) {
  bool openAfterEscape = false;
  EXPECT_TRUE(Run([&](TdcRecordViewForm& form) {
    auto* name = dynamic_cast<TCustomEdit*>(ControlOf("Name"));
    Type(form, name, "Baker");
    qn::ui::postKeyStroke(VK_ESCAPE);
    qn::ui::postCall([&, form = &form] {
      openAfterEscape = dialog->Form() == form && form->ModalResult() == mrNone;
      qn::ui::postKeyStroke(VK_RETURN, TShiftState{ssCtrl});
    });
  }, true));
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(clients.FieldByName("Name")->AsString(), "Baker") << "OK posts what was typed";
}

TEST_F(RecordViewDialogTest, ExecuteWhileAModelessFormIsOpenShowsItAndAnswersFalse) {
  dialog->Options.Exclude(rvoModalForm);
  EXPECT_TRUE(dialog->Execute());
  TdcRecordViewForm* form = dialog->Form();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->Form(), form) << "no second form";
  dialog->CancelClick();
  EXPECT_EQ(dialog->Form(), nullptr);
}

TEST_F(RecordViewDialogTest, WithoutAnActiveDataSetItWarnsAndBuildsNothing) {
  TdcRecordViewDialog bare(nullptr);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "DataSource or DataSource.DataSet not defined.");
  EXPECT_FALSE(bare.Execute());
  EXPECT_EQ(bare.Form(), nullptr);
  clients.Close();
  boxes.expect(mtWarning, "DataSet must be active.");
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->Form(), nullptr);
}

}  // namespace
