#include "recordmgr/FieldConverters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "framework/base/FloatText.h"
#include "framework/base/Locale.h"
#include "framework/base/PackedDecimalBytes.h"
#include "framework/base/ValueBytes.h"
#include "recordmgr/BasicFloatField.h"
#include "recordmgr/ConversionFailure.h"
#include "recordmgr/ConverterOptions.h"
#include "recordmgr/ExtendedFieldTypes.h"
#include "recordmgr/ExtendedFloat.h"
#include "recordmgr/NumericTextField.h"
#include "recordmgr/PackedDecimalField.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/StoredDateTime.h"

namespace {

// The record manager's stored types.
enum StoredType : uint16_t {
  stString = 0,
  stInteger = 1,
  stFloat = 2,
  stDate = 3,
  stTime = 4,
  stDecimal = 5,
  stMoney = 6,
  stLogical = 7,
  stNumeric = 8,
  stBasicFloat = 9,
  stLengthText = 10,
  stZeroText = 11,
  stNote = 12,
  stVariableBytes = 13,
  stUnsigned = 14,
  stAutoIncrement = 15,
  stBit = 16,
  stNumericTrailingSign = 17,
  stNumericOverpunched = 18,
  stCurrency = 19,
  stTimestamp = 20,
};

constexpr uint16_t kFirstExtendedType = 228;
constexpr uint16_t kLastExtendedType = 255;
constexpr int kMoneyDecimals = 2;

// Copies count characters and a terminating zero.
void putText(void* value, const uint8_t* from, size_t count) {
  std::memcpy(value, from, count);
  static_cast<char*>(value)[count] = '\0';
}

size_t textLength(const uint8_t* bytes, size_t most) { return std::find(bytes, bytes + most, 0) - bytes; }

void putDouble(void* value, double d) { ToBytes(value, d); }

void readString(void* value, const uint8_t* stored, size_t size) {
  size_t length = textLength(stored, size);
  while (length > 0 && stored[length - 1] == ' ') --length;
  putText(value, stored, length);
}

// Writes the number in its own type's width, which is what the field's value buffer holds, and
// gives it back.
template <typename T>
int64_t putNumber(void* value, T number) {
  ToBytes(value, number);
  return number;
}

void readInteger(uint16_t size, bool& blank, void* value, const uint8_t* stored) {
  int64_t number = 0;
  switch (size) {
    case 1:
      number = ConverterOptions.SmallIntAsByte ? int64_t{stored[0]} : int64_t{static_cast<int8_t>(stored[0])};
      ToBytes(value, static_cast<int16_t>(number));
      break;
    case 2: number = putNumber(value, FromBytes<int16_t>(stored)); break;
    case 4: number = putNumber(value, FromBytes<int32_t>(stored)); break;
    case 8: number = putNumber(value, FromBytes<int64_t>(stored)); break;
    default: ReadFailure(value, size); return;
  }
  blank = number == 0 && !ConverterOptions.IntegersShowAsZero;
}

void readUnsigned(uint16_t size, void* value, const uint8_t* stored) {
  switch (size) {
    case 1: ToBytes(value, static_cast<uint16_t>(stored[0])); break;
    case 2:
    case 4:
    case 6:
    case 8: std::memcpy(value, stored, size); break;
    default: ReadFailure(value, size);
  }
}

void readFloat(uint16_t size, void* value, const uint8_t* stored) {
  switch (size) {
    case 4: putDouble(value, FromBytes<float>(stored)); break;
    case 8: std::memcpy(value, stored, 8); break;
    case 10: {
      const double read = ReadExtendedFloat(stored);
      ReadDouble(value, std::isfinite(read) ? std::optional<double>(read) : std::nullopt);
      break;
    }
    default: ReadFailure(value, sizeof(double));
  }
}

// The 4-byte float keeps what its text of 7 significant digits and at most 4 decimals says.
std::optional<float> singleThroughText(double value) {
  std::string text = FloatToStrF(value, ffFixed, 7, 4);
  std::replace(text.begin(), text.end(), Locale().DecimalSeparator, '.');
  double read = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const float single = static_cast<float>(read);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

void writeFloat(uint16_t size, double value, uint8_t* stored) {
  switch (size) {
    case 4:
      if (std::optional<float> single = singleThroughText(value))
        ToBytes(stored, *single);
      else
        WriteFailure();
      break;
    case 8: ToBytes(stored, value); break;
    case 10: WriteExtendedFloat(value, stored); break;
    default: WriteFailure();
  }
}

void writeInteger(uint16_t size, const void* value, uint8_t* stored) {
  switch (size) {
    case 1: stored[0] = static_cast<uint8_t>(FromBytes<int16_t>(value) & 0xFF); break;
    case 2:
    case 4: std::memcpy(stored, value, size); break;
    default: WriteFailure();
  }
}

void writeUnsigned(uint16_t size, const void* value, uint8_t* stored) {
  switch (size) {
    case 1: stored[0] = static_cast<uint8_t>(FromBytes<uint16_t>(value) & 0xFF); break;
    case 2:
    case 4:
    case 6:
    case 8: std::memcpy(stored, value, size); break;
    default: WriteFailure();
  }
}

void writeLogical(uint16_t size, const void* value, uint8_t* stored) {
  if (FromBytes<int16_t>(value) == 0) return;
  switch (size) {
    case 1: stored[0] = 1; break;
    case 2: ToBytes(stored, int16_t{1}); break;
    case 4: ToBytes(stored, int32_t{1}); break;
    default: WriteFailure();
  }
}

void writeText(const void* value, uint8_t* stored, size_t size) {
  const char* text = static_cast<const char*>(value);
  const size_t length = std::min(std::strlen(text), size);
  std::memcpy(stored, text, length);
  // The field was cleared: without padding the zero byte behind the text is there already.
  if (ConverterOptions.StringPaddedSpaces) std::memset(stored + length, ' ', size - length);
}

void writeCurrency(double value, uint8_t* stored) {
  // Stored as the read takes it: the value times 10 000 as a whole number.
  const double units = std::round(value * 10000.0);
  if (!std::isfinite(units) || std::fabs(units) >= 9.2e18)
    WriteFailure();
  else
    ToBytes(stored, static_cast<int64_t>(units));
}

}  // namespace

void GetStoredField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, bool& Blank, void* Value,
                    const void* Stored, uint16_t FieldLength) {
  Blank = false;
  if (LocalType >= kFirstExtendedType && LocalType <= kLastExtendedType) {
    GetExtendedField(LocalType, LocalSize, Decimals, Blank, Value, Stored, FieldLength);
    return;
  }
  const auto* stored = static_cast<const uint8_t*>(Stored);
  const size_t size = LocalSize;
  const bool zero = IsAllZero(stored, LocalSize);
  switch (LocalType) {
    case stString:
      Blank = zero;
      readString(Value, stored, size);
      break;
    case stInteger:
    case stAutoIncrement: readInteger(LocalSize, Blank, Value, stored); break;
    case stFloat: readFloat(LocalSize, Value, stored); break;
    case stDate:
      Blank = zero;
      ToBytes(Value, zero ? int32_t{0} : ReadStoredDate(stored));
      break;
    case stTime:
      Blank = zero;
      ToBytes(Value, zero ? int32_t{0} : ReadStoredTime(stored));
      break;
    case stDecimal:
    case stMoney: {
      // A damaged digit is no amount: the field reads as null rather than failing every read of
      // the record, so the record can still be shown and its other fields edited.
      const std::optional<double> read =
          qn::readPackedDecimal(stored, size, LocalType == stMoney ? kMoneyDecimals : Decimals);
      Blank = !read;
      if (Value) ToBytes(Value, read.value_or(0.0));
      break;
    }
    case stLogical:
      // A truth value is 16 bits whatever its stored width, as the writer reads it.
      if (Value) ToBytes(Value, zero ? int16_t{0} : int16_t{-1});
      break;
    case stNumeric:
    case stNumericOverpunched: ReadDouble(Value, zero ? 0.0 : ReadOverpunchedText(stored, size, Decimals)); break;
    case stNumericTrailingSign: ReadDouble(Value, zero ? 0.0 : ReadTrailingSignText(stored, size, Decimals)); break;
    case stBasicFloat: ReadDouble(Value, zero ? 0.0 : ReadBasicFloat(stored, size)); break;
    case stLengthText:
      Blank = zero;
      putText(Value, stored + 1, size > 0 ? std::min<size_t>(stored[0], size - 1) : 0);
      break;
    case stZeroText:
      Blank = zero;
      putText(Value, stored, size > 0 ? textLength(stored, size - 1) : 0);
      break;
    case stNote:
      Blank = zero;
      putText(Value, stored, size > 0 ? textLength(stored, std::min<size_t>(size, 255) - 1) : 0);
      break;
    case stVariableBytes: std::memcpy(Value, stored, size); break;
    case stUnsigned: readUnsigned(LocalSize, Value, stored); break;
    case stBit:
      if (Value)
        ToBytes(Value, static_cast<int16_t>(size > 0 && Decimals <= 7 && (stored[0] >> Decimals & 1) ? -1 : 0));
      break;
    case stCurrency: putDouble(Value, static_cast<double>(FromBytes<int64_t>(stored)) / 10000.0); break;
    case stTimestamp: putDouble(Value, ReadStoredTimestamp(FromBytes<int64_t>(stored), TimeZoneOffset())); break;
    default: break;
  }
}

