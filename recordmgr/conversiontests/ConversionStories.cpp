// Stories of the converters with a conversion library loaded, each meant to run in a process of
// its own started with LD_LIBRARY_PATH naming the folder of one test library (the library is
// loaded once per process). The recordmgr tests start them; run alone they find no library.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/base/DateTime.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/ConversionFunctions.h"
#include "recordmgr/ConverterOptions.h"
#include "recordmgr/FieldConverters.h"
#include "recordmgr/StoredDateTime.h"
#include "recordmgr/conversiontests/ConversionLog.h"

namespace {

using conversiontest::calledNames;
using conversiontest::clearCalls;
using conversiontest::failNext;
using qn::ui::testing::ScriptedMessageBoxes;
using Names = std::vector<std::string>;

constexpr uint16_t kYmdDate = 242;
constexpr uint16_t kTasProTime = 236;
constexpr uint16_t kUDecimal = 247;

int32_t dayNumber(int year, int month, int day) {
  return static_cast<int32_t>(EncodeDate(year, month, day)) + DayNumberOfFirstDateTime;
}

// The status a read raises; 0 when it raises nothing.
template <typename Call>
int raisedStatus(Call call) {
  try {
    call();
  } catch (const EBtrieveEngineError& error) {
    return error.BtrieveStatus();
  }
  return 0;
}

TEST(Korvoc32Story, IsLoadedOnceWithEveryEntryPointAndNoMessage) {
  ScriptedMessageBoxes boxes;  // any box fails the story
  ASSERT_TRUE(ConverterAvailable());
  TConversionFunctions* functions = ConversionFunctions();
  EXPECT_GT(functions->Handle, TConversionFunctions::NotLoaded);
  EXPECT_EQ(ConversionFunctions(), functions);
  EXPECT_NE(functions->Set_YMD, nullptr);
  EXPECT_NE(functions->Get_BtrieveDate, nullptr);
  EXPECT_FALSE(Application->Terminated());
}

TEST(Korvoc32Story, DateReadGoesFromTheLibraryFormThroughTheFourByteDate) {
  ASSERT_TRUE(ConverterAvailable());
  clearCalls();
  const uint8_t stored[4] = {0xEA, 0x07, 12, 10};  // 10 December 2026 in the library's form
  bool blank = true;
  int32_t value = 0;
  GetStoredField(kYmdDate, 4, 0, blank, &value, stored, 4);
  EXPECT_EQ(calledNames(), (Names{"Get_YMD", "Set_BtrieveDate"}));
  EXPECT_FALSE(blank);
  EXPECT_EQ(value, dayNumber(2026, 12, 10));
}

TEST(Korvoc32Story, DateWriteTakesTheExportNamedForTheTimeIntoTheDateSlot) {
  ASSERT_TRUE(ConverterAvailable());
  clearCalls();
  uint8_t stored[4] = {};
  const int32_t value = dayNumber(2026, 12, 10);
  PutStoredField(kYmdDate, 4, 0, &value, stored, 4);
  EXPECT_EQ(calledNames(), (Names{"Get_BtrieveTime", "Set_YMD"}));
}

TEST(Korvoc32Story, TimeWriteTakesTheExportNamedForTheDateIntoTheTimeSlot) {
  ASSERT_TRUE(ConverterAvailable());
  clearCalls();
  uint8_t stored[4] = {};
  const int32_t value = 9 * 3600000 + 30 * 60000;
  PutStoredField(kTasProTime, 4, 0, &value, stored, 4);
  EXPECT_EQ(calledNames(), (Names{"Get_BtrieveDate", "Set_TasProTime"}));
}

TEST(Korvoc32Story, BlankDateReadsBlankWithoutACall) {
  ASSERT_TRUE(ConverterAvailable());
  clearCalls();
  const uint8_t stored[4] = {};
  bool blank = false;
  int32_t value = 7;
  GetStoredField(kYmdDate, 4, 0, blank, &value, stored, 4);
  EXPECT_TRUE(blank);
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(calledNames().empty());
}

TEST(Korvoc32Story, AnEntryPointAnsweringNonZeroIsAConversionFailure) {
  ASSERT_TRUE(ConverterAvailable());
  const uint8_t date[4] = {0xEA, 0x07, 12, 10};
  const uint8_t number[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  bool blank = false;
  int32_t day = 0;
  double value = 12.5;

  failNext("Get_YMD");
  EXPECT_EQ(raisedStatus([&] { GetStoredField(kYmdDate, 4, 0, blank, &day, date, 4); }), 2999);
  failNext("Get_UDecimal");
  EXPECT_EQ(raisedStatus([&] { GetStoredField(kUDecimal, 8, 2, blank, &value, number, 8); }), 2999);
  uint8_t stored[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  failNext("Set_UDecimal");
  EXPECT_EQ(raisedStatus([&] { PutStoredField(kUDecimal, 8, 2, &value, stored, 8); }), 2999);

  // With the Read option the value comes back cleared; with Write the field stays cleared.
  ConverterOptions.Read = true;
  ConverterOptions.Write = true;
  failNext("Get_UDecimal");
  GetStoredField(kUDecimal, 8, 2, blank, &value, number, 8);
  EXPECT_EQ(value, 0.0);
  failNext("Set_UDecimal");
  PutStoredField(kUDecimal, 8, 2, &value, stored, 8);
  EXPECT_EQ(std::vector<uint8_t>(stored, stored + 8), std::vector<uint8_t>(8, 0));
  ConverterOptions = TConverterOptions();
}

// One story: the library reports what it lacks only when it loads, once per process.
TEST(S2dtconvStory, IsTheSecondChoiceAndReportsItsMissingEntryPointOnce) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Error Loading Dynamic Function Set_YMD from s2dtconv.dll");
  ASSERT_TRUE(ConverterAvailable());
  EXPECT_TRUE(Application->Terminated());
  TConversionFunctions* functions = ConversionFunctions();
  EXPECT_EQ(functions->Set_YMD, nullptr);
  // Resolving went on: the other 31 are there.
  const void* others[] = {reinterpret_cast<const void*>(functions->Get_LongYMD),
                          reinterpret_cast<const void*>(functions->Set_LongDate),
                          reinterpret_cast<const void*>(functions->Get_Binary),
                          reinterpret_cast<const void*>(functions->Set_Binary),
                          reinterpret_cast<const void*>(functions->Get_MagicDate),
                          reinterpret_cast<const void*>(functions->Set_MagicDate),
                          reinterpret_cast<const void*>(functions->Get_Ctime),
                          reinterpret_cast<const void*>(functions->Set_Ctime),
                          reinterpret_cast<const void*>(functions->Get_MagicNum100),
                          reinterpret_cast<const void*>(functions->Set_MagicNum100),
                          reinterpret_cast<const void*>(functions->Get_TasProTime),
                          reinterpret_cast<const void*>(functions->Set_TasProTime),
                          reinterpret_cast<const void*>(functions->Get_TasProNum),
                          reinterpret_cast<const void*>(functions->Set_TasProNum),
                          reinterpret_cast<const void*>(functions->Get_MagicTime),
                          reinterpret_cast<const void*>(functions->Set_MagicTime),
                          reinterpret_cast<const void*>(functions->Get_YMD),
                          reinterpret_cast<const void*>(functions->Get_YYMMDD),
                          reinterpret_cast<const void*>(functions->Set_YYMMDD),
                          reinterpret_cast<const void*>(functions->Get_YYYYMMDD),
                          reinterpret_cast<const void*>(functions->Set_YYYYMMDD),
                          reinterpret_cast<const void*>(functions->Get_TasProDate),
                          reinterpret_cast<const void*>(functions->Set_TasProDate),
                          reinterpret_cast<const void*>(functions->Get_UDecimal),
                          reinterpret_cast<const void*>(functions->Set_UDecimal),
                          reinterpret_cast<const void*>(functions->Get_VBCurrency),
                          reinterpret_cast<const void*>(functions->Set_VBCurrency),
                          reinterpret_cast<const void*>(functions->Get_BtrieveDate),
                          reinterpret_cast<const void*>(functions->Set_BtrieveDate),
                          reinterpret_cast<const void*>(functions->Get_BtrieveTime),
                          reinterpret_cast<const void*>(functions->Set_BtrieveTime)};
  for (const void* entry : others) EXPECT_NE(entry, nullptr);
  // No second attempt, so no second message.
  EXPECT_TRUE(ConverterAvailable());
  EXPECT_EQ(boxes.shown().size(), 1u);

  // Until the program ends, a conversion needing the missing entry point fails instead of
  // calling it.
  uint8_t stored[4] = {1, 2, 3, 4};
  const int32_t value = dayNumber(2026, 12, 10);
  EXPECT_EQ(raisedStatus([&] { PutStoredField(kYmdDate, 4, 0, &value, stored, 4); }), 2999);
  EXPECT_EQ(std::vector<uint8_t>(stored, stored + 4), std::vector<uint8_t>(4, 0));
}

}  // namespace
