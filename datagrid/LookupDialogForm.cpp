#include "datagrid/LookupDialogForm.h"

#include <algorithm>
#include <vector>

#include "datagrid/ControlsHeld.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DcDataSource.h"
#include "datagrid/DcTable.h"
#include "datagrid/DialogButton.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/IncrementalSearch.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "datagrid/SelectedLists.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DataLink.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Button.h"
#include "framework/ui/Font.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/SectionHeader.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"
#include "recordmgr/Table.h"

namespace {

constexpr int kMargin = 8;  // the grid's distance from the form's left edge and the labels' top

template <typename T>
T* Make(TComponent* owner, TWinControl* parent) {
  T* control = new T(owner);
  control->SetParent(parent);
  return control;
}

// The index the dataset keeps its records in, when it has index information.
TttTable* IndexedTable(TDataSet* dataSet) { return dynamic_cast<TttTable*>(dataSet); }

// Scaled from 96 pixels per inch.
int Scaled(int pixels) { return pixels * Screen->PixelsPerInch() / 96; }

// A button as wide as its caption needs, and never narrower than the usual.
void FitCaption(TButton* button, TFont* font) {
  button->SetWidth(std::max(Scaled(75), MeasuredTextWidth(font, button->Caption()) + 16));
}

}  // namespace

// The status line follows every change of the record shown.
class TdcLookupDlg::StatusLink : public TDataLink {
 public:
  explicit StatusLink(TdcLookupDlg& form) : form_(form) {}

 protected:
  void ActiveChanged() override { form_.UpdateStatus(); }
  void DataSetChanged() override { form_.UpdateStatus(); }

 private:
  TdcLookupDlg& form_;
};

// ---- the index list ----

TdcTempKeyCombo::TdcTempKeyCombo(TComponent* AOwner) : TdcKeyCombo(AOwner) { SetVisible(false); }

void TdcTempKeyCombo::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_DOWN && !Shift.Contains(ssAlt) && !DroppedDown()) {
    SetDroppedDown(true);
    Key = 0;
    return;
  }
  TdcKeyCombo::KeyDown(Key, Shift);
}

void TdcTempKeyCombo::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_RETURN || Key == VK_ESCAPE) {
    SetDroppedDown(false);
    if (ReturnFocusTo && ReturnFocusTo->CanFocus()) ReturnFocusTo->SetFocus();
  }
  TdcKeyCombo::KeyUp(Key, Shift);
}

// ---- the form ----

