// The engine facade: one status convention at every entry, the error stack and its texts,
// current objects, database names and the format records, over the counting driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "platform/os/ProfileFunctions.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineErrorNames.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/CountingCursor.h"
#include "recordmgr/tests/KeyedCursor.h"
#include "recordmgr/tests/TestSession.h"

namespace cursortest {
namespace {

using sessiontest::TestSession;

// A record-manager lock conflict with its native status, text and context lines.
class LockedError : public EKorvoEngineError {
 public:
  explicit LockedError(const AnsiString& context) : EKorvoEngineError(10241, context) { SetNativeStatus(84); }
  AnsiString GetErrorText() const override { return "Btrieve Status 84 - The record or page is locked."; }
};

// The counting cursor whose first move raises whatever Raise raises.
class RaisingCursor : public CountingCursor {
 public:
  RaisingCursor() : CountingCursor(3, 0) {}
  std::function<void()> Raise;
  void MoveFirst() override {
    if (Raise) Raise();
    CountingCursor::MoveFirst();
  }
};

class VirtEngTest : public ::testing::Test {
 protected:
  VirtEngTest() : engine(&CreateSession<TestSession>, nullptr, nullptr, nullptr) {}

  template <class Cursor, class... Args>
  Cursor& open(Args&&... args) {
    auto* cursor = CreateCursor<Cursor>(std::forward<Args>(args)...);
    cursors_.emplace_back(cursor);
    cursor->Activate();
    return *cursor;
  }

  // Code, native status and text of stack entry index.
  std::tuple<uint16_t, int32_t, AnsiString> entry(uint16_t index) {
    int32_t native = -1;
    AnsiString text = "untouched";
    const uint16_t code = engine.GetErrorEntry(index, native, text);
    return {code, native, text};
  }

  uint8_t record[64] = {};
  TVirtEng engine;

 private:
  std::vector<std::unique_ptr<TBaseTable>> cursors_;
};

// --- Statuses ---

TEST_F(VirtEngTest, ReadingPastEitherEndAnswersTheEndItMet) {
  CountingCursor& full = open<CountingCursor>(2, 0u);
  EXPECT_EQ(engine.GetNextRecord(&full, 0, record, nullptr), 0);
  EXPECT_EQ(IdOf(record), 10);
  EXPECT_EQ(engine.GetNextRecord(&full, 0, record, nullptr), 0);
  EXPECT_EQ(engine.GetNextRecord(&full, 0, record, nullptr), DBIERR_EOF);
  EXPECT_EQ(engine.SetToBegin(&full), 0);
  EXPECT_EQ(engine.GetPriorRecord(&full, 0, record, nullptr), DBIERR_BOF);
}

TEST_F(VirtEngTest, PriorRecordOfAnEmptyRangeIsTheBeginningNeverTheEnd) {
  CountingCursor& empty = open<CountingCursor>(0, 0u);
  EXPECT_EQ(engine.GetPriorRecord(&empty, 0, record, nullptr), DBIERR_BOF);

  struct Range {
    int32_t low;
    int32_t high;
  };
  for (const Range range : {Range{1, 5}, Range{100, 200}, Range{21, 29}}) {
    SCOPED_TRACE(range.low);
    KeyedCursor& keyed = open<KeyedCursor>(3, 1);
    const std::vector<uint8_t> low = KeyOf(range.low);
    const std::vector<uint8_t> high = KeyOf(range.high);
    ASSERT_EQ(engine.SetRange(&keyed, true, 1, 0, low.data(), true, 1, 0, high.data(), true), 0);
    EXPECT_EQ(engine.GetPriorRecord(&keyed, 0, record, nullptr), DBIERR_BOF);
    EXPECT_EQ(engine.SetToEnd(&keyed), 0);
    EXPECT_EQ(engine.GetPriorRecord(&keyed, 0, record, nullptr), DBIERR_BOF);
    EXPECT_EQ(engine.ResetRange(&keyed), 0);
    EXPECT_EQ(engine.SetToEnd(&keyed), 0);
    EXPECT_EQ(engine.GetPriorRecord(&keyed, 0, record, nullptr), 0);
    EXPECT_EQ(IdOf(record), 30);
  }
}

TEST_F(VirtEngTest, TheStackHoldsOnlyTheLatestFailure) {
  CountingCursor& cursor = open<CountingCursor>(3, 0u);
  cursor.Failures["first"] = [](int) { return true; };
  EXPECT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), InjectedErrorCode);
  EXPECT_EQ(std::get<0>(entry(1)), InjectedErrorCode);
  EXPECT_EQ(entry(2), std::make_tuple(uint16_t{0}, int32_t{-1}, AnsiString("untouched")));

