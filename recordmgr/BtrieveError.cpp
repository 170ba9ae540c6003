#include "recordmgr/BtrieveError.h"

#include <array>

#include "framework/base/FormatText.h"
#include "platform/os/Resources.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/StatusMap.h"

namespace {

constexpr size_t kMaxText = 255;

constexpr std::array<StatusPair, 64> kStatusToEngineCode{{
    {0, 0},       {1, 0x2702},   {2, 0x2401},   {3, 0x2401},   {4, 0x2206},   {5, 0x2A10},   {6, 0x270D},
    {7, 0x2726},  {8, 0x2205},   {9, 0x2202},   {10, 0x2601},  {11, 0x2703},  {12, 0x2704},  {13, 0x2708},
    {14, 0x2708}, {15, 0x2401},  {16, 0x2402},  {17, 0x2732},  {18, 0x2503},  {19, 0x2103},  {20, 0x2A06},
    {35, 0x2722}, {42, 0x280C},  {47, 0x2502},  {51, 0x271F},  {66, 0x2511},  {78, 0x280F},  {80, 0x2803},
    {81, 0x2801}, {82, 0x2205},  {84, 0x2801},  {85, 0x2803},  {86, 0x250B},  {87, 0x2506},  {88, 0x2731},
    {91, 0x2B66}, {101, 0x2501}, {130, 0x2517}, {133, 0x2729}, {204, 0x2728}, {205, 0x271F}, {206, 0x2506},
    {209, 0x2734}, {211, 0x2505}, {231, 0x2713}, {285, 0x2A0E}, {348, 0x271E}, {538, 0x2727}, {2120, 0x250E},
    // The SQL interface's success statuses, and its end of the rows.
    {-101, 0}, {-102, 0}, {-103, 0}, {-104, 0}, {-105, 0}, {-106, 0}, {-107, 0},
    {-110, 0}, {-111, 0}, {-112, 0}, {-113, 0}, {-114, 0}, {-115, 0}, {-116, 0},
    {-109, 0x2202},
}};

}  // namespace

EBtrieveEngineError::EBtrieveEngineError(int32_t status) : EBtrieveEngineError(status, AnsiString()) {}

EBtrieveEngineError::EBtrieveEngineError(int32_t status, const AnsiString& keyText)
    : EKorvoEngineError(BtrieveStatusToEngineCode(status)), keyText_(keyText.substr(0, kMaxText)) {
  SetNativeStatus(status);
}

AnsiString EBtrieveEngineError::GetErrorText() const {
  const AnsiString statusText = StatusText();
  if (statusText.empty()) return Format("Btrieve Error %d.", {BtrieveStatus()});
  AnsiString text = Format("Btrieve Status %d - %s", {BtrieveStatus(), statusText}) + ".";
  if (!keyText_.empty()) text += "\r\nKey=[" + keyText_ + "]";
  return text.substr(0, kMaxText);
}

AnsiString EBtrieveEngineError::StatusText() const { return BtrieveStatusText(BtrieveStatus()); }

uint16_t BtrieveStatusToEngineCode(int32_t status) {
  // A status outside 16 bits can match no pair.
  if (status != static_cast<int16_t>(status)) return static_cast<uint16_t>(status);
  return MapStatus(kStatusToEngineCode, status);
}

AnsiString BtrieveStatusText(int32_t status) {
  // The status texts cover these numbers only; the string numbers beyond them belong to other
  // tables (the engine error names start at 14000).
  const bool hasTable = (status >= -125 && status <= -101) || (status >= 1 && status <= 999) ||
                        (status >= 1001 && status <= 1021);
  if (!hasTable) return {};
  return qn::os::loadResourceString(BtrieveStatusMessages + status).value_or(AnsiString());
}

void RaiseBtrieveError(int16_t status) { RaiseBtrieveErrorWithKey(status, AnsiString()); }

void RaiseBtrieveErrorWithKey(int16_t status, const AnsiString& keyText) {
  if (status == 9) RaiseEngineEOF();
  throw EBtrieveEngineError(status, keyText);
}