TdcLookupDlg::TdcLookupDlg(TComponent* AOwner) : TForm(AOwner), statusLink_(std::make_unique<StatusLink>(*this)) {
  SetCaption("Lookup");
  SetBorderStyle(bsDialog);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  Font()->SetStyle(TFontStyles{fsBold});
  SetClientWidth(344);
  SetClientHeight(343);
  SetKeyPreview(true);

  DataSource1 = new TdcDataSource(this);
  dcIncrementalSearch1 = Make<TdcIncrementalSearch>(this, this);
  dcIncrementalSearch1->SetName("dcIncrementalSearch1");
  dcIncrementalSearch1->SetDataSource(DataSource1);
  dcIncrementalSearch1->SetTabOrder(0);

  SearchCharacterLabel = Make<TextLabel>(this, this);
  SearchCharacterLabel->SetAutoSize(true);
  SearchCharacterLabel->SetCaption("&Search Characters");
  SearchCharacterLabel->SetFocusControl(dcIncrementalSearch1);
  SearchCharacterLabel->SetLeft(kMargin);
  SearchCharacterLabel->SetTop(kMargin);

  SortByLabel = Make<TextLabel>(this, this);
  SortByLabel->SetAutoSize(true);
  SortByLabel->SetCaption("Search &By");
  SortByLabel->SetLeft(kMargin);
  SortByLabel->SetTop(kMargin);
  SortByLabel->SetVisible(false);

  dcDBGrid1 = Make<TdcDBGrid>(this, this);
  dcDBGrid1->SetName("dcDBGrid1");
  dcDBGrid1->SetDataSource(DataSource1);
  dcDBGrid1->SetTitleColor(clBtnFace);
  dcDBGrid1->SetDBOptions(dcDBGrid1->DBOptions().Exclude(dgEditing));
  dcDBGrid1->SetTabOrder(2);
  dcDBGrid1->OnDblClick = [this](TObject*) { gridDblClick(); };
  dcDBGrid1->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int X, int Y) { gridMouseDown(X, Y); };
  dcDBGrid1->OnColumnMoved = [this](TObject*, int, int) { columnMoved(); };

  StatusHeader = Make<SectionHeader>(this, this);
  StatusHeader->Sections()->Add();
  StatusHeader->Sections()->Add();
  StatusHeader->SetVisible(false);

  UserButtonPanel = Make<TPanel>(this, this);
  UserButtonPanel->SetCaption("");
  UserButtonPanel->SetBevelOuter(bvNone);
  UserButtonPanel->SetTabOrder(3);
  UserButtonPanel->SetVisible(false);
  UserButton1 = Make<TButton>(this, UserButtonPanel);
  UserButton2 = Make<TButton>(this, UserButtonPanel);
  UserButton1->SetVisible(false);
  UserButton2->SetVisible(false);
  UserButton1->OnClick = [this](TObject*) {
    if (OnUserButton1Click) OnUserButton1Click(this, DataSet);
  };
  UserButton2->OnClick = [this](TObject*) {
    if (OnUserButton2Click) OnUserButton2Click(this, DataSet);
  };

  OKButton = CreateDialogButton(this, dbkOK);
  OKButton->SetTabOrder(4);
  OKButton->SetDefault(true);
  CancelButton = CreateDialogButton(this, dbkCancel);
  CancelButton->SetTabOrder(5);

  KeyCombo = Make<TdcTempKeyCombo>(this, this);
  KeyCombo->ReturnFocusTo = dcIncrementalSearch1;
  KeyCombo->OnChange = [this](TObject*) { indexChosen(); };

  OnShow = [this](TObject*) { prepareToShow(); };
  OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { formKeyDown(Key, Shift); };
}

TdcLookupDlg::~TdcLookupDlg() { statusLink_->SetDataSource(nullptr); }

bool TdcLookupDlg::searchByShown() const { return Options.Contains(opShowSearchBy); }
bool TdcLookupDlg::grouped() const { return searchByShown() && Options.Contains(opGroupControls); }

int TdcLookupDlg::frameHeight() const {
  const ScreenFacts facts = qn::ui::screenFacts();
  return 2 * facts.dialogFrameHeight + facts.captionHeight + 9;
}

void TdcLookupDlg::prepareToShow() {
  const bool knowsIndexes = DataSet && (DataSet->InheritsFrom("TdcTable") || DataSet->InheritsFrom("TdcClientDataSet") ||
                                        IndexedTable(DataSet) || FindPublishedProperty(DataSet, "IndexDefs"));
  if (!knowsIndexes) Options.Exclude(opShowSearchBy);

  const ScreenFacts facts = qn::ui::screenFacts();
  const int screenWidth = facts.width - 40, screenHeight = facts.height - 200;
  largestWidth_ = MaxWidth > 0 ? std::min(MaxWidth, screenWidth) : screenWidth;
  largestHeight_ = MaxHeight > 0 ? std::min(MaxHeight, screenHeight) : screenHeight;
  const TRect area = facts.workArea;
  auto topFor = [&area](int height) { return std::max(0, (area.Top + area.Bottom - height - 200) / 2); };
  auto leftFor = [&area](int width) { return (area.Left + area.Right - width - 40) / 2; };
  SetTop(topFor(largestHeight_));
  SetLeft(leftFor(largestWidth_));

  if (!activated_ && OnInitDialog) {
    const int width = largestWidth_, height = largestHeight_, left = Left(), top = Top();
    OnInitDialog(this);
    if (Left() != left) chosenLeft_ = Left();
    else if (largestWidth_ != width) SetLeft(leftFor(largestWidth_));
    if (Top() == top && largestHeight_ != height) SetTop(topFor(largestHeight_));
  }

  DataSource1->SetDataSet(DataSet);
  statusLink_->SetDataSource(DataSource1);
  const TdcSearchDialogIntl* texts = dcIntlDefaults->SearchDialog();
  Font()->SetStyle(dcIntlDefaults->DialogFontStyle);
  SearchCharacterLabel->SetCaption(texts->SearchCharLabel);
  SortByLabel->SetCaption(texts->SearchByLabel);
  dcIncrementalSearch1->SetHint(texts->SearchCharHint);
  KeyCombo->SetHint(texts->SearchByHint);

  OrderColumnsByIndex();
  dcIncrementalSearch1->PictureMaskFromField = PictureMaskFromField;
  UpdateStatus();
  LayoutForm(true);
  if (searchByShown()) {
    KeyCombo->SetShownFields(&dcDBGrid1->Selected());
    KeyCombo->SetDataSource(DataSource1);
  }
}