  EXPECT_EQ(engine.GetNextRecord(nullptr, 0, record, nullptr), DBIERR_INVALIDHNDL);
  EXPECT_EQ(std::get<0>(entry(1)), DBIERR_INVALIDHNDL);
  EXPECT_EQ(std::get<0>(entry(2)), 0);

  // A success leaves the stack alone.
  cursor.Failures.clear();
  EXPECT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), 0);
  EXPECT_EQ(std::get<0>(entry(1)), DBIERR_INVALIDHNDL);
}

TEST_F(VirtEngTest, ExceptionsOtherThanEngineErrorsLeaveTheFacadeAsTheyAreAndTheStackAlone) {
  RaisingCursor& cursor = open<RaisingCursor>();
  EXPECT_EQ(engine.GetNextRecord(nullptr, 0, record, nullptr), DBIERR_INVALIDHNDL);

  cursor.Raise = [] { throw std::bad_alloc(); };
  EXPECT_THROW(engine.GetNextRecord(&cursor, 0, record, nullptr), std::bad_alloc);
  cursor.SetToBegin();
  cursor.Raise = [] { throw EAbort("Stopped by the filter"); };
  try {
    engine.GetNextRecord(&cursor, 0, record, nullptr);
    ADD_FAILURE() << "the abort did not pass";
  } catch (const EKorvoEngineError&) {
    ADD_FAILURE() << "an abort became an engine error";
  } catch (const EAbort& abort) {
    EXPECT_EQ(abort.Message(), "Stopped by the filter");
  }
  EXPECT_EQ(std::get<0>(entry(1)), DBIERR_INVALIDHNDL);
  EXPECT_EQ(std::get<0>(entry(2)), 0);
}

TEST_F(VirtEngTest, ANilHandleGivesInvalidHandleAndANilObjectInvalidParameterWithoutAnEntry) {
  TBaseTable* clone = nullptr;
  uint32_t count = 0;
  bool blank = false;
  const std::vector<std::pair<const char*, std::function<uint16_t()>>> calls = {
      {"GetNextRecord", [&] { return engine.GetNextRecord(nullptr, 0, record, nullptr); }},
      {"GetRecord", [&] { return engine.GetRecord(nullptr, 0, record, nullptr); }},
      {"CloneCursor", [&] { return engine.CloneCursor(nullptr, false, false, clone); }},
      {"GetBookmark", [&] { return engine.GetBookmark(nullptr, record); }},
      {"SetToBegin", [&] { return engine.SetToBegin(nullptr); }},
      {"SetToEnd", [&] { return engine.SetToEnd(nullptr); }},
      {"CloseCursor", [&] { return engine.CloseCursor(nullptr); }},
      {"GetRecordCount", [&] { return engine.GetRecordCount(nullptr, count); }},
      {"GetField", [&] { return engine.GetField(nullptr, 1, record, nullptr, blank); }},
      {"SetCurrentSession", [&] { return engine.SetCurrentSession(nullptr); }},
      {"CloseSession", [&] { return engine.CloseSession(nullptr); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    EXPECT_EQ(call(), DBIERR_INVALIDHNDL);
    EXPECT_EQ(std::get<0>(entry(1)), DBIERR_INVALIDHNDL);
  }

  CountingCursor& cursor = open<CountingCursor>(1, 0u);
  cursor.Failures["first"] = [](int) { return true; };
  ASSERT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), InjectedErrorCode);
  uint16_t length = 7;
  EXPECT_EQ(engine.GetProperty(nullptr, 0, record, sizeof record, length), DBIERR_INVALIDPARAM);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(engine.SetProperty(nullptr, 0, 1), DBIERR_INVALIDPARAM);
  EXPECT_EQ(std::get<0>(entry(1)), InjectedErrorCode);
}

