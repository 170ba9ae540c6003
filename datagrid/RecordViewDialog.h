#pragma once
// TdcRecordViewDialog: shows the current record of a data source's dataset in a form it builds at
// run time: a label and an editing control per field, stacked in a column or flowed into rows,
// inside a scrolling area, with a navigator above and OK and Cancel below. Controls named by the
// ControlType lines are borrowed from the owner form for as long as the form is open.
#include <functional>
#include <memory>
#include <vector>

#include "datagrid/CustomDialog.h"
#include "datagrid/NavButtonStyles.h"
#include "framework/base/EnumSet.h"
#include "framework/base/StringList.h"
#include "framework/db/DataLink.h"
#include "framework/ui/Color.h"
#include "framework/ui/Form.h"

class TDataSource;
class TField;
class TControl;
class TWinControl;
class TFont;
class TButton;
class TdcRecordViewForm;
class TdcDBNavigator;
class TextLabel;

enum TdcRecordViewStyle { rvsVertical, rvsHorizontal };

enum TdcRecordViewOption {
  rvoHideReadOnly,
  rvoHideCalculated,
  rvoHideNavigator,
  rvoUseCustomControls,
  rvoShortenEditBox,
  rvoModalForm,
  rvoStayOnTopForm,
  rvoConsistentEditWidth,
  rvoEnterToTab,
  rvoConfirmCancel,
  rvoCloseIsCancel,
  rvoMaximizeMemoWidth,
  rvoSetControlMinWidth,
  rvoUseDateTimePicker
};
using TdcRecordViewOptions = EnumSet<TdcRecordViewOption>;

enum TdcRecordViewOKCancelOption { rvokShowOKCancel, rvokAutoPostRec, rvokAutoCancelRec };
using TdcRecordViewOKCancelOptions = EnumSet<TdcRecordViewOKCancelOption>;

// Pixels between the label column and the edit column, and between two rows.
struct TdcVertEditSpacing {
  int BetweenLabelEdit = 5;
  int BetweenRow = 2;
};
// Pixels between controls of a row, from a label to its control below, between rows, and the
// indent of a label over its control.
struct TdcHorzEditSpacing {
  int BetweenEditsInRow = 5;
  int BetweenLabelEdit = 1;
  int BetweenRow = 2;
  int LabelIndent = 1;
};
struct TdcEditSpacing {
  TdcHorzEditSpacing HorizontalView;
  TdcVertEditSpacing VerticalView;
};
struct TdcMargin {
  int LeftOffset = 5;
  int RightOffset = 5;
  int TopOffset = 5;
  int BottomOffset = 5;
};
// A value below 1 is chosen by the dialog.
struct TdcFormPosition {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

using TdcOnBeforeCreateControlEvent = std::function<void(TdcRecordViewForm* Form, TField* curField, bool& Accept)>;
using TdcOnAfterCreateControlEvent = std::function<void(TdcRecordViewForm* Form, TField* curField, TControl* Control)>;
using TdcOnInitFormEvent = std::function<void(TdcRecordViewForm* Form)>;
using TdcCancelEvent = std::function<void(TForm* Form, bool& CanClose)>;

class TdcRecordViewDialog : public TdcCustomDialog {
  QN_PUBLISHED_CLASS(TdcRecordViewDialog, TdcCustomDialog)
 public:
  explicit TdcRecordViewDialog(TComponent* AOwner);
  ~TdcRecordViewDialog() override;

  // True when a modal form closed with OK or a modeless form was shown.
  bool Execute() override;
  TDataSet* GetPrimaryDataSet() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  TdcDBNavigator* Navigator() const { return navigator_; }
  // Hides the navigator: it shows only on the form, for as long as the form is open.
  void SetNavigator(TdcDBNavigator* Value);
  TFont* Font() const { return font_.get(); }
  TFont* LabelFont() const { return labelFont_.get(); }
  // The form while it is open.
  TdcRecordViewForm* Form() const { return form_; }

