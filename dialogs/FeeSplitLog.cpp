#include "dialogs/FeeSplitLog.h"

#include "framework/base/IntegerText.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Memo.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Printer.h"

namespace {

constexpr int kLinesPerPage = 60;

AnsiString header(int page) {
  return "                   Quillon Fee Split Modeling Function Error Log                 Page " + IntToStr(page);
}

}  // namespace

void PrintModelLog(const std::vector<AnsiString>& Lines) {
  TPrinter* printer = Printer();
  printer->BeginDoc();
  Canvas* canvas = printer->Canvas();
  const int lineHeight = canvas->fontHeight() + 2;
  int page = 1;
  canvas->drawText(0, 0, header(page));
  int y = 2 * lineHeight;
  int onPage = 0;
  for (const AnsiString& line : Lines) {
    if (onPage == kLinesPerPage) {
      printer->NewPage();
      canvas = printer->Canvas();
      canvas->drawText(0, 0, header(++page));
      y = 2 * lineHeight;
      onPage = 0;
    }
    canvas->drawText(0, y, line);
    y += lineHeight;
    ++onPage;
  }
  printer->EndDoc();
}

TFeeSplitLogF::TFeeSplitLogF(TComponent* AOwner, const AnsiString& Title, const std::vector<AnsiString>& Lines)
    : TForm(AOwner), lines_(Lines) {
  SetCaption(Title + " Error Log");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(560);
  SetClientHeight(320);
  LogMemo = PlaceControl<TMemo>(this, this, 8, 8, 544, 264);
  LogMemo->SetReadOnly(true);
  for (const AnsiString& line : lines_) LogMemo->Lines()->Add(line);
  PrintBtn = PlaceControl<GlyphButton>(this, this, 360, 282, 90, 28);
  PrintBtn->SetCaption("&Print");
  PrintBtn->OnClick = [this](TObject*) { PrintModelLog(lines_); };
  CloseBtn = PlaceControl<GlyphButton>(this, this, 462, 282, 90, 28);
  CloseBtn->SetKind(gbkClose);
  CloseBtn->SetCaption("&Close");
  CloseBtn->OnClick = [this](TObject*) { SetModalResult(mrOk); };
}
