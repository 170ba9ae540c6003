// Stored field types 0 to 20 and the library-free extended types: bytes to engine values and
// back, blanks, the failure rules and their options.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/base/DateTime.h"
#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "framework/base/ValueBytes.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/ConverterOptions.h"
#include "recordmgr/FieldConverters.h"
#include "recordmgr/StoredDateTime.h"
#include "recordmgr/tests/PackedDecimalCases.h"
#include "testing/CommaDecimalLocale.h"
#include "testing/HexText.h"

namespace {

using qn::testing::hexText;
using Bytes = std::string;

class FieldConvertersTest : public ::testing::Test {
 protected:
  void SetUp() override { SetTimeZoneOffset(-60); }
  void TearDown() override {
    ConverterOptions = TConverterOptions();
    SetTimeZoneOffset(savedOffset);
  }

  // The stored bytes of a value written into a field of that type and size.
  template <typename V>
  Bytes put(uint16_t type, uint16_t size, uint16_t decimals, const V& value, Bytes stored = {}) {
    stored.resize(size);
    PutStoredField(type, size, decimals, &value, stored.data(), size);
    return stored;
  }
  Bytes putText(uint16_t type, uint16_t size, const char* text) {
    Bytes stored(size, '\xEE');
    PutStoredField(type, size, 0, text, stored.data(), size);
    return stored;
  }

  template <typename V>
  V get(uint16_t type, const Bytes& stored, uint16_t decimals = 0, bool* blankOut = nullptr) {
    V value{};
    bool blank = true;
    GetStoredField(type, static_cast<uint16_t>(stored.size()), decimals, blank, &value, stored.data(),
                   static_cast<uint16_t>(stored.size()));
    if (blankOut) *blankOut = blank;
    return value;
  }
  std::string getText(uint16_t type, const Bytes& stored, bool* blankOut = nullptr) {
    std::vector<char> value(stored.size() + 2, '\x7F');
    bool blank = true;
    GetStoredField(type, static_cast<uint16_t>(stored.size()), 0, blank, value.data(), stored.data(),
                   static_cast<uint16_t>(stored.size()));
    if (blankOut) *blankOut = blank;
    return std::string(value.data());
  }

  // The status a conversion raised; 0 when it raised nothing.
  template <typename Call>
  static int statusOf(Call call) {
    try {
      call();
    } catch (const EBtrieveEngineError& error) {
      EXPECT_EQ(error.GetErrorText(), "Btrieve Error 2999.");
      return error.BtrieveStatus();
    }
    return 0;
  }

  static int32_t dayNumber(int year, int month, int day) {
    return static_cast<int32_t>(EncodeDate(year, month, day)) + DayNumberOfFirstDateTime;
  }

 private:
  int savedOffset = TimeZoneOffset();
};

constexpr uint16_t kString = 0, kInteger = 1, kFloat = 2, kDate = 3, kTime = 4, kDecimal = 5, kMoney = 6, kLogical = 7,
                   kNumeric = 8, kBasicFloat = 9, kLengthText = 10, kZeroText = 11, kNote = 12, kBytes = 13,
                   kUnsigned = 14, kAutoIncrement = 15, kBit = 16, kTrailingSign = 17, kOverpunched = 18,
                   kCurrency = 19, kTimestamp = 20;

TEST_F(FieldConvertersTest, PackedDecimalsAgreeWithTheSharedTable) {
  for (const auto* table : {&packedcases::agreedCases(), &packedcases::zeroCases()}) {
    for (const packedcases::PackedCase& c : *table) {
      SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.size) + " bytes");
      EXPECT_EQ(hexText(put(kDecimal, c.size, c.decimals, c.value)), hexText(c.bytes));
      EXPECT_EQ(get<double>(kDecimal, c.bytes, c.decimals), table == &packedcases::zeroCases() ? 0.0 : c.value);
    }
  }
  const double negativeZero = get<double>(kDecimal, packedcases::kNegativeZero);
  EXPECT_EQ(negativeZero, 0.0);
  EXPECT_FALSE(std::signbit(negativeZero));
}

