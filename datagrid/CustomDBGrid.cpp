// Construction, the switches and the layout of the data-aware grid: which fields become columns,
// how wide they are, how tall the rows are and how many records the link buffers.
#include "datagrid/CustomDBGrid.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/InplaceEdit.h"

#include <QWidget>
#include <algorithm>

#include "datagrid/ExtensionLines.h"
#include "datagrid/IndicatorButton.h"
#include "framework/base/IntegerText.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Font.h"
#include "framework/ui/ImageStrip.h"

namespace {

// Loaded with the first grid and freed with the last.
struct IndicatorBitmaps {
  BitmapImage browse, edit, insert;
  IndicatorBitmaps() {
    browse.LoadFromResourceName("DCDBGARROW");
    edit.LoadFromResourceName("DCDBEDIT");
    insert.LoadFromResourceName("DCDBINSERT");
  }
};
IndicatorBitmaps* sharedBitmaps = nullptr;
int liveGrids = 0;

// The options that change what the layout computes.
constexpr TdcDBGridOptions kLayoutOptions{dgEditing,  dgAlwaysShowEditor, dgTitles,   dgIndicator,
                                          dgColLines, dgRowLines,         dgRowSelect, dgAlwaysShowSelection,
                                          dgPerfectRowFit, dgShowFooter};

bool changedIn(TdcDBGridOptions a, TdcDBGridOptions b, TdcDBGridOptions watched) {
  return ((a.Mask() ^ b.Mask()) & watched.Mask()) != 0;
}

}  // namespace

void TdcColumn::SetFooterValue(const AnsiString& Value) {
  if (fieldName_.empty() || Value == footerValue_) return;
  footerValue_ = Value;
  grid_->invalidateArea(grid_->GetFooterRect());
}

TdcCustomDBGrid::TdcCustomDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner), link_(std::make_unique<TdcGridDataLink>(this)), titleFont_(std::make_unique<TFont>()) {
  if (liveGrids++ == 0) sharedBitmaps = new IndicatorBitmaps;
  setColumnCount(2);
  setRowCount(2);
  applyBaseOptions();
  // Every cell's drawing fills its own rectangle in its own colours: a fill before it is lost work.
  setDefaultCellFilling(false);
  titleFont_->Assign(Font());
  titleFont_->OnChange = [this](TObject*) { titleFontChanged(); };
}

TdcCustomDBGrid::~TdcCustomDBGrid() {
  titleFont_->OnChange = nullptr;
  // The link lets go of its source as a plain link: the grid's cells and editor are gone already.
  link_.reset();
  if (--liveGrids == 0) {
    delete sharedBitmaps;
    sharedBitmaps = nullptr;
  }
}

const BitmapImage* TdcCustomDBGrid::IndicatorBitmap(IndicatorKind Kind) {
  if (!sharedBitmaps) return nullptr;
  switch (Kind) {
    case indicatorEdit:
      return &sharedBitmaps->edit;
    case indicatorInsert:
      return &sharedBitmaps->insert;
    case indicatorBrowse:
      break;
  }
  return &sharedBitmaps->browse;
}

void TdcCustomDBGrid::SetDataSource(TDataSource* Value) {
  if (Value == link_->DataSource()) return;
  link_->SetDataSource(Value);
  LinkActive(link_->Active());
}

TDataSet* TdcCustomDBGrid::dataSet() const { return link_->DataSet(); }

// ---- switches ----

void TdcCustomDBGrid::applyBaseOptions() {
  GridOptions base;
  if (dbOptions_.Contains(dgColLines)) base.Include(gridFixedVerticalLines).Include(gridVerticalLines);
  if (dbOptions_.Contains(dgRowLines)) base.Include(gridFixedHorizontalLines).Include(gridHorizontalLines);
  if (dbOptions_.Contains(dgColumnResize)) base.Include(gridColumnSizing).Include(gridColumnMoving);
  if (dbOptions_.Contains(dgTabs)) base.Include(gridTabs);
  if (dbOptions_.Contains(dgRowSelect)) base.Include(gridRowSelect);
  else if (dbOptions_.Contains(dgEditing)) base.Include(gridEditing);
  if (dbOptions_.Contains(dgAlwaysShowEditor)) base.Include(gridAlwaysShowEditor);
  SetOptions(base);
}

