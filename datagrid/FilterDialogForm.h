#pragma once
// TdcFilterDlg: the filter dialog's modal search form ("Super Search"). The fields of the dataset
// on the left; for the selected field a value page (value, match type, case and non-matching) or
// a range page (from and to, date pickers for date fields); tabs for all or only searched fields;
// New Search and a summary. The form edits a working copy of the dialog's criteria; the caller
// reads the modal result, the working copy and the Modified flag afterwards.
#include <vector>

#include "datagrid/FilterCriteria.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/PageStack.h"
#include "framework/ui/Panel.h"
#include "framework/ui/RadioButtonGroup.h"
#include "framework/ui/TabStrip.h"
#include "framework/ui/TextLabel.h"

class TDataSet;
class TdcFilterDialog;

class TdcFilterDlg : public TForm {
 public:
  TdcFilterDlg(TComponent* AOwner, TdcFilterDialog& Dialog);

  // Refills the field list with every field, or only the fields that carry a criterion.
  void FillFieldList(bool AllFields);
  std::vector<TdcFieldInfo>& WorkingCriteria() { return criteria_; }
  bool Modified() const { return modified_; }
  TdcFilterDialog& Dialog() const { return dialog_; }

  // The value control in use (edit or combo) and the range controls in use (edits or pickers).
  TWinControl* ValueControl() const { return valueControl_; }
  TWinControl* MinControl() const { return minControl_; }
  TWinControl* MaxControl() const { return maxControl_; }

  // Commits the field being edited and loads the one the list selects; False when the edited
  // field's value or bounds were refused (the list keeps the edited field).
  bool SelectField(int Index);

  TextLabel* FieldsLbl;
  ListBox* FieldsListBox;
  RadioButtonGroup* FieldOrder;
  GroupFrame* FieldCriteria;
  PageStack* SelectNotebook;
  StackPage* ValuePage;
  StackPage* RangePage;
  TextLabel* FieldValueLbl;
  TWinControl* FilterValueEdit;
  TWinControl* FilterValueCombo;
  TButton* FilterValueClearButton;
  RadioButtonGroup* MatchTypeGroup;
  TPanel* Panel1;
  CheckBox* CaseSensitive;
  CheckBox* Nonmatching;
  TextLabel* StartingRangeLbl;
  TextLabel* EndingRangeLbl;
  TEdit* MinValueEdit;
  TEdit* MaxValueEdit;
  TWinControl* MinDateEdit;
  TWinControl* MaxDateEdit;
  TButton* MinValueClearButton;
  TButton* MaxValueClearButton;
  TabStrip* ValueRangeTabSet;
  TabStrip* FieldTabSet;
  TButton* ViewButton;
  TButton* ClearSearchButton;
  TButton* OKButton;
  TButton* CancelButton;

 protected:
  void DoShow() override;
  void DoActivate() override;

 private:
  void ArrangeForShow();
  void ApplyTexts();
  // The label of the list entry Index ('~' as blank); empty for none.
  AnsiString EntryLabel(int Index) const;
  TFieldType FieldTypeOfLabel(const AnsiString& Label);
  bool IsRangeType(TFieldType Type) const;
  TdcFieldInfo* FindCriterion(const AnsiString& Label);

  bool CommitField();
  void LoadField(bool RealChange);
  void ChoosePage();
  void ShowPage(bool Range);
  bool RangePageShown() const;
  void StoreCriterion(const AnsiString& Label, TdcFilterMatchType MatchType, bool NonMatching, bool CaseSensitive,
                      const AnsiString& Max, const AnsiString& Min, const AnsiString& Value);
  bool ValidateFilterValue();
  void ChooseValueControl();
  void FocusEditor();
  void UpdateButtons();
  void MoveSelectionBy(int Delta, bool Paging);

  AnsiString ControlText(TWinControl* Control) const;
  void SetControlText(TWinControl* Control, const AnsiString& Text);
  void SelectControlText(TWinControl* Control);
  AnsiString RangeText(TWinControl* Control) const;
  void SetRangeText(TWinControl* Control, const AnsiString& Text);

  void NewSearch();
  void FieldTabChanging(bool& AllowChange);
  void ViewSummary();

  TdcFilterDialog& dialog_;
  TDataSet* dataSet_;
  std::vector<TdcFieldInfo> criteria_;
  int editedIndex_ = -1;
  AnsiString editedLabel_;  // the field whose criterion the controls hold
  bool modified_ = false;
  bool activated_ = false;
  TWinControl* valueControl_ = nullptr;
  TWinControl* minControl_ = nullptr;
  TWinControl* maxControl_ = nullptr;
  TFieldType editedType_ = ftUnknown;
};

