#include "datagrid/NavButton.h"

#include "datagrid/CustomDialog.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/Intl.h"
#include "datagrid/NavButtonImages.h"
#include "datagrid/NavDataLink.h"
#include "framework/base/ComponentError.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/db/DataSet.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/IntervalTimer.h"

using qn::datagrid::navButtonImages;
using qn::datagrid::navStyleName;

void TdcNavButton::PublishProperties(PropertyPublisher<TdcNavButton>& publish) {
  using Self = TdcNavButton;
  publish.Object("Dialog", &Self::Dialog, &Self::SetDialog);
  publish.Integer("Index", &Self::Index, &Self::SetIndex);
  publish.Boolean("LineBreak", &Self::LineBreak, &Self::SetLineBreak);
  publish.Enumeration("Style", kNavButtonStyleType, &Self::Style, &Self::SetStyle);
  publish.Event("OnAfterCreateDialog", &Self::OnAfterCreateDialog, &Self::OnAfterCreateDialog);
  publish.Event("OnRowChanged", &Self::OnRowChanged, &Self::OnRowChanged);
  publish.Event("OnUpdateState", &Self::OnUpdateState, &Self::OnUpdateState);
}

TdcNavButton::TdcNavButton(TComponent* AOwner) : TdcSpeedButton(AOwner) {}

TdcNavButton::~TdcNavButton() = default;

TdcDBNavigator* TdcNavButton::navigatorIfAny() const {
  if (collection_) return collection_->Navigator();
  return dynamic_cast<TdcDBNavigator*>(Parent());
}

TdcNavButtons* TdcNavButton::GetButtons() const {
  if (TdcDBNavigator* navigator = navigatorIfAny()) return navigator->Buttons();
  if (Application) Application->ShowException(EInvalidOperation("Parent propety of TdcNavButton not defined"));
  Abort();
}

TdcDBNavigator* TdcNavButton::GetNavigator() const { return GetButtons()->Navigator(); }

void TdcNavButton::SetParent(TWinControl* Value) {
  if (Value && !dynamic_cast<TdcDBNavigator*>(Value)) {
    MessageDlg("Parent of TdcNavButton must be TdcDBNavigator", mtError, {mbOK}, 0);
    Abort();
  }
  TdcSpeedButton::SetParent(Value);
}

int TdcNavButton::GetIndex() const {
  const TdcNavButtons* buttons = GetButtons();
  for (int i = 0; i < buttons->Count(); ++i)
    if (buttons->GetButton(i) == this) return i;
  throw EInvalidOperation("Button parameter of RetrieveIndex not in Buttons list");
}

void TdcNavButton::SetIndex(int Value) {
  TdcDBNavigator* navigator = GetNavigator();
  if (Value == GetIndex() || navigator->ComponentState().Contains(csLoading)) return;
  navigator->MoveChild(this, Value);
  navigator->Buttons()->Relayout();
}

void TdcNavButton::SetLineBreak(bool Value) {
  if (Value == lineBreak_) return;
  lineBreak_ = Value;
  if (isLoading()) return;
  if (TdcDBNavigator* navigator = navigatorIfAny()) navigator->Buttons()->Relayout();
}

void TdcNavButton::SetStyle(TdcNavButtonStyle Value) {
  style_ = Value;
  if (GetImageIndex() == -1) SetDefaultGlyph();
  UpdateHint();
  UpdateState(ucRefresh);
}

void TdcNavButton::SetDialog(TdcCustomDialog* Value) {
  if (Value == dialog_) return;
  if (dialog_ && dialog_->Owner() == this) delete dialog_;
  dialog_ = Value;
  if (dialog_) {
    dialog_->FreeNotification(this);
    const int style = kNavButtonStyleType.OrdinalOf("nbs" + dialog_->ClassName().substr(3));
    if (style >= 0) SetStyle(static_cast<TdcNavButtonStyle>(style));
  }
  UpdateState(ucRefresh);
}

void TdcNavButton::Notification(TComponent* AComponent, TOperation Operation) {
  TdcSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == dialog_) dialog_ = nullptr;
}