void TdcCustomDBGrid::SetDBOptions(TdcDBGridOptions Value) {
  if (Value == dbOptions_) return;
  const TdcDBGridOptions old = dbOptions_;
  dbOptions_ = Value;
  applyBaseOptions();
  if (changedIn(old, Value, {dgWordWrap})) {
    if (auto* editor = dynamic_cast<TInplaceEdit*>(cellEditor())) editor->SetWordWrap(Value.Contains(dgWordWrap));
    Invalidate();
  }
  if (changedIn(old, Value, kLayoutOptions)) LayoutColumns();
}

void TdcCustomDBGrid::SetUseTFields(bool Value) {
  if (Value == useTFields_) return;
  useTFields_ = Value;
  LayoutColumns();
}

void TdcCustomDBGrid::SetEditCalculated(bool Value) {
  if (Value == editCalculated_) return;
  editCalculated_ = Value;
  LayoutColumns();
}

void TdcCustomDBGrid::SetTitleFont(TFont* Value) { titleFont_->Assign(Value); }

void TdcCustomDBGrid::titleFontChanged() {
  if (!followingParentFont_ && !ComponentState().Contains(csLoading)) titleFontFollows_ = false;
  if (dbOptions_.Contains(dgTitles)) LayoutColumns();
}

void TdcCustomDBGrid::FontChanged() {
  TCustomGrid::FontChanged();
  if (titleFontFollows_) {
    followingParentFont_ = true;
    titleFont_->Assign(Font());
    followingParentFont_ = false;
  }
  LayoutColumns();
}

void TdcCustomDBGrid::SetIndicatorButton(TdcIButton* Value) {
  if (Value == indicatorButton_) return;
  if (indicatorButton_) indicatorButton_->RemoveFreeNotification(this);
  indicatorButton_ = Value;
  if (Value) {
    Value->FreeNotification(this);
    indicatorWidth_ = Value->Width() - 1;
  } else {
    indicatorWidth_ = 11;
  }
  LayoutColumns();
}

void TdcCustomDBGrid::IndicatorButtonResized() {
  indicatorWidth_ = indicatorButton_->Width() - 1;
  LayoutColumns();
}

void TdcCustomDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == indicatorButton_) indicatorButton_ = nullptr;
  // The image lists are shared components a form may free first.
  if (imageList_ && AComponent == imageList_) SetImageList(nullptr);
  if (titleImageList_ && AComponent == titleImageList_) SetTitleImageList(nullptr);
}

void TdcCustomDBGrid::SetTitleLines(int Value) {
  if (Value < 1 || Value == titleLines_) return;
  titleLines_ = Value;
  LayoutColumns();
}

void TdcCustomDBGrid::SetRowHeightPercent(int Value) {
  if (Value < 1) {
    rowHeightPercent_ = 100;
    return;
  }
  rowHeightPercent_ = Value;
  LayoutColumns();
}

void TdcCustomDBGrid::SetFooterHeight(int Value) {
  footerHeight_ = std::max(0, Value);
  LayoutColumns();
}

void TdcCustomDBGrid::SetShowVertScrollBar(bool Value) {
  showVertScrollBar_ = Value;
  updateVerticalScrollBar();
  Invalidate();
}

// ---- columns ----

TdcColumn& TdcCustomDBGrid::ColumnByName(const AnsiString& FieldName) {
  for (auto& column : columns_)
    if (SameText(column->fieldName_, FieldName)) return *column;
  return standBy_;
}

TdcColumn& TdcCustomDBGrid::ColumnByIndex(int Index) {
  TField* field = GetFields(Index);
  return field ? ColumnByName(field->FieldName()) : standBy_;
}

std::vector<AnsiString> TdcCustomDBGrid::selectedTokens(int DataColumn) const {
  if (useTFields_ || DataColumn < 0 || DataColumn >= selected_.Count()) return {};
  return SplitLine(selected_.Strings(DataColumn), '\t');
}

bool TdcCustomDBGrid::readOnlyFlag(int DataColumn) const {
  const std::vector<AnsiString> tokens = selectedTokens(DataColumn);
  return tokens.size() >= 4 && tokens[3] == "T";
}

