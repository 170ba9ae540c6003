// The lookup combo's drop-down: opening it over the lookup table (its rows, size and place),
// taking a picked row, and closing it, which writes the value (unbound, linked or bound), handles
// a text that is in no record, and restores what was there when the write fails.
#include <algorithm>

#include "datagrid/DcTable.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/StringHelpers.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/InputHelpers.h"
#include "datagrid/SelectedLists.h"
#include "editors/DBLookupCombo.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/Font.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/ScreenFacts.h"

namespace {

// Counts in every formula at least one row: a negative count would give a negative height.
int rowsOf(int Count) { return std::max(Count, 1); }

}  // namespace

void TdcDBCustomLookupCombo::DefaultSelectedLine() {
  TField* field = grid_->Linked() ? grid_->DisplayField() : grid_->KeyField();
  if (!field) return;
  Selected()->Add(field->FieldName() + "\t" + std::to_string(field->DisplayWidth()) + "\t" + field->DisplayLabel());
}

int TdcDBCustomLookupCombo::GridHeight(int Rows) const {
  const int lines = Options().Contains(loRowLines) ? 1 : 0;
  const int titles = Options().Contains(loTitles) ? 1 : 0;
  return (grid_->defaultRowHeight() + lines) * (titles + Rows) - 2 * lines + 5;
}

int TdcDBCustomLookupCombo::WantedGridWidth() {
  if (dropDownWidth_ > 0) return dropDownWidth_;
  const int lineWidth = grid_->lineWidth();
  const int digit = std::max(1, MeasuredTextWidth(grid_->Font(), "0"));
  int columns = qn::ui::screenFacts().thumbWidth + 1;
  const int count = grid_->GetFieldCount();
  for (int i = 0; i < count; ++i) {
    TField* field = grid_->GetFields(i);
    int chars = field ? field->DisplayWidth() : 0;
    if (!useTFields_ && i < Selected()->Count()) {
      int pos = 1;
      StrGetToken(Selected()->Strings(i), "\t", pos);
      chars = std::atoi(StrGetToken(Selected()->Strings(i), "\t", pos).c_str());
    }
    int width = chars * digit + lineWidth;
    if (Options().Contains(loTitles) && field)
      width = std::max(width, MeasuredTextWidth(grid_->TitleFont(), field->DisplayLabel()));
    columns += width;
  }
  return columns + count * lineWidth + button_->Width();
}

void TdcDBCustomLookupCombo::PlaceGrid() {
  if (Width() < 21 || !dropDown_) return;
  const TPoint corner = ClientToScreen({0, 0});
  placedCorner_ = corner;
  const ScreenFacts facts = qn::ui::screenFacts();
  const int wanted = WantedGridWidth();
  const int available = dropDownAlignment_ == taRightJustify ? corner.X + Width() : facts.width - corner.X;
  const int width = std::max(Width() - 4, std::min(available - 2, wanted));
  int height = GridHeight(openRows_);
  int others = 0;
  const int count = grid_->GetFieldCount();
  for (int i = 0; i + 1 < count; ++i) others += grid_->GetColWidths(i);
  const bool horizontal = others + count * grid_->lineWidth() + button_->Width() + 1 >= width && openRows_ > 0;
  if (horizontal) height += facts.horizontalScrollBarHeight;
  // The grid keeps only the bars the drop-down has room for.
  const bool vertical = grid_->ShowVertScrollBar();
  grid_->setScrollBars(vertical ? (horizontal ? scrollBarsBoth : scrollBarsVertical)
                                : (horizontal ? scrollBarsHorizontal : scrollBarsNone));
  const int left = dropDownAlignment_ == taRightJustify ? corner.X + Width() - width + 1 : corner.X;
  dropDown_->open(width, height, left);
}