int TdcNavButton::GetImageIndex() const {
  if (Images() && Images() == navButtonImages()) return -1;
  return drawnImageIndex();
}

void TdcNavButton::SetImageIndex(int Value) {
  if (Value == -1) {
    SetDefaultGlyph();
    return;
  }
  TdcDBNavigator* navigator = navigatorIfAny();
  SetImages(navigator ? navigator->ImageList() : nullptr);
  storeImageIndex(Value);
}

void TdcNavButton::SetDefaultGlyph() {
  if (style_ == nbsCustom || isLoading()) return;
  storeImageIndex(2 * style_);
  SetNumGlyphs(2);
  SetImages(navButtonImages());
}

void TdcNavButton::Loaded() {
  TdcSpeedButton::Loaded();
  SetImageIndex(GetImageIndex());
}

AnsiString TdcNavButton::GetHint() const {
  if (!Hint().empty() && Hint() != generatedHint_) return Hint();
  if (style_ == nbsCustom || !dcIntlDefaults) return "";
  const AnsiString text =
      ReadStringProperty(dcIntlDefaults->Navigator()->Hints(), navStyleName(style_) + "Hint").value_or("");
  if (style_ != nbsPriorPage && style_ != nbsNextPage) return text;
  const TdcDBNavigator* navigator = navigatorIfAny();
  return Format(text, {navigator ? navigator->MoveBy() : 10});
}

void TdcNavButton::UpdateHint() {
  if (!Hint().empty() && Hint() != generatedHint_) return;
  generatedHint_ = GetHint();
  SetHint(generatedHint_);
}

bool TdcNavButton::FitsInNavigator() const {
  const TdcDBNavigator* navigator = GetNavigator();
  return Left() + Width() <= navigator->Width() && Top() + Height() <= navigator->Height();
}

void TdcNavButton::GenerateName() {
  const TdcDBNavigator* navigator = navigatorIfAny();
  if (!navigator || !navigator->Owner() || navigator->Name().empty() || !Name().empty()) return;
  const AnsiString base = navigator->Name() + (style_ == nbsCustom ? AnsiString("Button") : navStyleName(style_));
  for (int counter = 0;; ++counter) {
    try {
      SetName(counter == 0 ? base : base + std::to_string(counter));
      return;
    } catch (const EComponentError&) {
    }
  }
}

void TdcNavButton::UpdateState(TdcUpdateCause Cause) {
  TdcDBNavigator* navigator = navigatorIfAny();
  if (OnUpdateState) OnUpdateState(navigator, this, Cause);
  if (Cause == ucRecordChanged && OnRowChanged) OnRowChanged(this);
  if (style_ == nbsCustom || !navigator) return;
  TDataSet* dataSet = navigator->GetDataSet(false);
  if (!dataSet) {
    SetEnabled(false);
    return;
  }
  const TdcNavDataLink& link = navigator->dataLink();
  const bool active = link.Active();
  bool enabled = false;
  switch (style_) {
    case nbsFirst:
    case nbsPrior:
    case nbsPriorPage:
      enabled = active && !dataSet->Bof();
      break;
    case nbsNext:
    case nbsLast:
    case nbsNextPage:
      enabled = active && !dataSet->Eof();
      break;
    case nbsInsert:
    case nbsDelete:
    case nbsRefresh:
      enabled = active && dataSet->CanModify();
      break;
    case nbsEdit:
      enabled = active && dataSet->CanModify() && !link.Editing();
      break;
    case nbsPost:
    case nbsCancel:
      enabled = active && dataSet->CanModify() && link.Editing();
      break;
    case nbsSaveBookmark:
      enabled = active;
      break;
    case nbsRestoreBookmark:
      if (Cause == ucEditingChanged) return;
      enabled = active && navigator->FindBookmark(dataSet);
      break;
    case nbsFilterDialog:
    case nbsRecordViewDialog:
    case nbsLocateDialog:
    case nbsSearchDialog:
      enabled = active && (!dialog_ || dialog_->GetPrimaryDataSet());
      break;
    case nbsCustom:
      return;
  }
  // A disabled navigator keeps every button disabled, whatever the dataset allows.
  SetEnabled(enabled && navigator->Enabled());
}
