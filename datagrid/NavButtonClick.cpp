// What a navigator button does when clicked, the dialog it opens, and the repeat of a movement
// held down.
#include "datagrid/CustomDialog.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/Intl.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/IntervalTimer.h"

using qn::datagrid::navStyleName;

void TdcNavButton::Click() {
  TdcSpeedButton::Click();
  if (OnClick) return;
  bool reported = false;
  try {
    runAction(reported);
  } catch (...) {
    StopRepeat();
    // A post or delete that was refused (a picture mask, another workstation's lock) must not
    // look done; the other styles fail without a word.
    if (reported && Application) Application->HandleException(this);
  }
}

void TdcNavButton::runAction(bool& reported) {
  TdcDBNavigator* navigator = GetNavigator();
  TDataSet* dataSet = navigator->GetDataSet(true);
  const int pageSize = navigator->MoveBy() < 0 ? -navigator->MoveBy() : navigator->MoveBy();
  switch (style_) {
    case nbsFirst:
      dataSet->First();
      break;
    case nbsPrior:
      dataSet->Prior();
      break;
    case nbsNext:
      dataSet->Next();
      break;
    case nbsLast:
      dataSet->Last();
      break;
    case nbsInsert:
      dataSet->Append();
      break;
    case nbsDelete:
      if (navigator->Options().Contains(noConfirmDelete) &&
          MessageDlg(dcIntlDefaults->Navigator()->ConfirmDeleteMessage, mtConfirmation, {mbOK, mbCancel}, 0) != mrOk)
        return;
      reported = !dataSet->IsEmpty();
      dataSet->Delete();
      // The dataset learns it stands at its end only after telling its links of the delete.
      navigator->Buttons()->UpdateButtonStates(ucRefresh);
      break;
    case nbsEdit:
      dataSet->Edit();
      break;
    case nbsPost:
      reported = true;
      dataSet->Post();
      break;
    case nbsCancel:
      dataSet->Cancel();
      break;
    case nbsRefresh:
      dataSet->Refresh();
      break;
    case nbsPriorPage:
      dataSet->MoveBy(-pageSize);
      break;
    case nbsNextPage:
      dataSet->MoveBy(pageSize);
      break;
    case nbsSaveBookmark:
      navigator->SaveBookmark(dataSet);
      break;
    case nbsRestoreBookmark:
      try {
        TBookmark bookmark = navigator->FindBookmark(dataSet);
        if (!bookmark) Abort();
        dataSet->GotoBookmark(bookmark);
      } catch (...) {
        // The record is gone: the bookmarks of the dataset are of no more use.
        navigator->DropBookmarks(navigator->GetDataSet(false));
        navigator->Buttons()->UpdateButtonStates(ucRefresh);
      }
      break;
    case nbsFilterDialog:
    case nbsRecordViewDialog:
    case nbsLocateDialog:
    case nbsSearchDialog:
      if (TdcCustomDialog* dialog = findOrCreateDialog()) dialog->Execute();
      break;
    case nbsCustom:
      break;
  }
}

TdcCustomDialog* TdcNavButton::findOrCreateDialog() {
  if (dialog_) return dialog_;
  if (ComponentState().Contains(csDesigning)) return nullptr;
  TdcDBNavigator* navigator = GetNavigator();
  TDataSet* dataSet = navigator->GetDataSet(true);
  // The filter dialog belongs with its dataset; the others with the navigator.
  TComponent* place = style_ == nbsFilterDialog ? static_cast<TComponent*>(dataSet) : navigator;
  const AnsiString className = "Tdc" + navStyleName(style_);
  for (int i = 0; i < place->ComponentCount(); ++i) {
    auto* found = dynamic_cast<TdcCustomDialog*>(place->Components(i));
    if (found && found->GetPrimaryDataSet() == dataSet && found->ClassNameIs(className)) {
      SetDialog(found);
      return found;
    }
  }
  TComponent* made = CreateComponentByClassName(className, place);
  auto* dialog = dynamic_cast<TdcCustomDialog*>(made);
  if (!dialog) {
    delete made;
    throw EInvalidOperation(className + " is not one of the library's dialogs");
  }
  // Connected before it becomes the button's, so the button's state sees its dataset.
  if (style_ == nbsSearchDialog) WriteObjectProperty(dialog, "SearchTable", dataSet);
  else WriteObjectProperty(dialog, "DataSource", navigator->DataSource());
  SetDialog(dialog);
  if (OnAfterCreateDialog) OnAfterCreateDialog(dialog);
  return dialog;
}

void TdcNavButton::StartRepeat() {
  if (!qn::datagrid::isRepeatingNavStyle(style_)) return;
  TdcDBNavigator* navigator = navigatorIfAny();
  if (!navigator) return;
  stoppedTimer_.reset();
  repeatTimer_ = std::make_unique<IntervalTimer>();
  repeatTimer_->OnTimer = [this](TObject*) { RepeatTimerTick(); };
  repeatTimer_->SetInterval(static_cast<std::uint32_t>(navigator->RepeatInterval()->InitialDelay));
}

void TdcNavButton::StopRepeat() {
  if (!repeatTimer_) return;
  repeatTimer_->SetEnabled(false);
  stoppedTimer_ = std::move(repeatTimer_);
}

void TdcNavButton::RepeatTimerTick() {
  if (!ControlState().Contains(csLButtonDown) || !heldInside_) StopRepeat();
  if (!repeatTimer_) return;
  if (TdcDBNavigator* navigator = navigatorIfAny())
    repeatTimer_->SetInterval(static_cast<std::uint32_t>(navigator->RepeatInterval()->Interval));
  Click();
}

void TdcNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdcSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  heldInside_ = true;
  StartRepeat();
}

void TdcNavButton::MouseMove(TShiftState Shift, int X, int Y) {
  // Held down, the mouse leaving the button stops the repeat and coming back starts it anew.
  if (ControlState().Contains(csLButtonDown) && Enabled()) {
    const bool inside = HitTest({X, Y});
    if (heldInside_ && !inside) {
      heldInside_ = false;
      StopRepeat();
    } else if (!heldInside_ && inside) {
      heldInside_ = true;
      StartRepeat();
    }
  }
  TdcSpeedButton::MouseMove(Shift, X, Y);
}

void TdcNavButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    heldInside_ = false;
    StopRepeat();
  }
  TdcSpeedButton::MouseUp(Button, Shift, X, Y);
}
