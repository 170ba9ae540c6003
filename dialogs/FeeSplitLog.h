#pragma once
// The error log of the fee split's family model: shown in a window of its own and printed with
// its header on every page.
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"

class TMemo;

// Prints the lines through Printer(): the header "... Error Log ... Page n" at the top of every
// page, the lines from two line heights down, one line height (the font height + 2) apart, 60 a
// page.
void PrintModelLog(const std::vector<AnsiString>& Lines);

class TFeeSplitLogF : public TForm {
  QN_CLASS(TFeeSplitLogF, TForm)
 public:
  TFeeSplitLogF(TComponent* AOwner, const AnsiString& Title, const std::vector<AnsiString>& Lines);

  TMemo* LogMemo;
  GlyphButton* PrintBtn;
  GlyphButton* CloseBtn;

 private:
  std::vector<AnsiString> lines_;
};
