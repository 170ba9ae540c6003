#pragma once
// TCaseGridF ("Quillon Case Search and Replace"): every matter of the case file in a grid, its
// coded fields packed into three-line cells, with sorting, a search that selects the matching
// matters, a navigator over the selected ones and the global replace of one field over the
// selected matters or all of them. The case screen opens it with the matter to stand on and
// reads back the matter chosen, the save-to-scan flag and the replace's audit lines.
#include <vector>

#include "datagrid/DBGrid.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/FilterDialog.h"
#include "dialogs/CaseReplace.h"
#include "framework/db/DataSource.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Panel.h"
#include "framework/ui/RadioButtonGroup.h"

// The window of the search-value edit of the grid's filter dialog, remembered as the grid prepares
// that dialog: the main window's key hook knows the edit by it. 0 before the first search.
extern qn::os::WindowId CaseGridFilterValueWindow;

class TCaseGridF : public TForm {
  QN_CLASS(TCaseGridF, TForm)
 public:
  explicit TCaseGridF(TComponent* AOwner);

  TdcTbTable* Case1_;
  TDataSource* CaseSource;
  TdcDBGrid* dcDBGrid1;
  TdcDBNavigator* dcDBNavigator1;
  TdcFilterDialog* dcFilterDialog1;
  TPanel* SearchPanel;
  GlyphButton* BitBtnFind;
  GlyphButton* BitBtnReplace;
  GlyphButton* BitBtn4;
  GlyphButton* UnselectBitBtn;
  CheckBox* OnlyFoundCheckBox;
  RadioButtonGroup* RadioGroupSort;
  CheckBox* CheckBox1;
  TPanel* CaseNavigator;
  GlyphButton* CaseNavigatorButtons[4];  // first, previous, next, last selected matter (Tag 0-3)
  GlyphButton* BitBtn1;
  GlyphButton* BitBtn2;
  GlyphButton* BitBtn3;

  // Given by the case screen before showing; the matter chosen comes back in the first two.
  AnsiString ClientCode;
  AnsiString CaseSuffix;
  bool MasterFolder = false;
  bool SaveToScan = false;

  // The replace's audit lines, two per committed run; ReplaceAuditCount is the next free place,
  // counted from 1, so the lines are the first ReplaceAuditCount - 1.
  std::vector<AnsiString> ReplaceAuditLines;
  int ReplaceAuditCount = 1;

  void FormShow(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  void BitBtn3Click(TObject* Sender);
  void BitBtnFindClick(TObject* Sender);
  void BitBtnReplaceClick(TObject* Sender);
  void BitBtn4Click(TObject* Sender);
  void UnselectBitBtnClick(TObject* Sender);
  void RadioGroupSortClick(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void CaseNavigatorFirstClick(TObject* Sender);
  void dcDBGrid1MultiSelectRecord(TObject* Grid, bool Selecting, bool& Accept);
  void dcDBGrid1Enter(TObject* Sender);
  void dcDBGrid1Exit(TObject* Sender);
  void BitBtnReplaceEnter(TObject* Sender);
  void BitBtnReplaceExit(TObject* Sender);
  void dcFilterDialog1InitDialog(TdcFilterDlg* Dialog);
  void dcFilterDialog1SelectField(TObject* Sender, const AnsiString& FieldName, AnsiString& PictureMask, TStrings* ComboList);
  void Case1_CalcFields(TDataSet* DataSet);

  // The replace the find-and-replace dialog confirmed, over the selected matters or every one;
  // false when it failed and nothing changed.
  bool ReplaceInCases(int FieldPosition, int MaxLength);

  // The search's matches selected, for the case navigator: how many, in the table's order.
  int SelectedCount() const { return static_cast<int>(dcDBGrid1->SelectedBookmarks().size()); }

 private:
  // The matching records of the filtered table selected, the selection before dropped; their count.
  int selectMatches();
  void showCaseNavigator(bool shown);
  void refreshCaseNavigator();
  // The selected bookmarks in the table's order.
  std::vector<TBookmarkStr> selectionInOrder();
  void returnCurrentMatter();
  AnsiString sortIndex() const;
  int navigatorAt_ = -1;  // the selected matter the case navigator stands on
};