TEST_F(FieldConvertersTest, PackedDecimalsAtTheirLimitsAndOneBeyond) {
  struct Case {
    uint16_t size, decimals;
    double largest, beyond;
  };
  for (const Case& c : {Case{1, 0, 9, 10}, Case{2, 0, 999, 1000}, Case{2, 2, 9.99, 10}, Case{4, 2, 99999.99, 100000},
                        Case{6, 0, 99999999999.0, 100000000000.0}, Case{10, 0, 9999999999999.0, 1e19}}) {
    SCOPED_TRACE(std::to_string(c.largest));
    for (double sign : {1.0, -1.0}) {
      EXPECT_EQ(get<double>(kDecimal, put(kDecimal, c.size, c.decimals, sign * c.largest), c.decimals),
                sign * c.largest);
      const double beyond = sign * c.beyond;
      EXPECT_EQ(statusOf([&] { put(kDecimal, c.size, c.decimals, beyond); }), 2999);
      ConverterOptions.Write = true;
      EXPECT_EQ(put(kDecimal, c.size, c.decimals, beyond, Bytes(c.size, '\x55')), Bytes(c.size, '\0'));
      ConverterOptions.Write = false;
    }
  }
  // Money always carries two places.
  EXPECT_EQ(hexText(put(kMoney, 3, 0, 12.34)), "01 23 4F");
  EXPECT_EQ(get<double>(kMoney, Bytes("\x01\x23\x4D", 3), 0), -12.34);
}

// A damaged packed digit is no amount: the field reads as blank, 0, and raises nothing.
TEST_F(FieldConvertersTest, ADamagedPackedDecimalReadsBlankWithoutAnError) {
  for (uint16_t type : {kDecimal, kMoney}) {
    for (const Bytes& damaged : {Bytes("\x1A\x3F", 2), Bytes("\xFF\xFF", 2), Bytes("\xA0\x0F", 2)}) {
      SCOPED_TRACE(hexText(damaged));
      double value = 7.5;
      bool blank = false;
      EXPECT_EQ(statusOf([&] { GetStoredField(type, 2, 0, blank, &value, damaged.data(), 2); }), 0);
      EXPECT_EQ(value, 0.0);
      EXPECT_TRUE(blank);
    }
  }
}

TEST_F(FieldConvertersTest, UnreadableStoredValuesFollowTheReadRule) {
  EXPECT_EQ(statusOf([&] { get<double>(kTrailingSign, Bytes("1x5+")); }), 2999);
  EXPECT_EQ(statusOf([&] { get<double>(kFloat, Bytes(6, '\x01')); }), 2999);
  EXPECT_EQ(statusOf([&] { get<int64_t>(kInteger, Bytes(3, '\x01')); }), 2999);
  ConverterOptions.Read = true;
  double value = 7.5;
  bool blank = true;
  GetStoredField(kTrailingSign, 4, 0, blank, &value, "1x5+", 4);
  EXPECT_EQ(value, 0.0);
  EXPECT_FALSE(blank);
}

TEST_F(FieldConvertersTest, TextsArePaddedWithBlanksOrEndInAZeroByte) {
  EXPECT_EQ(putText(kString, 7, "ABC"), Bytes("ABC    "));
  EXPECT_EQ(getText(kString, Bytes("ABC    ")), "ABC");
  EXPECT_EQ(putText(kString, 3, "ABCDE"), Bytes("ABC"));
  ConverterOptions.StringPaddedSpaces = false;
  EXPECT_EQ(putText(kString, 7, "ABC"), Bytes("ABC\0\0\0\0", 7));
  EXPECT_EQ(getText(kString, Bytes("ABC\0XY ", 7)), "ABC");

  bool blank = false;
  EXPECT_EQ(getText(kString, Bytes(7, '\0'), &blank), "");
  EXPECT_TRUE(blank);
  EXPECT_EQ(getText(kString, Bytes(7, ' '), &blank), "");
  EXPECT_FALSE(blank);
}

TEST_F(FieldConvertersTest, LengthPrefixedZeroTerminatedAndNoteTexts) {
  EXPECT_EQ(putText(kLengthText, 5, "ABCDEF"), Bytes("\x04"
                                                     "ABCD"));
  EXPECT_EQ(getText(kLengthText, Bytes("\x09"
                                       "ABCD")),
            "ABCD");
  EXPECT_EQ(putText(kZeroText, 5, "ABCDEF"), Bytes("ABCD\0", 5));
  EXPECT_EQ(getText(kZeroText, Bytes("ABCDE")), "ABCD");
  EXPECT_EQ(getText(kNote, Bytes("Note\0xx", 7)), "Note");
  bool blank = false;
  getText(kZeroText, Bytes(5, '\0'), &blank);
  EXPECT_TRUE(blank);
}