TEST_F(VirtEngTest, SetToBeginAndEndAnswerZeroAndLetErrorsPass) {
  struct RefusingCursor : CountingCursor {
    RefusingCursor() : CountingCursor(1, 0) {}
    void SetToEnd() override { RaiseEngineError(InjectedErrorCode); }
  };
  RefusingCursor& cursor = open<RefusingCursor>();
  EXPECT_EQ(engine.SetToBegin(&cursor), 0);
  EXPECT_EQ(cursor.State(), csAtBeginning);
  EXPECT_THROW(engine.SetToEnd(&cursor), EKorvoEngineError);
}

TEST_F(VirtEngTest, CallsThatMakeACursorCurrentDoAndClosingForgetsIt) {
  CountingCursor& first = open<CountingCursor>(2, 0u);
  EXPECT_EQ(engine.GetNextRecord(&first, 0, record, nullptr), 0);
  EXPECT_EQ(engine.CurrentCursor(), nullptr) << "reading makes nothing current";
  uint8_t bookmark[256] = {};
  EXPECT_EQ(engine.GetBookmark(&first, bookmark), 0);
  EXPECT_EQ(engine.CurrentCursor(), &first);

  auto* closing = CreateCursor<CountingCursor>(1, 0u);
  closing->Activate();
  ASSERT_EQ(engine.SetToBookmark(closing, bookmark), 0);
  EXPECT_EQ(engine.CurrentCursor(), closing);
  EXPECT_EQ(engine.CloseCursor(closing), 0);
  EXPECT_EQ(engine.CurrentCursor(), nullptr);
}

// --- Error texts ---

TEST_F(VirtEngTest, AnEntryComposesItsNativeTextCodeNameAndContextLines) {
  RaisingCursor& cursor = open<RaisingCursor>();
  const AnsiString line1(128, 'a');
  const AnsiString line2 = "Table: CASES";
  cursor.Raise = [&] { throw LockedError(line1 + line2); };
  ASSERT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), 10241);
  const auto [code, native, text] = entry(1);
  EXPECT_EQ(code, 10241);
  EXPECT_EQ(native, 84);
  const AnsiString expected = "Btrieve Status 84 - The record or page is locked.\r\nDBI Error Code = " +
                              GetEngineErrorName(10241, 255) + "\r\n" + line1 + "\r\n" + line2;
  EXPECT_EQ(text, expected.substr(0, 260));
  EXPECT_EQ(text.size(), std::min<size_t>(expected.size(), 260));
}

TEST_F(VirtEngTest, ComposedTextsAreCutAt260AndEmptyPartsLeaveNoLine) {
  RaisingCursor& cursor = open<RaisingCursor>();
  cursor.Raise = [&] { throw LockedError(AnsiString(250, 'c')); };
  ASSERT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), 10241);
  const AnsiString text = std::get<2>(entry(1));
  EXPECT_EQ(text.size(), 260u);
  EXPECT_EQ(text.substr(text.size() - 4), "cccc");

  cursor.SetToBegin();
  cursor.Raise = [] { throw EKorvoEngineError(8709); };  // no native status, no context
  ASSERT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), 8709);
  EXPECT_EQ(std::get<2>(entry(1)), "DBI Error Code = " + GetEngineErrorName(8709, 255));
}

