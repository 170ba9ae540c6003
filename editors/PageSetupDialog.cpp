#include "editors/PageSetupDialog.h"

#include <cmath>

#include "editors/DcCustomRichEdit.h"
#include "editors/RulerPanel.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/Printer.h"

TdcPageSetupDialog::TdcPageSetupDialog(TComponent* AOwner, TdcCustomRichEdit* Editor, TdcRulerPanel* Ruler)
    : TComponent(AOwner), editor_(Editor), ruler_(Ruler) {}

bool TdcPageSetupDialog::Execute() {
  TdcPrintMargins* margins = editor_->PrintMargins();
  const bool printerWidth = editor_->EditWidth() == rewPrinterSize;
  const auto scaled = [](double value) { return static_cast<int>(std::lround(value * 1000)); };
  PageSetupRequest request;
  request.units = editor_->MeasurementUnits == muCentimeters ? MarginUnits::hundredthsOfMillimetre
                                                               : MarginUnits::thousandthsOfInch;
  request.margins = {scaled(margins->Left), scaled(margins->Top), scaled(margins->Right), scaled(margins->Bottom)};
  request.orientation = Printer()->Orientation();
  request.printerName = Printer()->PrinterName();
  request.paperChoiceEnabled = printerWidth;
  request.paperSize = printerWidth ? editor_->PaperSize() : Printer()->PaperSize();
  const std::optional<PageSetupChoice> choice = qn::ui::showPageSetupDialog(request);
  if (!choice) return false;
  margins->Left = choice->margins.left / 1000.0;
  margins->Top = choice->margins.top / 1000.0;
  margins->Right = choice->margins.right / 1000.0;
  margins->Bottom = choice->margins.bottom / 1000.0;
  if (!choice->printerName.empty() && choice->printerName != Printer()->PrinterName())
    Printer()->SetPrinterName(choice->printerName);
  Printer()->SetOrientation(choice->orientation);
  Printer()->SetPaperSize(choice->paperSize);
  editor_->SetPaperSize(choice->paperSize);
  editor_->UpdateFormattingRect();
  if (printerWidth && ruler_) {
    ruler_->PlaceIconRanges();
    ruler_->PlaceIconsFromParagraph();
  }
  return true;
}
