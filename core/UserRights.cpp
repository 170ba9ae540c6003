#include "core/UserRights.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "core/Constants.h"
#include "core/Globals.h"
#include "core/MachineKey.h"
#include "core/MessageBoxes.h"
#include "core/SettingKeys.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"

namespace {

// The named Host values as numbers, in order; nothing when one cannot be read or is no number.
std::optional<std::vector<double>> readNumbers(std::initializer_list<const char*> names) {
  std::vector<double> numbers;
  for (const char* name : names) {
    AnsiString text;
    ReadHostSetting(name, text);
    double number;
    if (!TryStrToFloat(text, number)) return std::nullopt;
    numbers.push_back(number);
  }
  return numbers;
}

// Bits highestBit..0 of part decide the items firstNumber + highestBit .. firstNumber.
template <int N>
void applyBits(double part, int highestBit, NumberedTexts<N>& rights, int firstNumber) {
  for (int bit = highestBit; bit >= 0; --bit) {
    const double value = std::ldexp(1.0, bit);
    if (value > part) rights[firstNumber + bit] = "N";
    else part -= value;
  }
}

// ArgFile6's bits and the marker (1..7) and letter each sets; a later one replaces an earlier one.
struct MarkerBit {
  int bit;
  int marker;
  const char* letter;
};
constexpr std::array<MarkerBit, 10> kMarkerBits{{{19, 1, "H"},
                                                 {18, 2, "H"},
                                                 {17, 5, "D"},
                                                 {16, 2, "D"},
                                                 {15, 3, "D"},
                                                 {14, 4, "D"},
                                                 {13, 6, "D"},
                                                 {12, 7, "D"},
                                                 {11, 3, "H"},
                                                 {10, 4, "H"}}};
// The file each marker stands for.
constexpr std::array<int, 8> kMarkedFile{0, 54, 53, 57, 61, 65, 69, 73};

}  // namespace

void ReadHostSetting(const AnsiString& Name, AnsiString& Value) {
  Value.clear();
  qn::os::RegistryKey registry;
  switch (OpenMachineKey(registry, HostKey, false, "")) {
    case KeyOpening::Unusable: return;
    case KeyOpening::Missing: return ShowInformationBox("Unable to read '" + Name + "'  at this time.");
    case KeyOpening::Opened: break;
  }
  try {
    Value = registry.ReadString(Name);
  } catch (const qn::os::RegistryError&) {
    ShowInformationBox("Unable to read the '" + Name + "' value at this time.");
  }
}

bool LoadFileRights() {
  const auto v = readNumbers({"ArgInitN", "ArgFile1", "ArgFile2", "ArgFile3", "ArgFile4", "ArgFile5", "ArgFile6",
                              "ArgFileX"});
  if (!v) return false;
  const auto& n = *v;
  if (n[0] + n[1] + n[2] + n[3] + n[4] + n[5] + n[6] != n[7]) return false;

  FileRights.Fill("Y");
  NumberedTexts<7> markers;
  double part = n[6];
  for (const MarkerBit& m : kMarkerBits) {
    const double value = std::ldexp(1.0, m.bit);
    if (value > part) continue;
    markers[m.marker] = m.letter;
    part -= value;
  }
  for (int i = 0; i < 4; ++i) applyBits(n[1 + i], 19, FileRights, 20 * i + 1);
  applyBits(n[5], 18, FileRights, 81);
  for (int marker = 1; marker <= 7; ++marker)
    if (!markers[marker].empty()) FileRights[kMarkedFile[marker]] = markers[marker];
  return true;
}

bool LoadFunctionRights() {
  FunctionRights.Fill("N");
  const auto v = readNumbers({"ArgInitN", "ArgFunc", "ArgFuncX"});
  if (!v || (*v)[0] + (*v)[1] != (*v)[2]) return false;
  FunctionRights.Fill("Y");
  for (int alwaysRefused : {6, 7, 11, 12, 13, 23, 26}) FunctionRights[alwaysRefused] = "N";
  applyBits((*v)[1], 25, FunctionRights, 1);
  return true;
}

bool LoadReportRights() {
  const auto v = readNumbers({"ArgInitN", "ArgRep1", "ArgRep2", "ArgRepX"});
  if (!v || (*v)[0] + (*v)[1] + (*v)[2] != (*v)[3]) return false;
  ReportRights.Fill("Y");
  applyBits((*v)[1], 17, ReportRights, 1);
  applyBits((*v)[2], 17, ReportRights, 19);
  return true;
}

void ShowSecurityDataError(const AnsiString& Code) {
  const int code = StrToIntDef(Code, 0);
  const char* source = code == 0 ? "system" : code >= 1 && code <= 9 ? "security file" : code > 10 ? "registry" : "";
  ShowErrorBox("This user's security data are not valid.\r\rThe entries in the " + AnsiString(source) +
                 " appear to be damaged. (" + Code + ")" + CallSupportText);
}