TEST_F(VirtEngTest, GetErrorTextFindsACodeOnTheStackOrAnswersTheCodeWithAnEmptyText) {
  CountingCursor& cursor = open<CountingCursor>(1, 0u);
  cursor.Failures["first"] = [](int) { return true; };
  ASSERT_EQ(engine.GetNextRecord(&cursor, 0, record, nullptr), InjectedErrorCode);
  AnsiString text = "untouched";
  EXPECT_EQ(engine.GetErrorText(DBIERR_EOF, text), DBIERR_EOF);
  EXPECT_EQ(text, "");
  EXPECT_EQ(engine.GetErrorText(InjectedErrorCode, text), 0);
  EXPECT_EQ(text, std::get<2>(entry(1)));
  EXPECT_EQ(engine.GetErrorText(InjectedErrorCode), text);
}

TEST_F(VirtEngTest, ADatabaseErrorRaisedOverTheFacadeCarriesItsTextsEachLineOnce) {
  RaisingCursor& cursor = open<RaisingCursor>();
  cursor.Raise = [&] { throw LockedError("Table: CASES"); };
  const uint16_t status = engine.GetNextRecord(&cursor, 0, record, nullptr);
  try {
    CheckEngineStatus(engine, status);
    ADD_FAILURE() << "no database error";
  } catch (const ETDBEngineError& error) {
    // The code's text and the entry's text are the same lines: the message has them once.
    EXPECT_EQ(error.Message(), std::get<2>(entry(1)));
    ASSERT_EQ(error.ErrorCount(), 2);
    EXPECT_EQ(error.Errors(1).ErrorCode, 10241);
    EXPECT_EQ(error.Errors(1).NativeError, 84);
  }
}

// --- Sessions and properties ---