// ---- columns and the search field ----

void TdcLookupDlg::takeFirstColumnAsSearchField() {
  const bool dcTableWithIndex = DataSet && DataSet->InheritsFrom("TdcTable") && DataSet->IndexFieldCount() > 0;
  if (dcDBGrid1->UseTFields() || dcTableWithIndex) return;
  TField* first = dcDBGrid1->GetFieldCount() > 0 ? dcDBGrid1->GetFields(0) : nullptr;
  if (first) dcIncrementalSearch1->SearchField = first->FieldName();
}

void TdcLookupDlg::columnMoved() { takeFirstColumnAsSearchField(); }

void TdcLookupDlg::OrderColumnsByIndex() {
  if (!DataSet) return;
  takeFirstColumnAsSearchField();
  TttTable* table = IndexedTable(DataSet);
  if (!table || !table->Active()) return;
  dcIncrementalSearch1->SearchField.clear();
  std::vector<TField*> indexFields;
  for (int i = 0; i < table->IndexFieldCount(); ++i)
    if (TField* field = table->GetIndexField(i)) indexFields.push_back(field);
  TStrings& selected = dcDBGrid1->Selected();
  {
    ControlsHeld held(*DataSet);
    if (dcDBGrid1->UseTFields()) {
      if (!indexFields.empty()) ApplySelectedToFields(DataSet, selected);
      int position = 0;
      for (TField* field : indexFields) {
        if (!field->Visible()) continue;
        field->SetIndex(position++);
        if (position == 1) dcIncrementalSearch1->SearchField = field->FieldName();
      }
    } else {
      int front = 0;
      for (TField* field : indexFields) {
        const int line = FindSelectedLine(selected, field->FieldName());
        if (line < 0) continue;
        selected.Move(line, front++);
        if (front == 1) dcIncrementalSearch1->SearchField = field->FieldName();
      }
    }
  }
  dcDBGrid1->LayoutColumns();
}

// ---- layout ----

int TdcLookupDlg::statusHeaderWidth() const {
  int width = 0;
  for (int i = 0; i < StatusHeader->Sections()->Count(); ++i) width += StatusHeader->Sections()->Items(i)->Width();
  return width;
}

int TdcLookupDlg::MinimumWidth() const {
  int width = SortByLabel->Left() + MeasuredTextWidth(SortByLabel->Font(), SortByLabel->Caption()) + 3;
  const bool first = !UserButton1->Caption().empty(), second = !UserButton2->Caption().empty();
  if (Options.Contains(opShowOKCancel)) {
    int buttons = OKButton->Width() + CancelButton->Width() + 18;
    if (first) buttons += UserButton1->Width() + 30;
    if (second) buttons += UserButton2->Width() + 30;
    width = std::max(width, buttons);
  } else if (first && second) {
    width = std::max(width, UserButton1->Width() + UserButton2->Width() + 35);
  } else if (first || second) {
    width = std::max(width, (first ? UserButton1 : UserButton2)->Width() + 35);
  }
  if (Options.Contains(opShowStatusBar)) width = std::max(width, statusHeaderWidth());
  return width;
}

int TdcLookupDlg::NeededGridWidth() const {
  int width = qn::ui::screenFacts().verticalScrollBarWidth + 4;
  for (int i = 0; i < dcDBGrid1->columnCount(); ++i) width += dcDBGrid1->columnWidth(i) + dcDBGrid1->lineWidth();
  return width;
}