void TdcCustomDBGrid::DefineFieldMap() {
  TDataSet* ds = dataSet();
  if (useTFields_) {
    for (int i = 0; i < ds->Fields().Count(); ++i)
      if (ds->Fields()[i]->Visible()) link_->AddMapping(ds->Fields()[i]->FieldName());
    return;
  }
  for (int i = 0; i < selected_.Count();) {
    const AnsiString name = SplitLine(selected_.Strings(i), '\t').front();
    if (!ds->FindField(name)) {
      selected_.Delete(i);
      continue;
    }
    link_->AddMapping(name);
    ++i;
  }
}

void TdcCustomDBGrid::rebuildColumns() {
  std::vector<std::unique_ptr<TdcColumn>> fresh;
  fresh.reserve(GetFieldCount());
  for (int i = 0; i < GetFieldCount(); ++i) {
    auto column = std::make_unique<TdcColumn>(this, GetFields(i)->FieldName());
    column->footerValue_ = ColumnByName(column->fieldName_).footerValue_;
    fresh.push_back(std::move(column));
  }
  columns_ = std::move(fresh);
}

// ---- layout ----

int TdcCustomDBGrid::textWidthIn(TFont* font, const AnsiString& text) {
  Canvas& c = canvas();
  c.SetFont(font);
  return c.textWidth(text);
}

int TdcCustomDBGrid::textHeightIn(TFont* font, const AnsiString& text) {
  Canvas& c = canvas();
  c.SetFont(font);
  return c.textHeight(text);
}

void TdcCustomDBGrid::setRowHeights() {
  const bool rowLines = dbOptions_.Contains(dgRowLines);
  setDefaultRowHeight((textHeightIn(Font(), "W") + 2 + (rowLines ? 1 : 0)) * rowHeightPercent_ / 100);
  titleTextOffset_ = 2;
  if (titleOffset_ == 0) return;
  if (rowCount() <= titleOffset_) setRowCount(titleOffset_ + 1);
  const int title = textHeightIn(titleFont_.get(), "W") * titleLines_ + 4 + (rowLines ? 0 : 1);
  int height = title;
  if (indicatorOffset_ && indicatorButton_) {
    // The button covers the cell and its grid line.
    height = std::max(title, indicatorButton_->Height() + (rowLines ? -1 : 1));
    titleTextOffset_ = (height - title) / 2 + 2;
  }
  setRowHeight(0, height);
}

int TdcCustomDBGrid::rowsThatFit() const {
  int fixed = 0;
  for (int i = 0; i < titleOffset_; ++i) fixed += rowHeight(i) + lineWidth();
  return std::max(1, (ClientRect().Height() - fixed + lineWidth()) / rowPitch());
}

int TdcCustomDBGrid::rowPitch() const { return defaultRowHeight() + lineWidth(); }

void TdcCustomDBGrid::LayoutColumns() {
  if (ComponentState().Contains(csLoading) || !hasWindow() || inLayout_) return;
  inLayout_ = true;
  try {
    titleOffset_ = dbOptions_.Contains(dgTitles) ? 1 : 0;
    indicatorOffset_ = dbOptions_.Contains(dgIndicator) ? 1 : 0;
    setFixedRowCount(0);
    setRowHeights();
    link_->ClearMapping();
    if (linkActive()) DefineFieldMap();
    rebuildColumns();

    int dataColumns = GetFieldCount();
    if (dataColumns == 0 && !useTFields_) dataColumns = selected_.Count();
    SetFixedCols(0);
    setColumnCount(indicatorOffset_ + std::max(1, dataColumns));
    SetFixedCols(indicatorOffset_);
    if (indicatorOffset_) {
      sizing_ = true;
      setColumnWidth(0, indicatorWidth_);
      sizing_ = false;
      if (Col() == 0) moveCurrentCell(1, Row());
    }

    HideCustomControl();
    UpdateRowCount();
    // The widths may show or hide the horizontal scroll bar, and with it a row.
    SetColumnAttributes();
    if (rowsThatFit() != visibleRows_) UpdateRowCount();
    UpdateFooter();
  } catch (...) {
    sizing_ = false;
    inLayout_ = false;
    throw;
  }
  inLayout_ = false;
  UpdateActive();
  Invalidate();
}

