#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/base/StringList.h"
#include "framework/db/DatabaseError.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestSession.h"

namespace {

using bindingtest::TestSessionComponent;
using bindingtest::TestSessionList;

std::string messageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EDatabaseError& error) {
    return error.Message();
  }
  return "(nothing raised)";
}

uint16_t engineCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ETDBEngineError& error) {
    return error.ErrorCount() ? error.Errors(0).ErrorCode : 0;
  }
  return 0;
}

std::vector<std::string> linesOf(const TStrings& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

class SessionComponentTest : public ::testing::Test {
 protected:
  SessionComponentTest() {
    standard = new TestSessionComponent(nullptr, sessions);
    standard->SetSessionName("Btrieve");
  }
  ~SessionComponentTest() override { qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey(sessiontest::AliasesKey); }

  TestSessionComponent* newSession(TComponent* owner, const char* name) {
    auto* session = new TestSessionComponent(owner, sessions);
    if (name) session->SetSessionName(name);
    return session;
  }
  void writeAlias(const std::string& name, const std::vector<std::pair<std::string, std::string>>& values) {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(std::string(sessiontest::AliasesKey) + "\\" + name, true));
    for (const auto& [valueName, value] : values) registry.WriteString(valueName, value);
  }

  TestSessionList sessions;
  TestSessionComponent* standard;
};

TEST_F(SessionComponentTest, TheDefaultSessionMakesTheEngineAndFreesItWhenItStops) {
  EXPECT_TRUE(standard->IsDefault());
  EXPECT_EQ(sessions.FindSession(""), standard);
  standard->SetActive(true);
  ASSERT_NE(sessions.engine, nullptr);
  EXPECT_TRUE(standard->Active());
  EXPECT_EQ(standard->GetHandle(), sessions.engine->CurrentSession());
  standard->SetActive(false);
  EXPECT_EQ(sessions.engine, nullptr);
  EXPECT_FALSE(standard->Active());
}

TEST_F(SessionComponentTest, AnotherSessionStartsTheDefaultFirstAndHoldsAnEngineSessionOfItsOwn) {
  TestSessionComponent* second = newSession(nullptr, "Second");
  EXPECT_FALSE(second->IsDefault());
  second->SetActive(true);
  EXPECT_TRUE(standard->Active());
  ASSERT_NE(second->GetHandle(), nullptr);
  EXPECT_NE(second->GetHandle(), standard->GetHandle());
  EXPECT_EQ(sessions.engine->Objects()->Count(), 2);
  second->SetActive(false);
  EXPECT_EQ(sessions.engine->Objects()->Count(), 1);
  EXPECT_EQ(sessions.engine->CurrentSession(), standard->GetHandle());
}

TEST_F(SessionComponentTest, AnEngineObjectAlreadyPresentIsTakenOverWithoutFailure) {
  auto* present = new TVirtEng(standard->GetEngineClass(), nullptr, nullptr, nullptr);
  sessions.engine = present;
  standard->SetActive(true);
  EXPECT_EQ(sessions.engine, present);
  EXPECT_EQ(standard->GetHandle(), present->CurrentSession());
}

TEST_F(SessionComponentTest, SessionNamesAreCheckedAsTheyAreGivenAndUsed) {
  newSession(nullptr, "A");
  TestSessionComponent* other = newSession(nullptr, nullptr);
  EXPECT_EQ(messageOf([&] { other->SetSessionName("a"); }), "Duplicate session name 'a'");
  EXPECT_EQ(other->SessionName(), "");
  EXPECT_EQ(messageOf([&] { other->SetActive(true); }), "Session name missing");
  EXPECT_FALSE(other->Active());
  EXPECT_EQ(messageOf([&] { sessions.GetSession("nowhere"); }), "Invalid session name nowhere");
  EXPECT_EQ(sessions.GetSession("a"), sessions.FindSession("A"));
  standard->SetActive(true);
  EXPECT_EQ(messageOf([&] { standard->SetSessionName("Other"); }),
            "Cannot perform this operation on an active session");
}