void TdcLookupDlg::LayoutForm(bool Resize) {
  for (TButton* button : {UserButton1, UserButton2}) {
    button->SetVisible(!button->Caption().empty());
    FitCaption(button, button->Font());
  }
  const int minimum = MinimumWidth();
  const int needed = NeededGridWidth();
  const int last = dcDBGrid1->columnCount() - 1;
  if (needed < minimum && last >= dcDBGrid1->IndicatorOffset())
    dcDBGrid1->SetColWidths(last, dcDBGrid1->columnWidth(last) + minimum - needed);
  if (!Resize) return;

  const int gridWidth = std::max(std::min(needed, largestWidth_), minimum);
  dcDBGrid1->setScrollBars(gridWidth >= needed ? scrollBarsVertical : scrollBarsBoth);
  SetClientWidth(kMargin + gridWidth + kMargin);
  SetLeft(chosenLeft_ ? *chosenLeft_ : (qn::ui::screenFacts().width - Width()) / 2);

  SearchCharacterLabel->SetTop(kMargin);
  SearchCharacterLabel->SetLeft(kMargin);
  const int boxHeight = dcIncrementalSearch1->Height();
  dcIncrementalSearch1->SetBounds(kMargin, Screen->PixelsPerInch() * 13 / 96 + SearchCharacterLabel->Top() + 3,
                                  gridWidth, boxHeight);
  dcDBGrid1->SetBounds(kMargin, dcIncrementalSearch1->Top() + boxHeight + 8, gridWidth, largestHeight_);
  int bottom = dcDBGrid1->Top() + dcDBGrid1->Height();

  const bool userButtons = UserButton1->Visible() || UserButton2->Visible();
  StatusHeader->SetVisible(StatusShown());
  if (StatusHeader->Visible()) {
    const int top = Options.Contains(opShowOKCancel) || userButtons ? bottom - 1 : bottom + 10;
    StatusHeader->SetBounds(kMargin, top, gridWidth, MeasuredTextHeight(StatusHeader->Font(), "0") + 6);
    bottom = StatusHeader->Top() + StatusHeader->Height();
  }

  SortByLabel->SetVisible(searchByShown());
  KeyCombo->SetVisible(searchByShown());
  if (grouped()) {
    const int half = (gridWidth - 20) / 2;
    dcIncrementalSearch1->SetWidth(half);
    KeyCombo->SetBounds(dcIncrementalSearch1->Left() + half + 20, dcIncrementalSearch1->Top(), half, KeyCombo->Height());
    SortByLabel->SetLeft(KeyCombo->Left());
    SortByLabel->SetTop(SearchCharacterLabel->Top());
    KeyCombo->SetTabOrder(1);
  } else if (searchByShown()) {
    // Below whatever ends the grid, so the status line is never covered.
    SortByLabel->SetLeft(kMargin);
    SortByLabel->SetTop(bottom + 8);
    KeyCombo->SetBounds(kMargin, SortByLabel->Top() + SortByLabel->Height() + 3, gridWidth, KeyCombo->Height());
    bottom = KeyCombo->Top() + KeyCombo->Height();
  }

  UserButtonPanel->SetVisible(userButtons);
  if (userButtons) {
    int x = 10;
    for (TButton* button : {UserButton1, UserButton2}) {
      if (!button->Visible()) continue;
      button->SetBounds(x, 8, button->Width(), OKButton->Height());
      x += button->Width() + 15;
    }
    const int buttonsRight = x - 15;
    UserButtonPanel->SetBounds(kMargin, bottom + 5, Options.Contains(opShowOKCancel) ? buttonsRight + 10 : gridWidth,
                               OKButton->Height() + 16);
  }

  OKButton->SetVisible(Options.Contains(opShowOKCancel));
  CancelButton->SetVisible(Options.Contains(opShowOKCancel));
  if (Options.Contains(opShowOKCancel)) {
    const int nudge = gridWidth == minimum ? 5 : 0;
    OKButton->SetTabStop(true);
    CancelButton->SetTabStop(true);
    OKButton->SetBounds(Width() - 2 * OKButton->Width() - 36 + nudge, bottom + 13, OKButton->Width(), OKButton->Height());
    CancelButton->SetBounds(Width() - OKButton->Width() - 23 + nudge, bottom + 13, CancelButton->Width(),
                            CancelButton->Height());
    SetHeight(OKButton->Top() + OKButton->Height() + frameHeight());
  } else {
    SetHeight((userButtons ? UserButtonPanel->Top() + UserButtonPanel->Height() : bottom) + frameHeight());
  }

  if (grouped() && dcIncrementalSearch1->Width() <
                       MeasuredTextWidth(SearchCharacterLabel->Font(), SearchCharacterLabel->Caption()))
    SearchCharacterLabel->SetCaption(dcIntlDefaults->SearchDialog()->SearchCharShortLabel);
}

