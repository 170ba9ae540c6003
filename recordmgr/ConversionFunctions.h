#pragma once
// The optional conversion library other applications' stored formats are converted through: its
// 32 entry points, loaded once per process on first use ("korvoc32.dll", else "s2dtconv.dll")
// and kept until the process ends. No library ships with the program, so normally none is
// available and those formats cannot be converted.
//
// Entry points answer 0 for success. Date-time values are the library's own 8-byte floats, only
// passed from one entry point to another; "stored" is the field's bytes.
#include <cstdint>
#include <string>
#include <vector>

using ConvertGetDateTime = int16_t (*)(const void* stored, double* dateTime);
using ConvertSetDateTime = int16_t (*)(void* stored, double dateTime);
using ConvertGetNumberedDate = int16_t (*)(const void* stored, double* dateTime, int32_t number);
using ConvertSetNumberedDate = int16_t (*)(void* stored, double dateTime, int32_t number);
using ConvertGetBinary = int16_t (*)(const void* stored, int16_t size, int16_t decimals, double* value, int16_t flag1,
                                     int16_t flag2);
using ConvertSetBinary = int16_t (*)(void* stored, int16_t size, int16_t decimals, double value, int16_t flag1,
                                     int16_t flag2);
using ConvertGetSized = int16_t (*)(const void* stored, int16_t size, double* value);
using ConvertSetSized = int16_t (*)(void* stored, int16_t size, double value);
using ConvertGetScaled = int16_t (*)(const void* stored, int16_t size, int16_t decimals, double* value);
using ConvertSetScaled = int16_t (*)(void* stored, int16_t size, int16_t decimals, double value);
using ConvertGetValue = int16_t (*)(const void* stored, double* value);
using ConvertSetValue = int16_t (*)(void* stored, double value);

class TConversionFunctions {
 public:
  // The handle of a library that is not loaded.
  static constexpr uintptr_t NotLoaded = 32;

  TConversionFunctions();
  ~TConversionFunctions();
  TConversionFunctions(const TConversionFunctions&) = delete;
  TConversionFunctions& operator=(const TConversionFunctions&) = delete;

  bool Loaded() const { return Handle > NotLoaded; }

  uintptr_t Handle = NotLoaded;
  ConvertGetDateTime Get_LongYMD = nullptr;
  ConvertSetDateTime Set_LongDate = nullptr;
  ConvertGetBinary Get_Binary = nullptr;
  ConvertSetBinary Set_Binary = nullptr;
  ConvertGetNumberedDate Get_MagicDate = nullptr;
  ConvertSetNumberedDate Set_MagicDate = nullptr;
  ConvertGetDateTime Get_Ctime = nullptr;
  ConvertSetDateTime Set_Ctime = nullptr;
  ConvertGetSized Get_MagicNum100 = nullptr;
  ConvertSetSized Set_MagicNum100 = nullptr;
  ConvertGetDateTime Get_TasProTime = nullptr;
  ConvertSetDateTime Set_TasProTime = nullptr;
  ConvertGetScaled Get_TasProNum = nullptr;
  ConvertSetScaled Set_TasProNum = nullptr;
  ConvertGetDateTime Get_MagicTime = nullptr;
  ConvertSetDateTime Set_MagicTime = nullptr;
  ConvertGetDateTime Get_YMD = nullptr;
  ConvertSetDateTime Set_YMD = nullptr;
  ConvertGetDateTime Get_YYMMDD = nullptr;
  ConvertSetDateTime Set_YYMMDD = nullptr;
  ConvertGetDateTime Get_YYYYMMDD = nullptr;
  ConvertSetDateTime Set_YYYYMMDD = nullptr;
  ConvertGetDateTime Get_TasProDate = nullptr;
  ConvertSetDateTime Set_TasProDate = nullptr;
  ConvertGetScaled Get_UDecimal = nullptr;
  ConvertSetScaled Set_UDecimal = nullptr;
  ConvertGetValue Get_VBCurrency = nullptr;
  ConvertSetValue Set_VBCurrency = nullptr;
  // The 4-byte date and time forms of the record manager and the library's date-time.
  ConvertGetDateTime Get_BtrieveDate = nullptr;
  ConvertSetDateTime Set_BtrieveDate = nullptr;
  ConvertGetDateTime Get_BtrieveTime = nullptr;
  ConvertSetDateTime Set_BtrieveTime = nullptr;

  // The library loaded ("korvoc32.dll" or "s2dtconv.dll"; nil when none) and the names of the
  // entry points it lacks.
  const char* LibraryName = nullptr;
  std::vector<std::string> MissingEntryPoints;

 private:
  void Resolve();
};

// The process's conversion functions, loaded on the first call (one attempt, never repeated);
// nil only when called after the process has begun to end.
TConversionFunctions* ConversionFunctions();
// Whether a conversion library is loaded.
bool ConverterAvailable();