void TdcDBCustomLookupCombo::DropDown() {
  TDataSet* table = LookupTable();
  if (!table || !table->Active()) {
    MessageDlg(table ? "Lookup table is not active!" : "No lookup table specified!", mtWarning, {mbOK}, 0);
    // The button comes back up: its pressed look goes with the disabling.
    button_->SetEnabled(false);
    button_->Repaint();
    button_->SetEnabled(true);
    button_->Repaint();
    return;
  }
  if (dropped_ || Width() <= 20) return;
  if (!dropDown_) createWindow();
  if (!dropDown_) return;
  grid_->SetChosenRow(-1);
  if (Selected()->Count() == 0) DefaultSelectedLine();
  if (!searchingBeforeDrop_) {
    if (!Bound() && grid_->DisplayField() == grid_->KeyField()) grid_->SetValues(Text(), Text());
    found_ = grid_->LocateCurrentValue(true);
    textAtSearch_ = Text();
    if ((TypingMode() ? Text() : LookupValue()).empty()) found_ = true;
  }
  if (useTFields_) ApplySelectedToFields(table, *Selected());
  else grid_->LayoutColumns();
  if (OnDropDown) OnDropDown(this);
  openRows_ = rowsOf(dropDownCount_);
  const AnsiString text = Text();
  const int selStart = SelStart();
  const int selLength = SelLength();
  dropped_ = true;
  auto* indexed = dynamic_cast<TdcTable*>(table);
  const int records = table->RecordCount();
  const bool fewer =
      records >= 0 && records < openRows_ && !(indexed && (indexed->NarrowSearch || indexed->SyncSQLByRange));
  internalUpdate_ = true;
  grid_->SetShowVertScrollBar(!fewer);
  internalUpdate_ = false;
  if (fewer) openRows_ = rowsOf(records);
  PlaceGrid();
  if (fewer) {
    SetText(text);
    if (showMatchText_ && searchingBeforeDrop_) {
      SetSelStart(selStart);
      SetSelLength(selLength);
    } else {
      SetSelStart(static_cast<int>(text.size()));
    }
  }
  if (LookupField().empty()) grid_->SetDisplayValue(Text());
  grid_->LayoutColumns();
  lastSearched_ = DisplayValue();
  if (CanFocus() && !Focused()) SetFocus();
  refreshReadOnly();
  if (!searchingBeforeDrop_) SelectAll();
  CaretAllowedChanged();
  Invalidate();
}

// ---- taking a row ----

void TdcDBCustomLookupCombo::TakeListRow() {
  if (timer_->Enabled()) {
    timer_->SetEnabled(false);
    SearchStep();
  } else if (!dropped_ || grid_->ChosenRow() >= 0) {
    grid_->TakeRecordValues();
  }
  Accept();
}

void TdcDBCustomLookupCombo::Accept() {
  found_ = true;
  if (Bound() && !link_.Editing() && !Modified()) return;
  link_.Edit();
  if (Bound() && !link_.Editing() && !Linked()) return;
  if (Linked() && (!link_.DataSet()->CanModify() || ReadOnly())) return;
  SetText(DisplayValue());
  markModified();
  if (TypingMode()) SelectAll();
  lastSearched_ = Text();
}

// ---- closing ----

void TdcDBCustomLookupCombo::HideGrid() {
  const bool was = dropped_;
  dropped_ = false;
  if (dropDown_) dropDown_->close();
  RestoreIndex();
  if (was) CaretAllowedChanged();
}

void TdcDBCustomLookupCombo::GridHidden() {
  if (!dropped_) return;
  dropped_ = false;
  RestoreIndex();
  CaretAllowedChanged();
  Invalidate();
}

void TdcDBCustomLookupCombo::CloseUp(bool Accept) {
  if (inCloseUp_) return;
  inCloseUp_ = true;
  try {
    if (dropped_) CloseUpOpen(Accept);
    else CloseUpClosed();
  } catch (...) {
    HideGrid();
    inCloseUp_ = false;
    inNotInList_ = false;
    writingLinkedKeys_ = false;
    Invalidate();
    throw;
  }
  inCloseUp_ = false;
}

void TdcDBCustomLookupCombo::CloseUpOpen(bool Accept) {
  // Text typed within the search interval is searched before it is taken.
  if (timer_->Enabled()) {
    timer_->SetEnabled(false);
    if (Accept) SearchStep();
  }
  const bool keyShown = grid_->DisplayField() == grid_->KeyField();
  bool freshNotInList = false;
  if (Accept && !found_ && (link_.Editing() || Linked() || !Bound())) {
    HideGrid();
    found_ = true;
    if ((style_ == csDropDown && keyShown) || OnNotInList) {
      bool accepted = true;
      if (OnNotInList && !Text().empty()) {
        AskNotInList(accepted);
        ReleaseMouseCapture();
      }
      if (!accepted) {
        grid_->SearchByDisplayText(savedText_);
        RestoreSaved();
        SetModified(false);
        Invalidate();
        return;
      }
      savedText_ = Text();
      freshNotInList = true;
      if (keyShown) {
        grid_->SearchByDisplayText(Text());
        grid_->SetValues(Text(), Text());
        if (TField* field = link_.Field(); field && !Linked() && field->AsString() != Text()) {
          link_.Edit();
          field->SetAsString(Text());
        }
      } else if (!Linked() && grid_->KeyField()) {
        grid_->SetValues(grid_->KeyField()->AsString(), DisplayValue());
        if (!Bound()) SetText(textAtSearch_);
      }
    } else if (Text() != savedText_) {
      // A text that is in no record goes back to what was there before.
      RestoreSaved();
      Accept = false;
    }
  }
  if (Accept && (link_.Editing() || Linked() || !Bound())) {
    if (!Bound()) {
      if (found_ && !freshNotInList) {
        TField* display = grid_->DisplayField();
        SetText(keyShown || !display ? LookupValue() : display->AsString());
        this->Accept();
      } else if (!found_ && (style_ == csDropDownList || !keyShown)) {
        SetText("");
        grid_->SetValues("", "");
      }
    } else if (Linked()) {
      HideGrid();
      bool changed = false;
      WriteLinkedKeys(changed);
      Accept = changed;
      SetText(link_.Field()->AsString());
      SelectAll();
    } else {
      Accept = false;
      if (grid_->ChosenRow() >= 0) copyExtraKeys(Accept);
      TField* field = link_.Field();
      if (field->AsString() != LookupValue()) {
        Accept = true;
        writingLinkedKeys_ = true;
        // The record found shows its own text, not the letters typed to find it.
        if (found_ || style_ == csDropDownList) SetText(DisplayValue());
        try {
          field->SetAsString(LookupValue());
        } catch (...) {
          grid_->SetDisplayValue(savedText_);
          SetText(savedText_);
          writingLinkedKeys_ = false;
          throw;
        }
        writingLinkedKeys_ = false;
      } else if (style_ == csDropDownList && !found_) {
        RestoreSaved();
      }
      Invalidate();
    }
  } else {
    Accept = false;
  }
  HideGrid();
  Invalidate();
  if (Accept) {
    ResyncLookupTable();
    SaveState();
  }
  SetModified(Accept);
  if (OnCloseUp) OnCloseUp(this, LookupTable(), Bound() ? link_.DataSet() : nullptr, Accept);
}

