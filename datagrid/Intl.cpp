#include "datagrid/Intl.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"

TdcIntl* dcIntlDefaults = nullptr;

const EnumerationType kCheckBoxInGridStyleType{"TdcCheckBoxInGridStyle",
                                               {"cbStyleAuto", "cbStyleCheckmark", "cbStyleXmark"}};

namespace {

UnitRegistration unit(
    "datagrid/Intl", {"framework/ui/Application"},
    [] {
      RegisterClass<TdcIntl>();
      dcIntlDefaults = new TdcIntl(Application);
    },
    [] { delete dcIntlDefaults; });

}  // namespace

void TdcIntl::PublishProperties(PropertyPublisher<TdcIntl>& publish) {
  publish.Object("Navigator", &TdcIntl::Navigator);
  publish.Object("SearchDialog", &TdcIntl::SearchDialog);
  publish.Object("LocateDialog", &TdcIntl::LocateDialog);
  publish.Object("MonthCalendar", &TdcIntl::MonthCalendar);
  publish.Object("FilterDialog", &TdcIntl::FilterDialog);
  publish.Object("RichEdit", &TdcIntl::RichEdit);
  publish.Object("UserMessages", &TdcIntl::UserMessages);
  publish.Boolean("OKCancelBitmapped", &TdcIntl::OKCancelBitmapped, &TdcIntl::OKCancelBitmapped);
  publish.String("BtnOKCaption", &TdcIntl::BtnOKCaption, &TdcIntl::BtnOKCaption);
  publish.String("BtnCancelCaption", &TdcIntl::BtnCancelCaption, &TdcIntl::BtnCancelCaption);
  publish.Enumeration("CheckBoxInGridStyle", kCheckBoxInGridStyleType, &TdcIntl::CheckBoxInGridStyle,
                      &TdcIntl::SetCheckBoxInGridStyle);
  publish.Integer("FilterMemoSize", &TdcIntl::FilterMemoSize, &TdcIntl::FilterMemoSize);
  publish.Boolean("UseLocateMethodForSearch", &TdcIntl::UseLocateMethodForSearch, &TdcIntl::UseLocateMethodForSearch);
  publish.Set("DialogFontStyle", kFontStyleType, &TdcIntl::DialogFontStyle, &TdcIntl::DialogFontStyle);
  publish.Integer("DefaultEpochYear", &TdcIntl::DefaultEpochYear, &TdcIntl::DefaultEpochYear);
  publish.Boolean("Connected", &TdcIntl::Connected, &TdcIntl::SetConnected);
}

TdcIntl::TdcIntl(TComponent* AOwner)
    : TComponent(AOwner),
      navigator_(std::make_unique<TdcDBNavigatorIntl>()),
      searchDialog_(std::make_unique<TdcSearchDialogIntl>()),
      locateDialog_(std::make_unique<TdcLocateDialogIntl>()),
      monthCalendar_(std::make_unique<TdcMonthCalendarIntl>()),
      filterDialog_(std::make_unique<TdcFilterDialogIntl>()),
      richEdit_(std::make_unique<TdcDBRichEditIntl>()),
      userMessages_(std::make_unique<TdcUserMessagesIntl>()) {}

TdcIntl::~TdcIntl() {
  if (dcIntlDefaults == this) dcIntlDefaults = nullptr;
}

void TdcIntl::SetCheckBoxInGridStyle(TdcCheckBoxInGridStyle Value) {
  checkBoxInGridStyle_ = Value;
  if (connected_ && dcIntlDefaults && dcIntlDefaults != this) dcIntlDefaults->SetCheckBoxInGridStyle(Value);
}

void TdcIntl::SetConnected(bool Value) {
  connected_ = Value;
  // While being loaded the rest of the texts are not read yet: Loaded copies them all.
  if (Value && !ComponentState().Contains(csLoading)) CopyToDefaults();
}

void TdcIntl::Loaded() {
  TComponent::Loaded();
  if (connected_) CopyToDefaults();
}

void TdcIntl::CopyToDefaults() {
  TdcIntl* target = dcIntlDefaults;
  if (!target || target == this) return;
  target->Navigator()->Assign(Navigator());
  target->SearchDialog()->Assign(SearchDialog());
  target->LocateDialog()->Assign(LocateDialog());
  target->MonthCalendar()->Assign(MonthCalendar());
  target->FilterDialog()->Assign(FilterDialog());
  target->RichEdit()->Assign(RichEdit());
  target->UserMessages()->Assign(UserMessages());
  target->BtnOKCaption = BtnOKCaption;
  target->BtnCancelCaption = BtnCancelCaption;
  target->OKCancelBitmapped = OKCancelBitmapped;
  target->SetCheckBoxInGridStyle(CheckBoxInGridStyle());
  target->DialogFontStyle = DialogFontStyle;
  target->UseLocateMethodForSearch = UseLocateMethodForSearch;
  target->ReopenTableOnCancelRange = ReopenTableOnCancelRange;
  target->DefaultEpochYear = DefaultEpochYear;
  target->FilterMemoSize = FilterMemoSize;
}
