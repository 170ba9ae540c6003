#include "recordmgr/ExtendedFieldTypes.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/base/ValueBytes.h"
#include "recordmgr/ConversionFailure.h"
#include "recordmgr/ConversionFunctions.h"
#include "recordmgr/ExtendedNumberForms.h"
#include "recordmgr/NumericTextField.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/StoredDateTime.h"

namespace {

constexpr int32_t kMagicDateNumber = 693593;
constexpr int32_t kMagicDateNumber367 = 367;
constexpr size_t kYYMMDDStored = 6;

bool succeeded(int16_t status) { return status == 0; }

// Calls a library entry point. One the library lacks (its absence was reported when it loaded,
// and the program is ending) answers as a failed conversion instead of being called.
template <typename Entry, typename... Args>
int16_t invoke(Entry entry, Args... args) {
  return entry != nullptr ? entry(args...) : int16_t{-1};
}

// The engine's day or time value of the record manager's 4-byte forms; which form the path takes.
enum class Path { Date, Time };

// Reads a date or time through the library: its Get_ entry point gives the date-time, the
// record manager's 4-byte form is made of it and read as such.
template <typename Get>
void readThroughForm(Path path, bool& blank, void* value, Get get) {
  TConversionFunctions* functions = ConversionFunctions();
  if (functions == nullptr || !functions->Loaded()) {
    ReadFailure(value, sizeof(int32_t));
    return;
  }
  double dateTime = 0;
  if (!succeeded(get(*functions, &dateTime))) ReadFailure(&dateTime, sizeof dateTime);
  uint8_t form[4] = {};
  auto set = path == Path::Date ? functions->Set_BtrieveDate : functions->Set_BtrieveTime;
  if (!succeeded(invoke(set, form, dateTime))) {
    WriteFailure();
    std::memset(form, 0, sizeof form);
  }
  blank = IsAllZero(form, sizeof form);
  ToBytes(value, path == Path::Date ? ReadStoredDate(form) : ReadStoredTime(form));
}

// Writes a date or time through the library: the engine value becomes the 4-byte form, the
// library makes its date-time of it and its Set_ entry point stores that.
template <typename Set>
void writeThroughForm(Path path, const void* value, void* stored, size_t size, Set set) {
  TConversionFunctions* functions = ConversionFunctions();
  if (functions == nullptr || !functions->Loaded()) {
    WriteFailure();
    return;
  }
  uint8_t form[4] = {};
  if (path == Path::Date)
    WriteStoredDate(FromBytes<int32_t>(value), form);
  else
    WriteStoredTime(FromBytes<int32_t>(value), form);
  double dateTime = 0;
  auto get = path == Path::Date ? functions->Get_BtrieveDate : functions->Get_BtrieveTime;
  if (!succeeded(invoke(get, form, &dateTime)) || !succeeded(set(*functions, stored, dateTime))) {
    std::memset(stored, 0, size);
    WriteFailure();
  }
}

// Reads a number through the library into the 8-byte value.
template <typename Get>
void readNumber(void* value, Get get) {
  TConversionFunctions* functions = ConversionFunctions();
  double number = 0;
  if (functions == nullptr || !functions->Loaded() || !succeeded(get(*functions, &number)))
    ReadFailure(value, sizeof(double));
  else
    ToBytes(value, number);
}

template <typename Set>
void writeNumber(void* stored, size_t size, Set set) {
  TConversionFunctions* functions = ConversionFunctions();
  if (functions == nullptr || !functions->Loaded() || !succeeded(set(*functions))) {
    std::memset(stored, 0, size);
    WriteFailure();
  }
}

}  // namespace

void GetExtendedField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, bool& Blank, void* Value,
                      const void* Stored, uint16_t FieldLength) {
  using F = TConversionFunctions;
  const auto* stored = static_cast<const uint8_t*>(Stored);
  const int16_t size = static_cast<int16_t>(LocalSize), decimals = static_cast<int16_t>(Decimals);
  const bool zero = IsAllZero(Stored, LocalSize);
  // The date and time paths: a blank field is blank without asking the library.
  auto dateOrTime = [&](Path path, auto get) {
    Blank = zero;
    if (zero)
      ToBytes(Value, int32_t{0});
    else
      readThroughForm(path, Blank, Value, get);
  };
  auto date = [&](auto get) { dateOrTime(Path::Date, get); };
  auto time = [&](auto get) { dateOrTime(Path::Time, get); };
  // Library numbers whose all-zero form is 0.0 without a call.
  auto number = [&](auto get) {
    if (zero)
      ToBytes(Value, 0.0);
    else
      readNumber(Value, get);
  };
  auto binary = [&](int16_t flag1, int16_t flag2) {
    readNumber(Value, [&](F& f, double* v) { return invoke(f.Get_Binary, Stored, size, decimals, v, flag1, flag2); });
  };
  switch (LocalType) {
    case 228: date([&](F& f, double* dt) { return invoke(f.Get_LongYMD, Stored, dt); }); break;
    case 229: binary(1, 0); break;
    case 230: binary(0, 1); break;
    case 231: binary(0, 0); break;
    case 232:
      ReadDouble(Value, zero ? std::optional<double>(0.0) : ReadOverpunchedText(stored, LocalSize, Decimals));
      break;
    case 233: date([&](F& f, double* dt) { return invoke(f.Get_MagicDate, Stored, dt, kMagicDateNumber); }); break;
    case 234: date([&](F& f, double* dt) { return invoke(f.Get_Ctime, Stored, dt); }); break;
    case 235:
    case 239: number([&](F& f, double* v) { return invoke(f.Get_MagicNum100, Stored, size, v); }); break;
    case 236: time([&](F& f, double* dt) { return invoke(f.Get_TasProTime, Stored, dt); }); break;
    case 237:
    case 246: number([&](F& f, double* v) { return invoke(f.Get_TasProNum, Stored, size, decimals, v); }); break;
    case 238: ReadDouble(Value, ReadDecimalFloat(stored)); break;
    case 240: time([&](F& f, double* dt) { return invoke(f.Get_MagicTime, Stored, dt); }); break;
    case 241: date([&](F& f, double* dt) { return invoke(f.Get_MagicDate, Stored, dt, kMagicDateNumber367); }); break;
    case 242: date([&](F& f, double* dt) { return invoke(f.Get_YMD, Stored, dt); }); break;
    case 243: date([&](F& f, double* dt) { return invoke(f.Get_YYMMDD, Stored, dt); }); break;
    case 244: date([&](F& f, double* dt) { return invoke(f.Get_YYYYMMDD, Stored, dt); }); break;
    case 245: date([&](F& f, double* dt) { return invoke(f.Get_TasProDate, Stored, dt); }); break;
    case 247: number([&](F& f, double* v) { return invoke(f.Get_UDecimal, Stored, size, decimals, v); }); break;
    case 253:
      Blank = zero;
      ToBytes(Value, zero ? 0.0 : ReadDateTimeTimestamp(stored));
      break;
    case 254: number([&](F& f, double* v) { return invoke(f.Get_VBCurrency, Stored, v); }); break;
    case 255: ToBytes(Value, ReadSixByteReal(stored)); break;
    default: break;  // 248 to 252: nothing to convert
  }
}

