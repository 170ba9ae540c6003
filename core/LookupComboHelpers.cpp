#include "core/LookupComboHelpers.h"

#include "framework/base/PublishedProperties.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Color.h"
#include "framework/ui/Control.h"
#include "framework/ui/Font.h"

unsigned char LookupComboMatchPair[2] = {0, 0};

namespace {

constexpr int MatchPairTag = 210;

TControl* dropDownList(const TControl* Combo) {
  const auto list = ReadObjectProperty(Combo, "DropDownList");
  return list ? dynamic_cast<TControl*>(*list) : nullptr;
}

bool editsOrMoves(WORD key) {
  return key == VK_BACK || key == VK_DELETE || key == VK_LEFT || key == VK_HOME || key == VK_RIGHT || key == VK_END;
}

}  // namespace

void SetLookupComboMatch(TControl* Combo, bool Flag) {
  WriteBooleanProperty(Combo, "ShowMatchText", Flag);
  WriteBooleanProperty(Combo, "AutoDropDown", Flag);
  WriteSetProperty(Combo, "SeqSearchOptions", Flag ? 1u : 0u);
  if (Combo->Tag() == MatchPairTag) LookupComboMatchPair[0] = LookupComboMatchPair[1] = 0;
}

void LookupComboKeyPress(TControl* Combo, WORD& Key) {
  if (!editsOrMoves(Key) && !(Key == 0 && Trim(Combo->Text()).empty())) return;
  SetLookupComboMatch(Combo, false);
  if (TControl* list = dropDownList(Combo)) list->SetVisible(false);
}

void HighlightLookupCombos(TComponent* Form) {
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* combo = dynamic_cast<TControl*>(Form->Components(i));
    if (!combo || !combo->InheritsFrom("TdcDBLookupCombo")) continue;
    if (TControl* list = dropDownList(combo)) {
      list->SetColor(clYellow);
      list->Font()->SetColor(clMaroon);
    }
    combo->Repaint();
  }
}