TEST_F(VirtEngTest, TheFirstSessionStartsWithTheFacadeAndClosingFallsBackToTheFirstLeft) {
  EXPECT_EQ(engine.StartStatus(), 0);
  EXPECT_EQ(engine.CurrentDatabase(), &engine);
  TBaseSession* first = nullptr;
  EXPECT_EQ(engine.GetCurrentSession(first), 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(static_cast<TestSession*>(first)->Starts, 1);
  EXPECT_EQ(first->Owner(), &engine);

  TBaseSession* second = nullptr;
  ASSERT_EQ(engine.StartSession("/srv/private", "Second", second), 0);
  EXPECT_EQ(engine.CurrentSession(), second);
  EXPECT_STREQ(second->PrivateDirectory(), "/srv/private");
  EXPECT_EQ(engine.SetPrivateDirectory("/srv/other"), 0);
  EXPECT_STREQ(second->PrivateDirectory(), "/srv/other");
  EXPECT_EQ(engine.SetCurrentSession(first), 0);
  EXPECT_EQ(engine.CloseSession(second), 0);
  EXPECT_EQ(engine.CurrentSession(), first);
  EXPECT_EQ(engine.CloseSession(first), 0);
  EXPECT_EQ(engine.CurrentSession(), nullptr);
  EXPECT_EQ(engine.SetPrivateDirectory("/srv/none"), 0);
  EXPECT_EQ(engine.AddAlias("QN", "", "PATH:\"/srv\"", false), DBIERR_INVALIDHNDL);
}

TEST_F(VirtEngTest, AFailedStartLeavesNoSessionAndKeepsItsStatus) {
  struct FailingSession : TestSession {
    using TestSession::TestSession;
    void DoStart() override { RaiseEngineError(DBIERR_NOTINITIALIZED); }
  };
  TVirtEng failing(&CreateSession<FailingSession>, nullptr, nullptr, nullptr);
  EXPECT_EQ(failing.StartStatus(), DBIERR_NOTINITIALIZED);
  EXPECT_EQ(failing.CurrentSession(), nullptr);
  EXPECT_EQ(failing.Objects()->Count(), 0);
  TBaseSession* session = &*engine.CurrentSession();
  EXPECT_EQ(failing.StartSession(nullptr, nullptr, session), DBIERR_NOTINITIALIZED);
  EXPECT_EQ(session, nullptr);
}

TEST_F(VirtEngTest, SessionCallsReachTheCurrentSession) {
  ASSERT_EQ(engine.AddAlias("QN", "STANDARD", "PATH:\"/srv/qn\"", false), 0);
  EXPECT_EQ(engine.CurrentSession()->ConfigRecords()->Count(), 1);
  EXPECT_EQ(engine.AddAlias("BAD", "STANDARD", "PATH:\"/srv", false), DBIERR_INVALIDPARAM);
  EXPECT_EQ(engine.DeleteAlias("QN"), DBIERR_NOTSUPPORTED);
  char converted[4] = {};
  uint32_t length = 9;
  EXPECT_EQ(engine.AnsiToNative(converted, length, 3, "\xE9t\xE9"), 0);
  EXPECT_STREQ(converted, "\x82t\x82");
  EXPECT_EQ(engine.RegisterCallback(nullptr, 1, 0, 0, nullptr, nullptr), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(engine.RegisterCachedUpdatesCallback(nullptr, 0, nullptr), DBIERR_NA);
  EXPECT_EQ(engine.UnregisterCachedUpdatesCallback(nullptr), DBIERR_NA);
}

TEST_F(VirtEngTest, TheFacadeKeepsItsOwnPropertyAndObjectsAnswerTheirs) {
  uint32_t value = 0;
  uint16_t length = 0;
  EXPECT_EQ(engine.SetProperty(&engine, TVirtEng::PropertyEngineValue, 0x1234), 0);
  EXPECT_EQ(engine.GetProperty(&engine, TVirtEng::PropertyEngineValue, &value, sizeof value, length), 0);
  EXPECT_EQ(value, 0x1234u);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(engine.GetProperty(&engine, 0x20003, &value, sizeof value, length), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(std::get<0>(entry(1)), DBIERR_NOTSUPPORTED);

  ASSERT_EQ(engine.SetProperty(engine.CurrentSession(), TBaseSession::PropertyValue, 5), 0);
  EXPECT_EQ(engine.GetProperty(engine.CurrentSession(), TBaseSession::PropertyValueAlso, &value, sizeof value, length),
            0);
  EXPECT_EQ(value, 5u);
}

// --- Databases ---

FieldDescriptor pathParameter(uint16_t offset, uint16_t length) {
  FieldDescriptor field{};
  field.FieldNumber = 1;
  std::strcpy(field.FieldName, "Path");
  field.Offset = offset;
  field.FieldLength = length;
  return field;
}

TEST_F(VirtEngTest, DatabaseNamesAreCleanedAndANamelessDatabaseTakesItsCleanedPathParameter) {
  TBaseDatabase* database = nullptr;
  ASSERT_EQ(engine.OpenDatabase("[Cases] /srv/qn", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database), 0);
  EXPECT_STREQ(database->Description().Path, "/srv/qn\\");

  char values[] = "xx[2] /srv/other";
  const FieldDescriptor path = pathParameter(2, sizeof values - 2);
  ASSERT_EQ(engine.OpenDatabase(nullptr, nullptr, 0, 0, nullptr, 1, &path, values, database), 0);
  EXPECT_STREQ(database->Description().Path, "/srv/other\\");
  EXPECT_STREQ(values + 2, "/srv/other") << "cleaned in the caller's parameters";

  EXPECT_EQ(engine.OpenDatabase(nullptr, nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database), DBIERR_UNKNOWNDB);
  EXPECT_EQ(engine.OpenDatabase(nullptr, "STANDARD", 0, 0, nullptr, 1, &path, values, database), DBIERR_INVALIDPARAM)
      << "a database type without a name leaves the parameters alone";
}

TEST_F(VirtEngTest, DatabaseCallsMakeTheDatabaseCurrentAndClosingItFreesItsCursors) {
  TBaseDatabase* database = nullptr;
  ASSERT_EQ(engine.OpenDatabase("/srv/qn", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database), 0);
  EXPECT_EQ(engine.CurrentDatabase(), &engine);
  TBaseTable* cursor = nullptr;
  ASSERT_EQ(engine.OpenTable(database, "CASES", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, cursor), 0);
  EXPECT_EQ(engine.CurrentDatabase(), database);
  EXPECT_EQ(database->CursorList()->Count(), 1);
  uint8_t bookmark[8] = {};
  EXPECT_EQ(engine.InsertRecord(cursor, 0, record), 0);
  EXPECT_EQ(engine.GetBookmark(cursor, bookmark), 0);
  EXPECT_EQ(engine.CurrentCursor(), cursor);

  SessionInfo info{};
  ASSERT_EQ(engine.GetSessionInfo(info), 0);
  EXPECT_EQ(info.DatabaseCount, 1);
  EXPECT_EQ(info.CursorCount, 1);

  TransactionInfo transaction{};
  EXPECT_EQ(engine.GetTransactionInfo(database, 0, transaction), 0);
  uint32_t handle = 0;
  EXPECT_EQ(engine.BeginTransaction(database, 0, handle), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(engine.SetDirectory(database, "/srv/moved"), 0);
  EXPECT_STREQ(database->Description().Path, "/srv/moved");
  EXPECT_EQ(engine.OpenTable(nullptr, "CASES", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, cursor),
            DBIERR_INVALIDHNDL);

  EXPECT_EQ(engine.CloseDatabase(database), 0);
  EXPECT_EQ(engine.CurrentDatabase(), &engine);
  EXPECT_EQ(engine.CurrentCursor(), nullptr);
  ASSERT_EQ(engine.GetSessionInfo(info), 0);
  EXPECT_EQ(info.DatabaseCount, 0);
}

TEST_F(VirtEngTest, GetDatabaseSessionAnswersKind2OnlyAndNeverTouchesTheStack) {
  TBaseDatabase* database = nullptr;
  ASSERT_EQ(engine.OpenDatabase("/srv/qn", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database), 0);
  ASSERT_EQ(engine.GetNextRecord(nullptr, 0, record, nullptr), DBIERR_INVALIDHNDL);
  TBapiListItem* object = nullptr;
  EXPECT_EQ(engine.GetDatabaseSession(database, 2, object), 0);
  EXPECT_EQ(object, engine.CurrentSession());
  EXPECT_EQ(engine.GetDatabaseSession(database, 1, object), DBIERR_INVALIDPARAM);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(engine.GetDatabaseSession(nullptr, 2, object), DBIERR_INVALIDPARAM);
  EXPECT_EQ(std::get<0>(entry(1)), DBIERR_INVALIDHNDL);
}

TEST_F(VirtEngTest, AConfigurationListReadsBackThroughTheFacadeInTheRegistrysOrder) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  registry.DeleteKey(sessiontest::AliasesKey);
  ASSERT_TRUE(registry.OpenKey(std::string(sessiontest::AliasesKey) + "\\QNWIN", true));
  for (const char* name : {"PhysicalName", "Description", "Level"}) registry.WriteString(name, name + 1);

  TBaseTable* list = nullptr;
  ASSERT_EQ(engine.OpenConfigList(list, "\\DATABASES\\QNWIN\\DB OPEN"), 0);
  EXPECT_EQ(list->State(), csOpen);
  std::vector<std::string> rows;
  ConfigListRecord row{};
  uint16_t status = 0;
  while ((status = engine.GetNextRecord(list, 0, &row, nullptr)) == 0)
    rows.push_back(std::string(row.NodeName) + "=" + row.Value + " (" + std::to_string(row.DataType) + ")");
  EXPECT_EQ(status, DBIERR_EOF);
  EXPECT_EQ(rows, (std::vector<std::string>{"PhysicalName=hysicalName (1)", "Description=escription (1)",
                                            "Level=evel (1)", "USER NAME= (1)"}));
  EXPECT_EQ(list->GetRecordSize(), sizeof(ConfigListRecord));
  EXPECT_EQ(engine.CurrentSession()->Objects()->Count(), 1);
  EXPECT_EQ(engine.CloseCursor(list), 0);
  EXPECT_EQ(engine.CurrentSession()->Objects()->Count(), 0);
}

// --- Database names and formats ---

TEST(CleanDatabaseNameTest, TheFirstBracketedPartAndTheCharacterAfterItGo) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"[x] word", "word"}, {"[x]", ""},      {"[x word", "[x word"}, {"a[x]b", "a"},
      {"QNWIN", "QNWIN"},   {"x]y[z", "x]y[z"}, {"[a] b[c] d", "b[c] d"},
  };
  for (const auto& [name, cleaned] : cases) EXPECT_EQ(CleanDatabaseName(name), cleaned) << name;
}

class EngineFormatsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = Locale(); }
  void TearDown() override {
    Locale() = saved_;
    std::filesystem::remove(qn::os::profileFilePath("win.ini"));
  }

 private:
  LocaleSettings saved_;
};

TEST_F(EngineFormatsTest, TheDateModeComesFromWinIniAndTheRestFromTheShortDateFormat) {
  Locale().DateSeparator = '.';
  Locale().ShortDateFormat = "dd/MM/yyyy";
  for (const char* mode : {"0", "1", "2"}) {
    ASSERT_TRUE(qn::os::writePrivateProfileString("INTL", "iDATE", mode, "win.ini"));
    TVirtEng engine(&CreateSession<TestSession>, nullptr, nullptr, nullptr);
    const EngineDateFormat& format = engine.DateFormat();
    EXPECT_EQ(format.Mode, mode[0] - '0');
    EXPECT_EQ(std::string(format.Separator, 4), std::string(".\0\0\0", 4));
    EXPECT_EQ(format.FourDigitYear, 1);
    EXPECT_EQ(format.YearBiased, 1);
    EXPECT_EQ(format.MonthLeadingZero, 1);
    EXPECT_EQ(format.DayLeadingZero, 1);
  }
  std::filesystem::remove(qn::os::profileFilePath("win.ini"));
  Locale().ShortDateFormat = "M/d/yy";
  TVirtEng engine(&CreateSession<TestSession>, nullptr, nullptr, nullptr);
  EXPECT_EQ(engine.DateFormat().Mode, 0);
  EXPECT_EQ(engine.DateFormat().FourDigitYear, 0);
  EXPECT_EQ(engine.DateFormat().MonthLeadingZero, 0);
  EXPECT_EQ(engine.DateFormat().DayLeadingZero, 0);
}

