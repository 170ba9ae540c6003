#include "editors/PrintMargins.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "datagrid/DateTextHelpers.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Printer.h"

const EnumerationType kMeasurementUnitsType{"TMeasurementUnits", {"muInches", "muCentimeters"}};

void TdcPrintMargins::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TdcPrintMargins*>(Source)) {
    Top = other->Top;
    Bottom = other->Bottom;
    Left = other->Left;
    Right = other->Right;
  }
}

double UnitsToTwips(double Value, TMeasurementUnits Units) {
  const double twips = Value * 1440;
  return Units == muCentimeters ? twips / kCentimetresPerInch : twips;
}

namespace {

void dropUnitLetters(AnsiString& Text) {
  CharSet dropped;
  for (unsigned char c : {' ', '\'', 'c', 'C', 'm', 'M'}) dropped.set(c);
  StrTrimTrailingChars(Text, dropped);
}

}  // namespace

AnsiString TwipsText(int Twips, TMeasurementUnits Units) { return UnitsText(TwipsToUnits(Twips, Units), Units); }

bool IsLengthText(AnsiString Text, TMeasurementUnits Units, int Low, int High) {
  dropUnitLetters(Text);
  if (Text.empty()) return true;
  if (!IsFloatText(Text)) return false;
  const double twips = UnitsToTwips(std::strtod(Text.c_str(), nullptr), Units);
  return twips >= Low && twips <= High;
}

int UnitsTextToTwips(AnsiString Text, TMeasurementUnits Units) {
  dropUnitLetters(Text);
  return static_cast<int>(std::lround(UnitsToTwips(std::strtod(Text.c_str(), nullptr), Units)));
}

double TwipsToUnits(int Twips, TMeasurementUnits Units) {
  double value = Twips / 1440.0;
  if (Units == muCentimeters) value *= kCentimetresPerInch;
  return std::round(value * 100) / 100;
}

AnsiString UnitsText(double Value, TMeasurementUnits Units) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", Value);
  AnsiString text = buffer;
  // 1.50 reads 1.5, 2.00 reads 2.
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text + (Units == muCentimeters ? " cm" : "''");
}

AnsiString SnappedUnitsText(double Value, TMeasurementUnits Units, int Steps) {
  if (Steps <= 0) Steps = Units == muCentimeters ? 20 : 8;
  const double magnitude = std::fabs(Value) + 1 / (1.5 * Steps);
  long thousandths = static_cast<long>(magnitude * 1000);
  thousandths -= thousandths % (1000 / Steps);
  return UnitsText(std::copysign(thousandths / 1000.0, Value), Units);
}

PrinterPage CurrentPrinterPage() {
  TPrinter* printer = Printer();
  return {printer->PhysicalWidth(), printer->PhysicalHeight(), printer->OffsetX(), printer->OffsetY(),
          printer->XResolution(), printer->YResolution()};
}

TRect MarginRectOnPage(const TdcPrintMargins& Margins, TMeasurementUnits Units, const PrinterPage& Page) {
  auto twipsX = [&](int pixels) { return static_cast<int>(static_cast<int64_t>(pixels) * 1440 / Page.dpiX); };
  auto twipsY = [&](int pixels) { return static_cast<int>(static_cast<int64_t>(pixels) * 1440 / Page.dpiY); };
  auto margin = [&](double value) { return static_cast<int>(std::lround(UnitsToTwips(value, Units))); };
  const int width = twipsX(Page.physicalWidth), height = twipsY(Page.physicalHeight);
  const int offX = twipsX(Page.offsetX), offY = twipsY(Page.offsetY);
  TRect r;
  r.Left = std::min(std::max(margin(Margins.Left) - offX, 0), width - 2 * offX);
  r.Right = std::min(std::max(width - margin(Margins.Right) - offX, r.Left), width - 2 * offX);
  // The top stays inside the printable area as the left does, so the bottom never lies above it.
  r.Top = std::min(std::max(margin(Margins.Top) - offY, 0), height - 2 * offY);
  r.Bottom = std::min(std::max(height - margin(Margins.Bottom) - offY, r.Top), height - 2 * offY);
  return r;
}

TRect PrinterWidthRect(const TdcPrintMargins& Margins, TMeasurementUnits Units, const PrinterPage& Page, int Inset,
                       int ScrollBarWidth) {
  const double marginInches = UnitsToTwips(Margins.Left + Margins.Right, Units) / 1440;
  int right = static_cast<int>(std::lround((static_cast<double>(Page.physicalWidth) / Page.dpiX - marginInches) * 96)) +
              Inset + 4;
  if (ScrollBarWidth > 0) right -= ScrollBarWidth + 5;
  return Rect(Inset, 0, right, static_cast<int>(static_cast<int64_t>(Page.physicalHeight) * 96 / Page.dpiY));
}
