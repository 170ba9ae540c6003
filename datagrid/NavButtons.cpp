#include "datagrid/NavButtons.h"

#include "datagrid/CustomDialog.h"
#include "datagrid/DBNavigator.h"
#include "framework/base/Exception.h"

namespace {

bool designing(const TComponent* component) { return component->ComponentState().Contains(csDesigning); }

}  // namespace

TdcNavButtons::TdcNavButtons(TdcDBNavigator* Navigator) : navigator_(Navigator) {}

int TdcNavButtons::Count() const { return navigator_->ControlCount(); }

TdcNavButton* TdcNavButtons::GetButton(int Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Index of Buttons[] out of range");
  return static_cast<TdcNavButton*>(navigator_->Controls(Index));
}

bool TdcNavButtons::IsHidden(const TdcNavButton* Button) const { return !Button->Visible() && !designing(navigator_); }

int TdcNavButtons::VisibleCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i)
    if (!IsHidden(GetButton(i))) ++count;
  return count;
}

TdcNavButton* TdcNavButtons::VisibleButtons(int Index) const {
  if (Index >= 0) {
    int seen = 0;
    for (int i = 0; i < Count(); ++i) {
      if (IsHidden(GetButton(i))) continue;
      if (seen++ == Index) return GetButton(i);
    }
  }
  throw EInvalidOperation("Index of VisibleButtons[] out of range");
}

TdcNavButton* TdcNavButtons::BottomButton() const {
  TdcNavButton* bottom = nullptr;
  for (int i = 0; i < Count(); ++i) {
    TdcNavButton* button = GetButton(i);
    if (IsHidden(button)) continue;
    if (!bottom || button->Top() + button->Height() > bottom->Top() + bottom->Height()) bottom = button;
  }
  return bottom;
}

TdcNavButton* TdcNavButtons::RightButton() const {
  TdcNavButton* right = nullptr;
  for (int i = 0; i < Count(); ++i) {
    TdcNavButton* button = GetButton(i);
    if (IsHidden(button)) continue;
    if (!right || button->Left() + button->Width() > right->Left() + right->Width()) right = button;
  }
  return right;
}

TdcNavButton* TdcNavButtons::HitTest(int X, int Y) const {
  for (int i = 0; i < Count(); ++i) {
    TdcNavButton* button = GetButton(i);
    if (!IsHidden(button) && button->BoundsRect().Contains({X, Y})) return button;
  }
  return nullptr;
}

void TdcNavButtons::ShowStyle(TdcNavButtonStyle Style) {
  for (int i = 0; i < Count(); ++i) {
    if (GetButton(i)->Style() == Style) {
      GetButton(i)->SetVisible(true);
      return;
    }
  }
  navigator_->MoveChild(AddButton(Style), Style);
}

void TdcNavButtons::HideStyle(TdcNavButtonStyle Style) {
  for (int i = 0; i < Count(); ++i)
    if (GetButton(i)->Style() == Style) GetButton(i)->SetVisible(false);
}

TdcNavButton* TdcNavButtons::AddButton(TdcNavButtonStyle Style, TComponent* Dialog) {
  TdcNavButton* button = nullptr;
  BeginUpdate();
  try {
    button = new TdcNavButton(navigator_->Owner());
    button->setCollection(this);
    button->SetParent(navigator_);
    navigator_->MoveChild(button, Count() - 1);
    button->SetStyle(Style);
    button->UpdateState(ucRefresh);
    button->SetFlat(navigator_->Flat());
    if (qn::datagrid::isDialogNavStyle(Style) && Dialog) {
      auto* dialog = dynamic_cast<TdcCustomDialog*>(Dialog);
      if (!dialog) throw EInvalidOperation("A dialog button takes one of the library's dialogs");
      button->SetDialog(dialog);
    }
    button->UpdateHint();
    if (designing(navigator_)) button->GenerateName();
    button->UpdateState(ucRefresh);
  } catch (...) {
    EndUpdate();
    delete button;
    throw;
  }
  EndUpdate();
  ArrangeButtons();
  if (!button->FitsInNavigator()) {
    if (navigator_->AutosizeStyle() != asSizeNavigator) {
      navigator_->AutoSizeNavigator();
    } else if (navigator_->Layout() == nlHorizontal) {
      navigator_->SetHeight(button->Top() + button->Height());
    } else {
      navigator_->SetWidth(button->Left() + button->Width());
    }
  }
  return button;
}

void TdcNavButtons::AddDialogButtons() {
  BeginUpdate();
  try {
    for (TdcNavButtonStyle style : {nbsFilterDialog, nbsRecordViewDialog, nbsLocateDialog, nbsSearchDialog})
      AddButton(style);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Relayout();
}

void TdcNavButtons::Clear() {
  while (Count() > 0) delete GetButton(Count() - 1);
}

void TdcNavButtons::AddDefaultButtons() {
  BeginUpdate();
  try {
    for (TdcNavButtonStyle style : {nbsFirst, nbsPriorPage, nbsPrior, nbsNext, nbsNextPage, nbsLast, nbsInsert, nbsDelete,
                                    nbsEdit, nbsPost, nbsCancel, nbsRefresh, nbsSaveBookmark, nbsRestoreBookmark})
      AddButton(style);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdcNavButtons::Relayout() {
  if (navigator_->AutosizeStyle() == asSizeNavButtons) {
    navigator_->AutoSizeNavigator();
    ArrangeButtons();
  } else {
    ArrangeButtons();
    navigator_->AutoSizeNavigator();
  }
}

void TdcNavButtons::ArrangeButtons() {
  if (navigator_->ComponentState().Contains(csDestroying) || updateCount_ > 0) return;
  const int border = navigator_->BorderWidth();
  const bool horizontal = navigator_->Layout() == nlHorizontal;
  int x = border;
  int y = border;
  const TdcNavButton* previous = nullptr;
  for (int i = 0; i < Count(); ++i) {
    TdcNavButton* button = GetButton(i);
    if (IsHidden(button)) continue;
    if (!previous) previous = button;
    // A line that already holds a button wraps before one that would run past the edge; a
    // button wider than the navigator starts its line rather than leave an empty one above it.
    if (horizontal) {
      const bool lineHoldsButton = x > border;
      if ((lineHoldsButton && x + button->Width() > navigator_->Width()) || button->LineBreak()) {
        y += previous->Height();
        x = border;
      }
    } else {
      const bool lineHoldsButton = y > border;
      if ((lineHoldsButton && y + button->Height() > navigator_->Height()) || button->LineBreak()) {
        x += previous->Width();
        y = border;
      }
    }
    button->SetBounds(x, y, button->Width(), button->Height());
    if (horizontal) x += button->Width();
    else y += button->Height();
    previous = button;
  }
}

void TdcNavButtons::UpdateButtonStates(TdcUpdateCause Cause) {
  for (int i = 0; i < Count(); ++i) GetButton(i)->UpdateState(Cause);
}
