#pragma once
// TdcLookupDlg: the modal form of the lookup and search dialogs. The user picks a record of a
// dataset in a grid, searching it incrementally by the field the grid's order starts with and,
// optionally, choosing the index to search by from a list; user buttons, a status line with the
// record position, and OK and Cancel complete it. The form lays itself out from the screen's
// facts, its measured texts and the grid's column widths each time it is shown.
#include <functional>
#include <memory>
#include <optional>

#include "datagrid/KeyCombo.h"
#include "framework/base/EnumSet.h"
#include "framework/ui/Form.h"

class TButton;
class TDataSet;
class TPanel;
class TdcDBGrid;
class TdcDataSource;
class TdcIncrementalSearch;
class TdcLookupDlg;
class TextLabel;
class SectionHeader;

enum TdcDBLookupDlgOption { opShowOKCancel, opShowSearchBy, opGroupControls, opFixFirstColumn, opShowStatusBar };
using TdcDBLookupDlgOptions = EnumSet<TdcDBLookupDlgOption>;
inline constexpr TdcDBLookupDlgOptions kDefaultLookupDlgOptions{opShowOKCancel, opShowSearchBy};

using TdcUserButtonEvent = std::function<void(TObject* Sender, TDataSet* LookupTable)>;
using TdcOnInitDialogEvent = std::function<void(TdcLookupDlg* Dialog)>;

// The list of the dataset's indexes to search by: it offers only fields the grid shows, and
// Down opens it, while Enter or Escape released in it close it and hand the focus back.
class TdcTempKeyCombo : public TdcKeyCombo {
  QN_CLASS(TdcTempKeyCombo, TdcKeyCombo)
 public:
  explicit TdcTempKeyCombo(TComponent* AOwner);

  // Where the focus goes when Enter or Escape close the list.
  TWinControl* ReturnFocusTo = nullptr;

  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
};

class TdcLookupDlg : public TForm {
  QN_CLASS(TdcLookupDlg, TForm)
 public:
  explicit TdcLookupDlg(TComponent* AOwner);
  ~TdcLookupDlg() override;

  TextLabel* SearchCharacterLabel;
  TextLabel* SortByLabel;
  TdcDBGrid* dcDBGrid1;
  TdcIncrementalSearch* dcIncrementalSearch1;
  SectionHeader* StatusHeader;
  TPanel* UserButtonPanel;
  TButton* UserButton1;
  TButton* UserButton2;
  TdcDataSource* DataSource1;
  TButton* OKButton;
  TButton* CancelButton;
  TdcTempKeyCombo* KeyCombo;

  // What the dialog component hands over before the form is shown.
  TDataSet* DataSet = nullptr;
  TdcDBLookupDlgOptions Options = kDefaultLookupDlgOptions;
  int MaxWidth = 0;  // 0: as wide as the screen allows
  int MaxHeight = 209;
  AnsiString InitialSearch;
  bool PictureMaskFromField = false;
  TdcOnInitDialogEvent OnInitDialog;
  TdcOnInitDialogEvent OnCloseDialog;
  TNotifyEvent OnSortChange;
  TdcUserButtonEvent OnUserButton1Click;
  TdcUserButtonEvent OnUserButton2Click;

  // The largest grid width and the grid height the form was placed for; an init handler may
  // change them, and the form then follows.
  int LargestWidth() const { return largestWidth_; }
  void SetLargestWidth(int Value) { largestWidth_ = Value; }
  int LargestHeight() const { return largestHeight_; }
  void SetLargestHeight(int Value) { largestHeight_ = Value; }
  // The width below which the form would cut its labels or buttons.
  int MinimumWidth() const;
  // The width the grid needs to show every column whole.
  int NeededGridWidth() const;

  // Moves the active index's fields to the front of the grid and makes the first the search
  // field; runs again whenever the index changes.
  void OrderColumnsByIndex();
  // Places every element; without resizing only the grid's last column is widened to the minimum.
  void LayoutForm(bool Resize);
  // The table name and "Rec # n of m" when the engine tells both numbers.
  void UpdateStatus();
  bool StatusShown() const;

  bool CloseQuery() override;

 protected:
  void DoActivate() override;

 private:
  class StatusLink;

  void prepareToShow();
  void formKeyDown(WORD& Key, TShiftState Shift);
  void indexChosen();
  void gridDblClick();
  void gridMouseDown(int X, int Y);
  void columnMoved();
  void takeFirstColumnAsSearchField();
  bool searchByShown() const;
  bool grouped() const;
  int frameHeight() const;
  int statusHeaderWidth() const;

  std::unique_ptr<StatusLink> statusLink_;
  int largestWidth_ = 0;
  int largestHeight_ = 0;
  bool activated_ = false;
  bool memoCellPressed_ = false;
  std::optional<int> chosenLeft_;
};
