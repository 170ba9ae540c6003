#pragma once
// TdcLocateDlg: the small modal form of the locate dialog ("Locate Value"): a value, the match
// type and case option, the field to search, and First, Next and Cancel.
#include "framework/ui/BevelLine.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/RadioButton.h"

class TDataSet;

class TdcLocateDlg : public TForm {
 public:
  explicit TdcLocateDlg(TComponent* AOwner);

  // The dataset First and Next search.
  void SetDataSet(TDataSet* DataSet) { dataSet_ = DataSet; }
  // The field whose display label the combo shows ('~' read as a blank): data fields first,
  // then calculated and lookup ones; empty when none has it.
  AnsiString SelectedFieldName() const;
  // 0 exact, 1 at the start, 2 anywhere, as the radio buttons show.
  int MatchType() const;
  void SetMatchType(int Value);
  // Every caption and hint from the library's texts.
  void ApplyTexts();

  GroupFrame* FieldValueGroup;
  TEdit* SearchValue;
  GroupFrame* SearchTypeGroup;
  CheckBox* CaseSensitiveCheckBox;
  BevelLine* Panel1;
  RadioButton* ExactMatchBtn;
  RadioButton* PartialMatchStartBtn;
  RadioButton* PartialMatchAnyBtn;
  GroupFrame* FieldsGroup;
  ComboBox* FieldNameComboBox;
  TButton* FirstButton;
  TButton* NextButton;
  TButton* CancelButton;

 private:
  void Find(bool FromStart);

  TDataSet* dataSet_ = nullptr;
};

// A field's display label as the combo shows it.
AnsiString LocateFieldLabel(const AnsiString& DisplayLabel);
