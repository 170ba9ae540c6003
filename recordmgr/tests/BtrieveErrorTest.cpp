#include <gtest/gtest.h>

#include "recordmgr/BtrieveError.h"

namespace {

struct StatusCode {
  int status;
  uint16_t code;
};

const StatusCode kPairs[] = {
    {0, 0},         {1, 0x2702},    {2, 0x2401},    {3, 0x2401},    {4, 0x2206},    {5, 0x2A10},
    {6, 0x270D},    {7, 0x2726},    {8, 0x2205},    {9, 0x2202},    {10, 0x2601},   {11, 0x2703},
    {12, 0x2704},   {13, 0x2708},   {14, 0x2708},   {15, 0x2401},   {16, 0x2402},   {17, 0x2732},
    {18, 0x2503},   {19, 0x2103},   {20, 0x2A06},   {35, 0x2722},   {42, 0x280C},   {47, 0x2502},
    {51, 0x271F},   {66, 0x2511},   {78, 0x280F},   {80, 0x2803},   {81, 0x2801},   {82, 0x2205},
    {84, 0x2801},   {85, 0x2803},   {86, 0x250B},   {87, 0x2506},   {88, 0x2731},   {91, 0x2B66},
    {101, 0x2501},  {130, 0x2517},  {133, 0x2729},  {204, 0x2728},  {205, 0x271F},  {206, 0x2506},
    {209, 0x2734},  {211, 0x2505},  {231, 0x2713},  {285, 0x2A0E},  {348, 0x271E},  {538, 0x2727},
    {2120, 0x250E},
    {-101, 0}, {-102, 0}, {-103, 0}, {-104, 0}, {-105, 0}, {-106, 0}, {-107, 0},
    {-110, 0}, {-111, 0}, {-112, 0}, {-113, 0}, {-114, 0}, {-115, 0}, {-116, 0},
    {-109, 0x2202},
    // Not in the list: the status is its own code.
    {46, 46},       {170, 170},     {-108, static_cast<uint16_t>(-108)},     {1016, 1016},
};

TEST(BtrieveErrorTest, StatusToEngineCode) {
  for (const StatusCode& pair : kPairs) EXPECT_EQ(BtrieveStatusToEngineCode(pair.status), pair.code) << pair.status;
}

TEST(BtrieveErrorTest, EndOfFileRaisesTheEngineEndOfFileError) {
  try {
    RaiseBtrieveError(9);
    FAIL();
  } catch (const EBtrieveEngineError&) {
    FAIL() << "status 9 is the end of the file, not a record-manager error";
  } catch (const EKorvoEOFError& error) {
    EXPECT_EQ(error.ErrorCode(), 8706);
  }
  EXPECT_THROW(RaiseBtrieveErrorWithKey(9, "KEY"), EKorvoEOFError);
}

TEST(BtrieveErrorTest, OtherStatusesRaiseTheRecordManagerError) {
  try {
    RaiseBtrieveError(10);
    FAIL();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 10);
    EXPECT_EQ(error.NativeStatus(), 10);
    EXPECT_EQ(error.ErrorCode(), 0x2601);
    EXPECT_EQ(error.KeyText(), "");
    EXPECT_TRUE(error.InheritsFrom("EKorvoEngineError"));
  }
  try {
    RaiseBtrieveErrorWithKey(46, "PAYMENTS.DAT");
    FAIL();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), 46);
    EXPECT_EQ(error.KeyText(), "PAYMENTS.DAT");
  }
}

struct MessageCase {
  int status;
  const char* keyText;
  const char* message;
};

const MessageCase kMessages[] = {
    {12, "", "Btrieve Status 12 - The MicroKernel cannot find the specified file."},
    {12, "C:\\QN\\YCASE.QF", "Btrieve Status 12 - The MicroKernel cannot find the specified file.\r\nKey=[C:\\QN\\YCASE.QF]"},
    {84, "", "Btrieve Status 84 - The record or page is locked."},
    {170, "", "Btrieve Error 170."},
    {170, "ignored", "Btrieve Error 170."},
    {2999, "", "Btrieve Error 2999."},
    {9000, "", "Btrieve Error 9000."},  // string 14000 is an engine error name, not a status text
    {-1, "", "Btrieve Error -1."},
};

TEST(BtrieveErrorTest, MessageTexts) {
  for (const MessageCase& c : kMessages)
    EXPECT_EQ(EBtrieveEngineError(c.status, c.keyText).GetErrorText(), c.message) << c.status;
}

TEST(BtrieveErrorTest, MessageIsCutAt255Characters) {
  const AnsiString key(250, 'K');
  EBtrieveEngineError error(4, key);
  EXPECT_EQ(error.KeyText(), key);
  const AnsiString text = error.GetErrorText();
  const AnsiString head = "Btrieve Status 4 - The application cannot find the key value.\r\nKey=[";
  EXPECT_EQ(text, (head + key).substr(0, 255));
  EXPECT_EQ(EBtrieveEngineError(4, AnsiString(300, 'K')).KeyText().size(), 255u);
}

TEST(BtrieveErrorTest, QuotedStatusTexts) {
  const std::pair<int, const char*> texts[] = {
      {3, "The file is not open"},
      {4, "The application cannot find the key value"},
      {5, "The record has a key field containing a duplicate key value"},
      {9, "The operation encountered the end-of-file"},
      {12, "The MicroKernel cannot find the specified file"},
      {20, "The MicroKernel or Btrieve Requester is inactive"},
      {22, "The data buffer parameter is too short"},
      {44, "The specified key path is invalid"},
      {84, "The record or page is locked"},
      {85, "The file is locked"},
      {204, "The table is not defined in the dictionary"},
      {1016, "The MicroKernel is already initialized"},
  };
  for (const auto& [status, text] : texts) EXPECT_EQ(BtrieveStatusText(status), text) << status;
}

TEST(BtrieveErrorTest, EveryStatusTheRecordManagerAnswersHasAText) {
  const int answered[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                          21, 22, 24, 29, 30, 35, 37, 39, 41, 42, 43, 44, 46, 47, 51, 59, 66, 78, 80, 81,
                          82, 84, 85, 86, 87, 88, 101, 130, 133, 204, 1016};
  for (int status : answered) EXPECT_FALSE(BtrieveStatusText(status).empty()) << status;
  EXPECT_EQ(BtrieveStatusText(170), "");
  EXPECT_EQ(BtrieveStatusText(0), "");
}

}  // namespace

namespace {

TEST(BtrieveErrorTest, DescriptionForReportsLeavesTheMessageEmpty) {
  EBtrieveEngineError error(3);
  EXPECT_EQ(error.Message(), "");
  EXPECT_STREQ(error.what(), "Btrieve Status 3 - The file is not open.");
  EXPECT_STREQ(EKorvoEOFError().what(), "DBIERR_EOF");
}

}  // namespace
