#pragma once
// The print margins of a rich edit and the measures around them. Rich-text lengths are twips
// (1/1440 inch); centimetres convert with 2.537 to the inch, everywhere in the library.
#include "framework/base/AnsiString.h"
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Geometry.h"

enum TMeasurementUnits { muInches, muCentimeters };
extern const EnumerationType kMeasurementUnitsType;

constexpr double kCentimetresPerInch = 2.537;

// Top, Bottom, Left and Right in the control's units, 1.0 each at first.
class TdcPrintMargins : public TPersistent {
  QN_CLASS(TdcPrintMargins, TPersistent)
 public:
  double Top = 1.0;
  double Bottom = 1.0;
  double Left = 1.0;
  double Right = 1.0;
  // Copies another TdcPrintMargins; any other source is ignored.
  void Assign(TPersistent* Source) override;
};

// A text in units ("1.27 cm", "1.5''", "2") as twips: trailing blanks, apostrophes and the
// letters of "cm" dropped, rounded to the nearest twip.
int UnitsTextToTwips(AnsiString Text, TMeasurementUnits Units);
double UnitsToTwips(double Value, TMeasurementUnits Units);
// Twips in units, rounded to two decimals.
double TwipsToUnits(int Twips, TMeasurementUnits Units);
// The value with its suffix: " cm" or "''".
AnsiString UnitsText(double Value, TMeasurementUnits Units);
// The value moved to a step of 1/Steps unit (0: twentieths of a centimetre, eighths of an inch),
// with its suffix.
AnsiString SnappedUnitsText(double Value, TMeasurementUnits Units, int Steps = 0);

// Twips as a text in units with its suffix, two decimals.
AnsiString TwipsText(int Twips, TMeasurementUnits Units);
// Whether a length typed in units, trailing unit letters dropped, is empty or a number whose
// twips lie from Low to High.
bool IsLengthText(AnsiString Text, TMeasurementUnits Units, int Low, int High);

// What the printer tells of its sheet, in its pixels.
struct PrinterPage {
  int physicalWidth, physicalHeight;
  int offsetX, offsetY;  // where the printable area begins
  int dpiX, dpiY;
};
PrinterPage CurrentPrinterPage();

// Where text goes on the page in twips from the printable area's corner: the margins less the
// unprintable edge, kept inside the printable area, right never left of left nor bottom above top.
TRect MarginRectOnPage(const TdcPrintMargins& Margins, TMeasurementUnits Units, const PrinterPage& Page);

// The formatting rectangle that makes the screen's lines as wide as the printed ones (at 96
// pixels to the inch): left at the inset, right the printable width between the margins.
// ScrollBarWidth: the vertical scroll bar's width when it is shown with a range, else 0.
TRect PrinterWidthRect(const TdcPrintMargins& Margins, TMeasurementUnits Units, const PrinterPage& Page, int Inset,
                       int ScrollBarWidth);
