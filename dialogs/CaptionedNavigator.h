#pragma once
// The dialogs' navigators show only the buttons they name, each with its caption beside its
// picture, in the small font that keeps the captions on one line.
#include <array>
#include <utility>

#include "datagrid/DBNavigator.h"
#include "datagrid/NavButton.h"

template <std::size_t N>
void ShowCaptionedButtons(TdcDBNavigator* navigator,
                          const std::array<std::pair<TdcNavButtonStyle, const char*>, N>& buttons) {
  navigator->Font()->SetSize(8);
  navigator->SetAutosizeStyle(asSizeNavButtons);
  navigator->Buttons()->Clear();
  for (const auto& [style, caption] : buttons) {
    TdcNavButton* button = navigator->Buttons()->AddButton(style);
    button->SetCaption(caption);
    button->SetShowText(true);
  }
  navigator->Buttons()->Relayout();
}