TEST_F(SessionComponentTest, AutomaticNamesNumberTheSessionsOfEveryForm) {
  TComponent firstForm(nullptr);
  TComponent secondForm(nullptr);
  TestSessionComponent* first = newSession(&firstForm, nullptr);
  first->SetName("Session1");
  first->SetAutoSessionName(true);
  EXPECT_EQ(first->SessionName(), "Session1_1");
  TestSessionComponent* second = newSession(&secondForm, nullptr);
  second->SetName("Session1");
  second->SetAutoSessionName(true);
  EXPECT_EQ(second->SessionName(), "Session1_2");
  EXPECT_EQ(messageOf([&] { first->SetSessionName("Mine"); }),
            "Cannot modify SessionName while AutoSessionName is enabled");
  second->SetName("Renamed");
  EXPECT_EQ(second->SessionName(), "Renamed_2");

  EXPECT_EQ(messageOf([&] { newSession(&firstForm, nullptr); }),
            "Cannot add a session to the form or data-module while session 'Session1_1' has AutoSessionName "
            "enabled");
  first->SetAutoSessionName(false);
  newSession(&firstForm, nullptr);
  EXPECT_EQ(messageOf([&] { first->SetAutoSessionName(true); }),
            "Cannot enable AutoSessionName property with more than one session on a form or data-module");

  // A freed number is taken again by the next session that names itself.
  TComponent thirdForm(nullptr);
  TestSessionComponent* third = newSession(&thirdForm, nullptr);
  third->SetName("Third");
  third->SetAutoSessionName(true);
  EXPECT_EQ(third->SessionName(), "Third_1");
}

TEST_F(SessionComponentTest, TheStandardDriverHasOnlyAPathInAnyCase) {
  for (const char* driver : {"standard", "STANDARD", "Standard"}) {
    StringList list;
    list.Add("left over");
    standard->GetDriverParams(driver, list);
    EXPECT_EQ(linesOf(list), std::vector<std::string>{"PATH="}) << driver;
  }
  EXPECT_FALSE(standard->Active());
}

TEST_F(SessionComponentTest, AliasParametersComeBackInOrderConvertedFromTheOemCharacterSet) {
  writeAlias("QNWIN", {{"PATH", "/srv/qn"}, {"USER", "Ren\x82"}, {"LANGUAGE", "fr"}});
  StringList list;
  standard->GetAliasParams("QNWIN", list);
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"PATH=/srv/qn", "USER NAME=Ren\xE9", "LANGUAGE=fr"}));
  standard->GetAliasParams("/srv/folder", list);
  EXPECT_EQ(linesOf(list), (std::vector<std::string>{"PATH=/srv/folder", "USER NAME="}));
}

TEST_F(SessionComponentTest, AnAddedAliasReachesTheEngineAndAQuoteInAValueIsRefused) {
  std::vector<std::pair<DatabaseEvent, std::string>> events;
  standard->OnDatabaseEvent = [&](DatabaseEvent event, const AnsiString& name) { events.emplace_back(event, name); };
  StringList params;
  params.Add("PATH=/srv/qn");
  params.Add("no separator");
  params.Add("EMPTY=");
  params.Add("USER NAME=Ren\xE9");
  standard->AddAlias("QN", "STANDARD", true, 4, params);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].first, DatabaseEvent::AliasAdded);
  EXPECT_EQ(events[0].second, "QN");
  EXPECT_NO_THROW(standard->GetHandle()->ConfigExists("\\DATABASES\\QN\\DB INFO"));
  EXPECT_EQ(standard->ConfigMode(), 2u);  // the started session's mode 7, stored as 2, restored
  for (const char* name : {"QN", "qn"}) {
    StringList back;
    standard->GetAliasParams(name, back);
    EXPECT_EQ(linesOf(back), (std::vector<std::string>{"PATH=/srv/qn", "USER NAME=Ren\xE9"})) << name;
  }

  StringList quoted;
  quoted.Add("PATH=/srv/\"x\"");
  EXPECT_EQ(engineCodeOf([&] { standard->AddAlias("QUOTED", "STANDARD", true, 4, quoted); }), DBIERR_INVALIDPARAM);
  EXPECT_EQ(events.size(), 1u);
  EXPECT_ANY_THROW(standard->GetHandle()->ConfigExists("\\DATABASES\\QUOTED\\DB INFO"));
}

TEST_F(SessionComponentTest, LocksNestAndHoldTheCriticalSectionUntilTheLastUnlock) {
  standard->LockSession();
  standard->LockSession();
  EXPECT_EQ(sessions.criticalDepth, 1);
  EXPECT_TRUE(standard->Active());
  standard->UnlockSession();
  EXPECT_EQ(sessions.criticalDepth, 1);
  standard->UnlockSession();
  EXPECT_EQ(sessions.criticalDepth, 0);
}

TEST_F(SessionComponentTest, DirectoriesReadWhileInactiveAreTheStoredTextsInUpperCase) {
  standard->SetNetFileDir("/srv/net");
  standard->SetPrivateDir("/tmp/private");
  EXPECT_EQ(standard->NetFileDir(), "/SRV/NET");
  EXPECT_EQ(standard->PrivateDir(), "/TMP/PRIVATE");
}

}  // namespace