void PutStoredField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, const void* Value, void* Stored,
                    uint16_t FieldLength) {
  auto* stored = static_cast<uint8_t*>(Stored);
  const size_t size = LocalSize;
  if (LocalType != stBit) std::memset(stored, 0, size);
  if (LocalType >= kFirstExtendedType && LocalType <= kLastExtendedType) {
    PutExtendedField(LocalType, LocalSize, Decimals, Value, Stored, FieldLength);
    return;
  }
  auto fails = [](bool stored) {
    if (!stored) WriteFailure();
  };
  switch (LocalType) {
    case stString: writeText(Value, stored, size); break;
    case stInteger:
    case stAutoIncrement: writeInteger(LocalSize, Value, stored); break;
    case stFloat: writeFloat(LocalSize, FromBytes<double>(Value), stored); break;
    case stDate: WriteStoredDate(FromBytes<int32_t>(Value), stored); break;
    case stTime: WriteStoredTime(FromBytes<int32_t>(Value), stored); break;
    case stDecimal:
    case stMoney:
      fails(
          WritePackedDecimal(FromBytes<double>(Value), stored, size, LocalType == stMoney ? kMoneyDecimals : Decimals));
      break;
    case stLogical: writeLogical(LocalSize, Value, stored); break;
    case stNumeric:
    case stNumericOverpunched: fails(WriteOverpunchedText(FromBytes<double>(Value), stored, size, Decimals)); break;
    case stNumericTrailingSign: fails(WriteTrailingSignText(FromBytes<double>(Value), stored, size, Decimals)); break;
    case stBasicFloat: fails(WriteBasicFloat(FromBytes<double>(Value), stored, size)); break;
    case stLengthText:
      if (size > 0) {
        const size_t length = std::min(std::strlen(static_cast<const char*>(Value)), size - 1);
        stored[0] = static_cast<uint8_t>(length);
        std::memcpy(stored + 1, Value, length);
      }
      break;
    case stZeroText:
      if (size > 0) std::memcpy(stored, Value, std::min(std::strlen(static_cast<const char*>(Value)), size - 1));
      break;
    case stNote: WriteFailure(); break;
    case stVariableBytes: std::memcpy(stored, Value, size); break;
    case stUnsigned: writeUnsigned(LocalSize, Value, stored); break;
    case stBit:
      if (size > 0 && Decimals <= 7) {
        const uint8_t bit = static_cast<uint8_t>(1u << Decimals);
        stored[0] = FromBytes<int16_t>(Value) != 0 ? stored[0] | bit : stored[0] & ~bit;
      }
      break;
    case stCurrency: writeCurrency(FromBytes<double>(Value), stored); break;
    case stTimestamp:
      if (std::optional<int64_t> units = StoredTimestampOf(FromBytes<double>(Value), TimeZoneOffset()))
        ToBytes(stored, *units);
      else
        WriteFailure();
      break;
    default: break;
  }
}