TEST_F(FieldConvertersTest, IntegersOfEverySize) {
  struct Case {
    uint16_t size;
    Bytes stored;
    int64_t value;
  };
  for (const Case& c : {Case{1, Bytes("\xFF", 1), -1}, Case{2, Bytes("\x00\x80", 2), -32768},
                        Case{2, Bytes("\xFF\x7F", 2), 32767}, Case{4, Bytes("\x00\x00\x00\x80", 4), INT32_MIN},
                        Case{8, Bytes("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8), INT64_MAX}}) {
    SCOPED_TRACE(c.value);
    int64_t read = 0;
    bool blank = true;
    GetStoredField(kInteger, c.size, 0, blank, &read, c.stored.data(), c.size);
    const int64_t widened = c.size == 1 || c.size == 2 ? static_cast<int16_t>(read)
                            : c.size == 4              ? static_cast<int32_t>(read)
                                                       : read;
    EXPECT_EQ(widened, c.value);
    EXPECT_FALSE(blank);
  }
  ConverterOptions.SmallIntAsByte = true;
  EXPECT_EQ(get<int16_t>(kInteger, Bytes("\xFF", 1)), 255);
  EXPECT_EQ(put(kInteger, 1, 0, int16_t{0x1234}), Bytes("\x34", 1));
  EXPECT_EQ(put(kInteger, 2, 0, int16_t{-2}), Bytes("\xFE\xFF", 2));
  EXPECT_EQ(put(kInteger, 4, 0, int32_t{-2}), Bytes("\xFE\xFF\xFF\xFF", 4));
}

// A dataset field hands the record manager a buffer of its own type's size (a small integer or a
// word 2 bytes, an integer 4, a large integer 8, a truth value 2), and the stored width may differ:
// reading and writing touch exactly that buffer. Guard bytes behind it must stay as they were.
TEST_F(FieldConvertersTest, IntegerLikeValuesTakeExactlyTheirFieldsBufferSize) {
  struct Case {
    const char* field;
    uint16_t type, size, decimals;
    Bytes stored;
    size_t width;
    int64_t value;
    bool writable;
  };
  const Case cases[] = {
      {"smallint from 1", kInteger, 1, 0, Bytes("\xFE", 1), 2, -2, true},
      {"smallint", kInteger, 2, 0, Bytes("\xFE\xFF", 2), 2, -2, true},
      {"integer", kInteger, 4, 0, Bytes("\xFE\xFF\xFF\xFF", 4), 4, -2, true},
      {"largeint", kInteger, 8, 0, Bytes(8, '\xFE'), 8, -72340172838076674, false},
      {"autoinc of 2", kAutoIncrement, 2, 0, Bytes("\x07\x00", 2), 2, 7, true},
      {"autoinc", kAutoIncrement, 4, 0, Bytes("\x07\x00\x00\x00", 4), 4, 7, true},
      {"largeint autoinc", kAutoIncrement, 8, 0, Bytes("\x07\0\0\0\0\0\0\0", 8), 8, 7, false},
      {"word from 1", kUnsigned, 1, 0, Bytes("\xFF", 1), 2, 0xFF, true},
      {"word", kUnsigned, 2, 0, Bytes("\xFF\x7F", 2), 2, 0x7FFF, true},
      {"unsigned integer", kUnsigned, 4, 0, Bytes("\x05\x00\x00\x00", 4), 4, 5, true},
      {"unsigned largeint", kUnsigned, 8, 0, Bytes("\x05\0\0\0\0\0\0\0", 8), 8, 5, true},
      {"boolean from 1", kLogical, 1, 0, Bytes("\x01", 1), 2, -1, true},
      {"boolean", kLogical, 2, 0, Bytes("\x01\x00", 2), 2, -1, true},
      {"boolean from 4", kLogical, 4, 0, Bytes("\x01\x00\x00\x00", 4), 2, -1, true},
      {"boolean bit", kBit, 1, 3, Bytes("\x08", 1), 2, -1, true},
  };
  constexpr size_t kGuard = 8;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    // Exactly the buffer's size on the heap, so that the address sanitizer sees a byte beyond it.
    std::vector<uint8_t> exact(c.width);
    bool blank = true;
    GetStoredField(c.type, c.size, c.decimals, blank, exact.data(), c.stored.data(), c.size);
    std::vector<uint8_t> guarded(c.width + kGuard, 0xA5);
    GetStoredField(c.type, c.size, c.decimals, blank, guarded.data(), c.stored.data(), c.size);
    EXPECT_EQ(std::vector<uint8_t>(guarded.begin() + static_cast<std::ptrdiff_t>(c.width), guarded.end()),
              std::vector<uint8_t>(kGuard, 0xA5))
        << "the read wrote past the value";
    EXPECT_TRUE(std::equal(exact.begin(), exact.end(), guarded.begin()));
    EXPECT_FALSE(blank);
    int64_t read = 0;
    switch (c.width) {
      case 2: read = c.type == kUnsigned ? int64_t{FromBytes<uint16_t>(exact.data())} : FromBytes<int16_t>(exact.data()); break;
      case 4: read = FromBytes<int32_t>(exact.data()); break;
      default: read = FromBytes<int64_t>(exact.data()); break;
    }
    EXPECT_EQ(read, c.value);
    if (!c.writable) continue;
    Bytes written(c.size, '\0');
    PutStoredField(c.type, c.size, c.decimals, exact.data(), written.data(), c.size);
    EXPECT_EQ(hexText(written), hexText(c.stored));
  }
}

TEST_F(FieldConvertersTest, ZeroIntegersAreBlankUnlessTheyShowAsZero) {
  for (uint16_t type : {kInteger, kAutoIncrement}) {
    bool blank = false;
    EXPECT_EQ(get<int32_t>(type, Bytes(4, '\0'), 0, &blank), 0);
    EXPECT_TRUE(blank) << type;
    ConverterOptions.IntegersShowAsZero = true;
    EXPECT_EQ(get<int32_t>(type, Bytes(4, '\0'), 0, &blank), 0);
    EXPECT_FALSE(blank) << type;
    ConverterOptions.IntegersShowAsZero = false;
  }
}

TEST_F(FieldConvertersTest, EightByteIntegersAndNotesCannotBeWritten) {
  for (uint16_t type : {kInteger, kAutoIncrement, kNote}) {
    SCOPED_TRACE(type);
    const int64_t value = 5;
    EXPECT_EQ(statusOf([&] { put(type, 8, 0, value); }), 2999);
    ConverterOptions.Write = true;
    EXPECT_EQ(put(type, 8, 0, value, Bytes(8, '\x55')), Bytes(8, '\0'));
    ConverterOptions.Write = false;
  }
  EXPECT_EQ(statusOf([&] { put(kInteger, 3, 0, int32_t{1}); }), 2999);
}

TEST_F(FieldConvertersTest, FloatsOfFourEightAndTenBytes) {
  EXPECT_EQ(get<double>(kFloat, put(kFloat, 8, 0, 1.0 / 3)), 1.0 / 3);
  // Four bytes keep seven significant digits and at most four decimals.
  EXPECT_EQ(get<double>(kFloat, put(kFloat, 4, 0, 1.23456789)), static_cast<double>(1.2346f));
  EXPECT_EQ(get<double>(kFloat, put(kFloat, 4, 0, 0.00001)), 0.0);
  EXPECT_EQ(get<double>(kFloat, put(kFloat, 4, 0, 123456789.0)), static_cast<double>(123456800.0f));
  EXPECT_EQ(get<double>(kFloat, put(kFloat, 10, 0, 0.1)), 0.1);
  EXPECT_EQ(get<double>(kFloat, put(kFloat, 10, 0, -2.5e300)), -2.5e300);
  EXPECT_EQ(statusOf([&] { put(kFloat, 4, 0, std::numeric_limits<double>::infinity()); }), 2999);
  EXPECT_EQ(statusOf([&] { put(kFloat, 4, 0, 1e300); }), 2999);
  EXPECT_EQ(statusOf([&] { put(kFloat, 6, 0, 1.0); }), 2999);
}

class FieldConvertersCommaTest : public qn::testing::CommaDecimalLocaleTest {};

TEST_F(FieldConvertersCommaTest, TextFormsKeepTheirPointUnderAnyLocale) {
  Locale().DecimalSeparator = ',';
  Bytes stored(4, '\0');
  double value = 2.5;
  PutStoredField(kFloat, 4, 0, &value, stored.data(), 4);
  float single = 0;
  std::memcpy(&single, stored.data(), 4);
  EXPECT_EQ(single, 2.5f);
  PutStoredField(kTrailingSign, 4, 1, &value, stored.data(), 4);
  EXPECT_EQ(stored, "025+");
  Locale().DecimalSeparator = '.';
}

TEST_F(FieldConvertersTest, DatesAndTimes) {
  bool blank = false;
  EXPECT_EQ(get<int32_t>(kDate, Bytes(4, '\0'), 0, &blank), 0);
  EXPECT_TRUE(blank);
  EXPECT_EQ(get<int32_t>(kTime, Bytes(4, '\0'), 0, &blank), 0);
  EXPECT_TRUE(blank);

  const int32_t day = dayNumber(2026, 12, 10);
  EXPECT_EQ(put(kDate, 4, 0, day), Bytes("\x0A\x0C\xEA\x07", 4));
  EXPECT_EQ(get<int32_t>(kDate, Bytes("\x0A\x0C\xEA\x07", 4), 0, &blank), day);
  EXPECT_FALSE(blank);
  EXPECT_EQ(get<int32_t>(kDate, Bytes("\x01\x01\x01\x00", 4)), 1);  // 1 January 0001 is day 1
  EXPECT_EQ(put(kDate, 4, 0, int32_t{1}), Bytes("\x01\x01\x01\x00", 4));
  const int32_t lastDay = dayNumber(9999, 12, 31);
  EXPECT_EQ(get<int32_t>(kDate, put(kDate, 4, 0, lastDay)), lastDay);
  EXPECT_EQ(get<int32_t>(kDate, Bytes("\x0A\x00\xEA\x07", 4)), 0);
  EXPECT_EQ(put(kDate, 4, 0, int32_t{0}), Bytes(4, '\0'));
  EXPECT_EQ(put(kDate, 4, 0, int32_t{-5}), Bytes(4, '\0'));
  try {
    get<int32_t>(kDate, Bytes("\x1F\x02\xEA\x07", 4));  // 31 February
    ADD_FAILURE() << "31 February read";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "Invalid argument to date encode");
  }

  const int32_t time = 13 * 3600000 + 5 * 60000 + 7 * 1000 + 899;
  EXPECT_EQ(put(kTime, 4, 0, time), Bytes("\x59\x07\x05\x0D", 4));
  EXPECT_EQ(get<int32_t>(kTime, Bytes("\x59\x07\x05\x0D", 4)), time - 9);
  for (const Bytes& impossible : {Bytes("\x00\x00\x00\x18", 4), Bytes("\x00\x00\x3C\x00", 4),
                                  Bytes("\x00\x3C\x00\x00", 4), Bytes("\x64\x00\x00\x00", 4)})
    EXPECT_EQ(get<int32_t>(kTime, impossible), 0) << hexText(impossible);
}

TEST_F(FieldConvertersTest, Timestamps) {
  EXPECT_EQ(get<double>(kTimestamp, Bytes(8, '\0')), 0.0);
  const double moment = dayNumber(2026, 12, 10) * MSecsPerEngineDay + 9 * 3600000.0 + 30 * 60000.0 + 250;
  const Bytes stored = put(kTimestamp, 8, 0, moment);
  EXPECT_EQ(get<double>(kTimestamp, stored), moment);
  // Stored in universal time: local time plus the offset.
  int64_t units = 0;
  std::memcpy(&units, stored.data(), 8);
  EXPECT_EQ(units,
            static_cast<int64_t>(
                ((dayNumber(2026, 12, 10) - 1) * MSecsPerEngineDay + 8 * 3600000.0 + 30 * 60000.0 + 250) * 10000));
}

TEST_F(FieldConvertersTest, NumericTextsWithTheirSigns) {
  EXPECT_EQ(get<double>(kOverpunched, Bytes("123J"), 2), -12.31);
  EXPECT_EQ(get<double>(kNumeric, Bytes("123A"), 2), 12.31);
  EXPECT_EQ(get<double>(kNumeric, Bytes("1234"), 2), 12.34);
  EXPECT_EQ(get<double>(kNumeric, Bytes("123}"), 2), -12.30);
  EXPECT_EQ(put(kOverpunched, 4, 2, 12.30), Bytes("123{"));
  EXPECT_EQ(put(kNumeric, 4, 2, -12.39), Bytes("123R"));
  EXPECT_EQ(put(kTrailingSign, 5, 2, -1.5), Bytes("0150-"));
  EXPECT_EQ(put(kTrailingSign, 5, 2, 1.5), Bytes("0150+"));
  EXPECT_EQ(get<double>(kTrailingSign, Bytes("0150-"), 2), -1.5);
  EXPECT_EQ(get<double>(kTrailingSign, Bytes("0150 "), 2), -1.5);  // only "+" is positive
  EXPECT_EQ(get<double>(kTrailingSign, Bytes("15+"), 2), 0.15);
  EXPECT_EQ(get<double>(kTrailingSign, Bytes("15-"), 3), -0.015);
  EXPECT_EQ(put(kTrailingSign, 4, 2, -0.001), Bytes("000+"));
  EXPECT_EQ(get<double>(kTrailingSign, Bytes(4, '\0'), 2), 0.0);
  EXPECT_EQ(statusOf([&] { put(kTrailingSign, 4, 2, 10.0); }), 2999);
  EXPECT_EQ(statusOf([&] { get<double>(kOverpunched, Bytes("12X"), 0); }), 2999);
}

TEST_F(FieldConvertersTest, BasicFloatsRoundTrip) {
  for (double value : {1.0, -1.0, 0.5, 1234.5, -0.15625, 3.0e30}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(get<double>(kBasicFloat, put(kBasicFloat, 8, 0, value)), value);
    EXPECT_EQ(get<double>(kBasicFloat, put(kBasicFloat, 4, 0, value)), static_cast<double>(static_cast<float>(value)));
  }
  // 1.0: exponent byte 129, no mantissa bits.
  EXPECT_EQ(hexText(put(kBasicFloat, 4, 0, 1.0)), "00 00 00 81");
  EXPECT_EQ(hexText(put(kBasicFloat, 4, 0, -1.0)), "00 00 80 81");
  EXPECT_EQ(put(kBasicFloat, 4, 0, 0.0), Bytes(4, '\0'));
  EXPECT_EQ(get<double>(kBasicFloat, Bytes(8, '\0')), 0.0);
  EXPECT_EQ(statusOf([&] { put(kBasicFloat, 6, 0, 1.0); }), 2999);
  EXPECT_EQ(statusOf([&] { get<double>(kBasicFloat, Bytes(6, '\x01')); }), 2999);
}

TEST_F(FieldConvertersTest, LogicalsBitsBytesUnsignedAndCurrency) {
  EXPECT_EQ(get<int16_t>(kLogical, Bytes("\x00\x02", 2)), -1);
  EXPECT_EQ(get<int16_t>(kLogical, Bytes(2, '\0')), 0);
  EXPECT_EQ(put(kLogical, 4, 0, int16_t{7}), Bytes("\x01\x00\x00\x00", 4));
  EXPECT_EQ(put(kLogical, 2, 0, int16_t{0}, Bytes("\x55\x55", 2)), Bytes(2, '\0'));

  // Bit 3 of the first byte, and nothing else.
  EXPECT_EQ(put(kBit, 1, 3, int16_t{1}, Bytes("\xA1", 1)), Bytes("\xA9", 1));
  EXPECT_EQ(put(kBit, 1, 3, int16_t{0}, Bytes("\xFF", 1)), Bytes("\xF7", 1));
  EXPECT_EQ(put(kBit, 1, 9, int16_t{1}, Bytes("\x12", 1)), Bytes("\x12", 1));
  EXPECT_EQ(get<int16_t>(kBit, Bytes("\x08", 1), 3), -1);
  EXPECT_EQ(get<int16_t>(kBit, Bytes("\xF7", 1), 3), 0);
  EXPECT_EQ(get<int16_t>(kBit, Bytes("\xFF", 1), 8), 0);

  EXPECT_EQ(put(kBytes, 3, 0, std::array<char, 3>{'a', '\0', 'b'}), Bytes("a\0b", 3));
  EXPECT_EQ(get<uint16_t>(kUnsigned, Bytes("\xFF", 1)), 255);
  EXPECT_EQ(put(kUnsigned, 6, 0, std::array<uint8_t, 6>{1, 2, 3, 4, 5, 6}), Bytes("\x01\x02\x03\x04\x05\x06", 6));
  EXPECT_EQ(statusOf([&] { get<uint64_t>(kUnsigned, Bytes(3, '\x01')); }), 2999);

  EXPECT_EQ(get<double>(kCurrency, put(kCurrency, 8, 0, -12.3456)), -12.3456);
  EXPECT_EQ(get<double>(kCurrency, Bytes("\x10\x27\x00\x00\x00\x00\x00\x00", 8)), 1.0);
}

TEST_F(FieldConvertersTest, TenByteDecimalFloats) {
  constexpr uint16_t kDecimalFloat = 238;
  EXPECT_EQ(hexText(put(kDecimalFloat, 10, 0, 1.0)), "40 00 00 00 00 00 00 00 00 10");
  EXPECT_EQ(hexText(put(kDecimalFloat, 10, 0, -250.0)), "C2 00 00 00 00 00 00 00 00 25");
  EXPECT_EQ(get<double>(kDecimalFloat, Bytes(10, '\0')), 0.0);
  for (double value : {1.0, -250.0, 0.1, 123456.789, -9.5e-10, 1e50})
    EXPECT_DOUBLE_EQ(get<double>(kDecimalFloat, put(kDecimalFloat, 10, 0, value)), value) << value;
  EXPECT_EQ(put(kDecimalFloat, 10, 0, 1e-17), Bytes(10, '\0'));
  EXPECT_EQ(statusOf([&] { get<double>(kDecimalFloat, Bytes("\x40\x00\x00\x00\x00\x00\x00\x00\x00\xA0", 10)); }), 2999);
  EXPECT_EQ(statusOf([&] { put(kDecimalFloat, 10, 0, 1e100); }), 2999);
}

TEST_F(FieldConvertersTest, EightByteDateTimes) {
  constexpr uint16_t kDateTime = 253;
  bool blank = false;
  get<double>(kDateTime, Bytes(8, '\0'), 0, &blank);
  EXPECT_TRUE(blank);
  const double noon = dayNumber(2026, 12, 10) * MSecsPerEngineDay + 12 * 3600000.0;
  const Bytes stored = put(kDateTime, 8, 0, noon);
  double dateTime = 0;
  std::memcpy(&dateTime, stored.data(), 8);
  EXPECT_EQ(dateTime, EncodeDate(2026, 12, 10) + 0.5);
  EXPECT_EQ(get<double>(kDateTime, stored), noon);
  // Before 30 December 1899 the time of day still adds.
  const double early = dayNumber(1899, 12, 29) * MSecsPerEngineDay + 6 * 3600000.0;
  std::memcpy(&dateTime, put(kDateTime, 8, 0, early).data(), 8);
  EXPECT_EQ(dateTime, -1.25);
}

TEST_F(FieldConvertersTest, SixByteReals) {
  constexpr uint16_t kReal = 255;
  EXPECT_EQ(hexText(put(kReal, 6, 0, 1.0)), "81 00 00 00 00 00");
  EXPECT_EQ(hexText(put(kReal, 6, 0, -1.5)), "81 00 00 00 00 C0");
  EXPECT_EQ(get<double>(kReal, Bytes(6, '\0')), 0.0);
  for (double value : {1.0, -1.5, 0.1, 1234567.125, -3.0e-30, 1.0e38})
    EXPECT_NEAR(get<double>(kReal, put(kReal, 6, 0, value)), value, std::fabs(value) * 1e-11) << value;
  EXPECT_EQ(put(kReal, 6, 0, 1e-45), Bytes(6, '\0'));
  EXPECT_THROW(put(kReal, 6, 0, 1e39), EOverflow);
  EXPECT_EQ(statusOf([&] { put(kReal, 6, 0, std::nan("")); }), 2999);
}

TEST_F(FieldConvertersTest, TypesWithoutAConversionLeaveValueAndFieldAlone) {
  for (uint16_t type : {248, 249, 250, 251, 252, 21, 100}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(put(type, 4, 0, 1.5, Bytes(4, '\x55')), Bytes(4, '\0'));
    double value = 1.5;
    bool blank = true;
    const Bytes stored("\x01\x02\x03\x04", 4);
    GetStoredField(type, 4, 0, blank, &value, stored.data(), 4);
    EXPECT_EQ(value, 1.5);
    EXPECT_FALSE(blank);
  }
}

TEST_F(FieldConvertersTest, OverpunchedExtendedTypeIsConvertedHere) {
  EXPECT_EQ(get<double>(232, Bytes("123J"), 2), -12.31);
  EXPECT_EQ(put(232, 4, 2, 12.30), Bytes("123{"));
  EXPECT_EQ(get<double>(232, Bytes(4, '\0'), 2), 0.0);
}

}  // namespace