void TdcCustomDBGrid::SetColumnAttributes() {
  TDataSet* ds = dataSet();
  laidWidths_.assign(columnCount(), 0);
  if (!ds) return;
  const int zero = textWidthIn(Font(), "0");
  const bool measureTitles = dbOptions_.Contains(dgTitles) && !dbOptions_.Contains(dgNoLimitColSize);
  int column = indicatorOffset_;
  auto apply = [&](TField* field, int characters, const AnsiString& title, bool readOnlyColumn) {
    if (column >= columnCount()) return;
    int width = characters * zero + 4;
    if (measureTitles)
      for (const AnsiString& part : SplitLine(title, '~')) width = std::max(width, textWidthIn(titleFont_.get(), part) + 4);
    sizing_ = true;
    setColumnWidth(column, width);
    sizing_ = false;
    laidWidths_[column] = width;
    const bool stops = !(field->ReadOnly() || readOnlyColumn || (field->Calculated() && !editCalculated_));
    setColumnTakesTab(column, stops);
    ++column;
  };
  if (useTFields_) {
    for (int i = 0; i < GetFieldCount(); ++i) apply(GetFields(i), GetFields(i)->DisplayWidth(), GetFields(i)->DisplayLabel(), false);
    return;
  }
  for (int i = 0; i < selected_.Count(); ++i) {
    const std::vector<AnsiString> tokens = SplitLine(selected_.Strings(i), '\t');
    TField* field = ds->FindField(tokens.front());
    if (!field) continue;
    const int characters = tokens.size() >= 2 ? StrToInt(tokens[1]) : 0;
    apply(field, characters, tokens.size() >= 3 ? tokens[2] : field->DisplayLabel(), tokens.size() >= 4 && tokens[3] == "T");
  }
}

void TdcCustomDBGrid::UpdateRowCount() {
  if (inRowCount_) return;
  inRowCount_ = true;
  if (rowCount() <= titleOffset_) setRowCount(titleOffset_ + 1);
  setFixedRowCount(titleOffset_);
  setFirstScrollRow(titleOffset_);
  visibleRows_ = rowsThatFit();
  if (linkActive() && !dataSet()->IsEmpty()) {
    if (visibleRows_ < link_->BufferCount() && Row() - titleOffset_ >= visibleRows_) {
      Invalidate();
      DoTopRowChanged();
    }
    link_->SetBufferCount(visibleRows_);
    setRowCount(link_->RecordCount() + titleOffset_);
    inRowCount_ = false;
    UpdateActive();
    return;
  }
  setRowCount(titleOffset_ + 1);
  inRowCount_ = false;
}

int TdcCustomDBGrid::footerExtent() const {
  if (!dbOptions_.Contains(dgShowFooter)) return 0;
  return (footerHeight_ ? footerHeight_ : defaultRowHeight() + 4) + (dbOptions_.Contains(dgFooter3DCells) ? 2 : 0);
}

TRect TdcCustomDBGrid::ClientRect() const {
  TRect client = TCustomGrid::ClientRect();
  client.Bottom = std::max(client.Top, client.Bottom - footerExtent());
  return client;
}

TRect TdcCustomDBGrid::GetFooterRect() const {
  if (!dbOptions_.Contains(dgShowFooter)) return {};
  const TRect full = TCustomGrid::ClientRect();
  const int top = ClientRect().Bottom;
  const int height = (footerHeight_ ? footerHeight_ - 1 : defaultRowHeight() + 3) + (dbOptions_.Contains(dgFooter3DCells) ? 2 : 0);
  return {full.Left, top, full.Right, top + height};
}

void TdcCustomDBGrid::invalidateArea(const TRect& Area) {
  if (hasWindow() && !Area.IsEmpty()) Window()->update(Area.Left, Area.Top, Area.Width(), Area.Height());
}

void TdcCustomDBGrid::Loaded() {
  TCustomGrid::Loaded();
  LayoutColumns();
}

void TdcCustomDBGrid::WindowCreated() {
  TCustomGrid::WindowCreated();
  LayoutColumns();
  updateVerticalScrollBar();
  CheckRowChanged();
}

void TdcCustomDBGrid::BoundsChanged() {
  TCustomGrid::BoundsChanged();
  if (inLayout_ || !hasWindow()) return;
  HideCustomControl();
  hideCellEditor();
  UpdateRowCount();
}