  StringList ControlType;
  bool ControlInfoInDataset = true;
  TdcEditSpacing EditSpacing;
  TdcMargin Margin;
  TFormBorderStyle BorderStyle = bsSizeable;
  TdcFormPosition FormPosition;
  // The navigator's fourteen standard styles, nbsFirst .. nbsRestoreBookmark.
  TdcNavButtonStyles NavigatorButtons = TdcNavButtonStyles::FromMask((1u << (nbsRestoreBookmark + 1)) - 1);
  TdcRecordViewStyle Style = rvsVertical;
  TdcRecordViewOptions Options{rvoUseCustomControls, rvoShortenEditBox, rvoModalForm, rvoConfirmCancel,
                               rvoCloseIsCancel, rvoMaximizeMemoWidth, rvoUseDateTimePicker};
  TdcRecordViewOKCancelOptions OKCancelOptions{rvokShowOKCancel, rvokAutoPostRec, rvokAutoCancelRec};
  AnsiString Caption = "Record View";
  TColor ReadOnlyColor = clInactiveCaptionText;
  StringList Selected;
  bool NavigatorFlat = true;
  int LinesPerMemoControl = 2;

  TdcOnBeforeCreateControlEvent OnBeforeCreateControl;
  TdcOnAfterCreateControlEvent OnAfterCreateControl;
  TdcOnInitFormEvent OnInitDialog;
  TdcOnInitFormEvent OnCloseDialog;
  TdcCancelEvent OnCancelWarning;

  virtual bool IsWidthFromDisplayWidth(TControl* Control);
  virtual void DoBeforeCreateControl(TdcRecordViewForm* Form, TField* Field, bool& Accept);
  virtual void DoAfterCreateControl(TdcRecordViewForm* Form, TField* Field, TControl* Control);
  virtual void DoInitDialog(TdcRecordViewForm* Form);
  virtual void DoCloseDialog(TdcRecordViewForm* Form);
  virtual void DoCancelWarning(bool& CanClose);
  virtual void OKClick();
  virtual void CancelClick();

  // The controls made or borrowed for the fields of the open form, in field order.
  const std::vector<TControl*>& CreatedControls() const { return created_; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  enum CloseReason { crClosedOtherwise, crOK, crCancel };
  struct Borrowed {
    TControl* control;
    TWinControl* homeParent;
    TRect bounds;
  };
  // Where the controls go and how wide they may be; filled by the layout.
  struct Layout;
  struct FieldLine;

  void BuildForm();
  void BuildNavigator();
  void BuildButtons();
  std::vector<FieldLine> ShownFields(TDataSet& dataSet);
  void BuildControls(Layout& layout);
  TControl* MakeControl(Layout& layout, const FieldLine& line, TextLabel* label);
  // Tried: the named control exists and is a text edit, so it was borrowed.
  TControl* BorrowControl(Layout& layout, const FieldLine& line, TextLabel* label, const AnsiString& name,
                          bool& tried);
  int ClampWidth(const Layout& layout, int width) const;
  void SizeForm(Layout& layout);
  void PlaceButtons();
  void FormKeyDown(WORD& Key, TShiftState Shift);
  void FormCloseQuery(bool& CanClose);
  void FormClose(TCloseAction& Action);
  void FormResize();
  bool AnyControlModified() const;
  void ReturnBorrowed();
  void ReturnNavigator();

  TDataLink link_;
  TdcDBNavigator* navigator_ = nullptr;
  TWinControl* navigatorHome_ = nullptr;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TFont> labelFont_;
  TdcRecordViewForm* form_ = nullptr;
  std::vector<TControl*> created_;
  std::vector<Borrowed> borrowed_;
  int editLeft_ = 0;
  int requiredWidth_ = 0;
  int requiredHeight_ = 0;
  CloseReason reason_ = crClosedOtherwise;
  TButton* okButton_ = nullptr;
  TButton* cancelButton_ = nullptr;
};