void TdcDBCustomLookupCombo::ResyncLookupTable() {
  TDataSet* table = LookupTable();
  if (!table || !table->Active() || table->State() != dsBrowse || table->IsEmpty()) return;
  auto* indexed = dynamic_cast<TdcTable*>(table);
  if (indexed) ++indexed->LookupSearchCount;
  try {
    table->UpdateCursorPos();
    table->Resync(0);
  } catch (...) {
    if (indexed) --indexed->LookupSearchCount;
    throw;
  }
  if (indexed) --indexed->LookupSearchCount;
}

// The form's answer to a text in no record; meanwhile a close-up the handler causes (moving the
// focus, say) must not ask again.
void TdcDBCustomLookupCombo::AskNotInList(bool& accepted) {
  inNotInList_ = true;
  try {
    OnNotInList(this, LookupTable(), Text(), accepted);
  } catch (...) {
    inNotInList_ = false;
    throw;
  }
  inNotInList_ = false;
}

void TdcDBCustomLookupCombo::CloseUpClosed() {
  TField* display = grid_->DisplayField();
  if (OnNotInList && Text() != savedText_ && !inNotInList_ && (Linked() || !IsCalculatedOrLookupField(display))) {
    SetUpDisplayIndex();
    PerformSearch();
    if (!found_) {
      bool accepted = true;
      if (!Text().empty()) AskNotInList(accepted);
      if (!accepted) {
        RestoreSaved();
        if (Focused()) SelectAll();
      }
    }
    savedText_ = Text();
  } else if (style_ == csDropDown && display != grid_->KeyField() && Text() != savedText_ && !found_) {
    RestoreSaved();
    if (Focused()) SelectAll();
  }
}

void TdcDBCustomLookupCombo::CancelMode() {
  if (Modified() && !found_) {
    link_.Edit();
    if (link_.Editing()) link_.Modified();
  }
  if (!dropped_) return;
  if (found_) TakeListRow();
  CloseUp(true);
}

// ---- the mouse and the button ----

void TdcDBCustomLookupCombo::ButtonPress() {
  pressHanded_ = false;
  const bool wasOpen = dropped_;
  if (!Focused() && CanFocus()) SetFocus();
  if (wasOpen) {
    if (found_) TakeListRow();
    CloseUp(true);
  } else if (!dropped_) {
    DropDown();
  }
}

void TdcDBCustomLookupCombo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  pressHanded_ = false;
  // A text that cannot be typed: the press opens and closes the drop-down.
  if (style_ == csDropDownList && !autoDropDown_) {
    if (!Focused() && CanFocus()) SetFocus();
    if (dropped_) CloseUp(true);
    else DropDown();
  }
}

void TdcDBCustomLookupCombo::FollowPress(TPoint Screen, TShiftState Shift) {
  if (!dropped_ || !Shift.Contains(ssLeft)) return;
  if (pressHanded_) {
    grid_->FollowMove(Screen, Shift);
  } else if (grid_->ClientRect().Contains(grid_->ScreenToClient(Screen))) {
    // Dragged into the open grid: the grid takes the press from here.
    pressHanded_ = true;
    grid_->TakePress(Screen, Shift);
  }
}

void TdcDBCustomLookupCombo::EndPress(TPoint Screen, TShiftState Shift) {
  if (!pressHanded_) return;
  pressHanded_ = false;
  if (dropped_) grid_->TakeRelease(Screen, Shift);
}

void TdcDBCustomLookupCombo::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseMove(Shift, X, Y);
  FollowPress(ClientToScreen({X, Y}), Shift);
}

void TdcDBCustomLookupCombo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) EndPress(ClientToScreen({X, Y}), Shift);
}