void PutExtendedField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, const void* Value, void* Stored,
                      uint16_t FieldLength) {
  using F = TConversionFunctions;
  auto* stored = static_cast<uint8_t*>(Stored);
  const int16_t size = static_cast<int16_t>(LocalSize), decimals = static_cast<int16_t>(Decimals);
  // Dates and times arrive as 32-bit values, and 248 to 252 take none: only the others are doubles.
  const bool takesDouble = (LocalType >= 229 && LocalType <= 232) || LocalType == 235 ||
                           (LocalType >= 237 && LocalType <= 239) || LocalType == 246 || LocalType == 247 ||
                           LocalType >= 253;
  const double number = takesDouble ? FromBytes<double>(Value) : 0.0;
  auto date = [&](auto set) { writeThroughForm(Path::Date, Value, Stored, LocalSize, set); };
  auto time = [&](auto set) { writeThroughForm(Path::Time, Value, Stored, LocalSize, set); };
  auto library = [&](auto set) { writeNumber(Stored, LocalSize, set); };
  auto binary = [&](int16_t flag1, int16_t flag2) {
    library([&](F& f) { return invoke(f.Set_Binary, Stored, size, decimals, number, flag1, flag2); });
  };
  auto fails = [](bool done) {
    if (!done) WriteFailure();
  };
  switch (LocalType) {
    case 228: date([](F& f, void* s, double dt) { return invoke(f.Set_LongDate, s, dt); }); break;
    case 229: binary(1, 0); break;
    case 230: binary(0, 1); break;
    case 231: binary(0, 0); break;
    case 232: fails(WriteOverpunchedText(number, stored, LocalSize, Decimals)); break;
    case 233: date([](F& f, void* s, double dt) { return invoke(f.Set_MagicDate, s, dt, kMagicDateNumber); }); break;
    case 234: date([](F& f, void* s, double dt) { return invoke(f.Set_Ctime, s, dt); }); break;
    case 235:
    case 239: library([&](F& f) { return invoke(f.Set_MagicNum100, Stored, size, number); }); break;
    case 236: time([](F& f, void* s, double dt) { return invoke(f.Set_TasProTime, s, dt); }); break;
    case 237:
    case 246: library([&](F& f) { return invoke(f.Set_TasProNum, Stored, size, decimals, number); }); break;
    case 238: fails(WriteDecimalFloat(number, stored)); break;
    case 240: time([](F& f, void* s, double dt) { return invoke(f.Set_MagicTime, s, dt); }); break;
    case 241: date([](F& f, void* s, double dt) { return invoke(f.Set_MagicDate, s, dt, kMagicDateNumber367); }); break;
    case 242: date([](F& f, void* s, double dt) { return invoke(f.Set_YMD, s, dt); }); break;
    case 243:
      date([&](F& f, void* s, double dt) {
        // The library writes a zero behind the six characters.
        uint8_t work[kYYMMDDStored + 1] = {};
        const int16_t status = invoke(f.Set_YYMMDD, work, dt);
        if (status == 0) std::memcpy(s, work, std::min<size_t>(kYYMMDDStored, LocalSize));
        return status;
      });
      break;
    case 244: date([](F& f, void* s, double dt) { return invoke(f.Set_YYYYMMDD, s, dt); }); break;
    case 245: date([](F& f, void* s, double dt) { return invoke(f.Set_TasProDate, s, dt); }); break;
    case 247: library([&](F& f) { return invoke(f.Set_UDecimal, Stored, size, decimals, number); }); break;
    case 253: WriteDateTimeTimestamp(number, stored); break;
    case 254: library([&](F& f) { return invoke(f.Set_VBCurrency, Stored, number); }); break;
    case 255: fails(WriteSixByteReal(number, stored)); break;
    default: break;  // 248 to 252: nothing to convert
  }
}