// ---- status line ----

bool TdcLookupDlg::StatusShown() const {
  return Options.Contains(opShowStatusBar) && DataSet && DataSet->Active() && DataSet->RecNo() >= 0 &&
         DataSet->RecordCount() >= 0;
}

void TdcLookupDlg::UpdateStatus() {
  if (!StatusShown()) return;
  const int number = DataSet->RecNo(), count = DataSet->RecordCount();
  const TdcSearchDialogIntl* texts = dcIntlDefaults->SearchDialog();
  const AnsiString position = texts->StatusRecLabel + " " + std::to_string(number) + " " + texts->StatusOfLabel + " " +
                              std::to_string(count);
  HeaderSection* name = StatusHeader->Sections()->Items(0);
  HeaderSection* place = StatusHeader->Sections()->Items(1);
  TttTable* table = IndexedTable(DataSet);
  name->SetText(TrimRight(table ? table->TableName() : ReadStringProperty(DataSet, "TableName").value_or(DataSet->Name())));
  place->SetText(position);
  name->SetWidth(MeasuredTextWidth(StatusHeader->Font(), name->Text()) + 16);
  place->SetWidth(MeasuredTextWidth(StatusHeader->Font(), position) + 16);
}

// ---- keys, mouse and closing ----

void TdcLookupDlg::DoActivate() {
  TForm::DoActivate();
  if (activated_) return;
  activated_ = true;
  if (dcIncrementalSearch1->Visible() && dcIncrementalSearch1->CanFocus()) dcIncrementalSearch1->SetFocus();
  UpdateStatus();
  if (InitialSearch.empty()) return;
  dcIncrementalSearch1->SetText(InitialSearch);
  if (dcIncrementalSearch1->ShowMatchText) dcIncrementalSearch1->SearchNow();
  else dcIncrementalSearch1->SetSelStart(static_cast<int>(InitialSearch.size()));
}

void TdcLookupDlg::formKeyDown(WORD& Key, TShiftState Shift) {
  if (ActiveControl() == KeyCombo) return;
  switch (Key) {
    case VK_RETURN:
      if (OKButton->Visible() && OKButton->CanFocus()) OKButton->SetFocus();
      Key = 0;
      SetModalResult(mrOk);
      break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
      dcDBGrid1->KeyDown(Key, Shift);
      Key = 0;
      break;
    default: break;
  }
}

void TdcLookupDlg::indexChosen() {
  dcIncrementalSearch1->Clear();
  OrderColumnsByIndex();
  LayoutForm(false);
  if (!KeyCombo->DroppedDown() && dcIncrementalSearch1->CanFocus()) dcIncrementalSearch1->SetFocus();
  if (OnSortChange) OnSortChange(this);
}

void TdcLookupDlg::gridMouseDown(int X, int Y) {
  memoCellPressed_ = false;
  const auto cell = dcDBGrid1->cellAtPoint({X, Y});
  if (!cell || cell->row < dcDBGrid1->TitleOffset() || cell->column < dcDBGrid1->IndicatorOffset()) return;
  TField* field = dcDBGrid1->GetFields(cell->column - dcDBGrid1->IndicatorOffset());
  if (!field) return;
  memoCellPressed_ = field->DataType() == ftMemo || field->DataType() == ftFmtMemo ||
                     SameText(dcDBGrid1->GetControlType(field).Type, "RichEdit");
}

void TdcLookupDlg::gridDblClick() {
  if (dcDBGrid1->DBOptions().Contains(dgEditing) && !dcDBGrid1->ReadOnly()) return;
  if (memoCellPressed_ && !dcDBGrid1->MemoAttributes().Contains(mDisableDialog)) return;
  SetModalResult(mrOk);
}

bool TdcLookupDlg::CloseQuery() {
  if (KeyCombo->DroppedDown()) return false;
  if (dcIncrementalSearch1->Timer().Enabled()) dcIncrementalSearch1->SearchNow();
  if (!TForm::CloseQuery()) return false;
  if (OnCloseDialog) OnCloseDialog(this);
  return true;
}