TEST_F(EngineFormatsTest, TheTwelveHourClockAndItsDesignatorsOnlyWithAmPm) {
  Locale().TimeSeparator = '.';
  Locale().TimeAMString = "morning";
  Locale().TimePMString = "pm";
  Locale().ShortTimeFormat = "HH:mm";
  TVirtEng engine(&CreateSession<TestSession>, nullptr, nullptr, nullptr);
  EXPECT_EQ(engine.TimeFormat().Separator, '.');
  EXPECT_EQ(engine.TimeFormat().TwelveHour, 0);
  EXPECT_STREQ(engine.TimeFormat().AmText, "");
  EXPECT_STREQ(engine.TimeFormat().PmText, "");
  EXPECT_EQ(engine.TimeFormat().Seconds, 1);
  EXPECT_EQ(engine.TimeFormat().Milliseconds, 0);

  Locale().ShortTimeFormat = "h:mm AMPM";
  engine.ReadFormatSettings();
  EXPECT_EQ(engine.TimeFormat().TwelveHour, 1);
  EXPECT_STREQ(engine.TimeFormat().AmText, "morni");
  EXPECT_STREQ(engine.TimeFormat().PmText, "pm");

  EngineTimeFormat given{};
  given.Separator = '-';
  engine.SetTimeFormat(given);
  EXPECT_EQ(engine.TimeFormat().Separator, '-');
}

}  // namespace
}  // namespace cursortest
