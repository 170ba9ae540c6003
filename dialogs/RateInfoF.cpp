#include "dialogs/RateInfoF.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FloatText.h"
#include "framework/base/NumberFormat.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/TextLabel.h"

namespace {

UnitRegistration unit("dialogs/RateInfoF", {"framework/ui/Application"}, [] { RegisterClass<TRateInfoF>(); });

AnsiString typeOf(char letter) {
  switch (letter) {
    case 'D': return "Employee Department";
    case 'E': return "Employee";
    case 'M': return "Employee Class";
    default: return "";
  }
}

// Characters from..from+count-1, counted from 1; what the text has of them.
AnsiString characters(const AnsiString& text, std::size_t from, std::size_t count) {
  return from <= text.size() ? text.substr(from - 1, count) : AnsiString();
}

}  // namespace

RateSource DecodeRateSource(const AnsiString& SourceCode) {
  RateSource source;
  if (SourceCode.size() > 6) {
    const char rateKind = SourceCode[5];
    if (rateKind == 'G') source.Kind = "Group";
    if (rateKind == 'R') source.Kind = "Case Billing Rate";
    source.Type = typeOf(SourceCode[0]);
    source.Code = characters(SourceCode, 2, 4);
    source.RateNumber = characters(SourceCode, 7, 2);
  } else {
    source.Kind = "Case Billing Rate";
    source.Type = "Employee";
    source.Code = characters(SourceCode, 5, 2);
    source.Employee = characters(SourceCode, 1, 4);
  }
  return source;
}

TRateInfoF::TRateInfoF(TComponent* AOwner) : TForm(AOwner) {
  SetName("RateInfoF");
  SetCaption("Rate Calculation Information");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(360);
  SetClientHeight(250);
  int top = 12;
  auto row = [&](const char* caption, const char* name) {
    auto* title = PlaceControl<TextLabel>(this, this, 12, top, 110, 16);
    title->SetCaption(caption);
    auto* value = PlaceControl<TextLabel>(this, this, 130, top, 220, 16);
    value->SetName(name);
    top += 22;
    return value;
  };
  LabelKind = row("Rate:", "LabelKind");
  LabelType = row("Type:", "LabelType");
  LabelCode = row("Code:", "LabelCode");
  LabelRateNumber = row("Rate number:", "LabelRateNumber");
  LabelEmployee = row("Employee:", "LabelEmployee");
  LabelAmountKind = PlaceControl<TextLabel>(this, this, 12, top, 110, 16);
  LabelAmountKind->SetName("LabelAmountKind");
  LabelValue = PlaceControl<TextLabel>(this, this, 130, top, 220, 16);
  LabelValue->SetName("LabelValue");
  top += 22;
  LabelInfo1 = PlaceControl<TextLabel>(this, this, 12, top, 336, 16);
  LabelInfo1->SetName("LabelInfo1");
  LabelInfo2 = PlaceControl<TextLabel>(this, this, 12, top + 20, 336, 16);
  LabelInfo2->SetName("LabelInfo2");
  OKBitBtn = PlaceControl<GlyphButton>(this, this, 140, 212, 80, 28);
  OKBitBtn->SetName("OKBitBtn");
  OKBitBtn->SetKind(gbkOK);
}

void TRateInfoF::ShowRate(const AnsiString& SourceCode, bool FixedAmount, const AnsiString& Value,
                          const AnsiString& Line1, const AnsiString& Line2) {
  const RateSource source = DecodeRateSource(SourceCode);
  LabelKind->SetCaption(source.Kind);
  LabelType->SetCaption(source.Type);
  LabelCode->SetCaption(source.Code);
  LabelRateNumber->SetCaption(source.RateNumber);
  LabelEmployee->SetCaption(source.Employee);
  LabelAmountKind->SetCaption(FixedAmount ? "Fixed Amount" : "Hourly Amount");
  LabelValue->SetCaption(FormatFloat("0.00", StrToFloatDef(Trim(Value), 0)));
  LabelInfo1->SetCaption(Line1);
  LabelInfo2->SetCaption(Line2);
}
