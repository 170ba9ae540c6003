#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/Application.h"
#include "framework/base/UnitLifecycle.h"

namespace {

using Log = std::vector<std::string>;

UnitDefinition unit(const std::string& name, std::vector<AnsiString> predecessors, Log& log) {
  return UnitDefinition{name, std::move(predecessors), [&log, name] { log.push_back("start " + name); },
                        [&log, name] { log.push_back("stop " + name); }};
}

TEST(UnitLifecycle, StartsAfterPredecessorsOnceAndStopsInReverse) {
  Log log;
  UnitRegistry units;
  // Registered in an order that C++ static initialisation might give.
  units.Register(unit("core/Settings", {"recordmgr/Sessions", "datagrid/Texts"}, log));
  units.Register(unit("platform/RecordFiles", {}, log));
  units.Register(unit("recordmgr/Sessions", {"platform/RecordFiles"}, log));
  units.Register(unit("datagrid/Texts", {}, log));

  units.StartAll();
  units.StartAll();  // once only
  EXPECT_EQ(log, (Log{"start datagrid/Texts", "start platform/RecordFiles", "start recordmgr/Sessions",
                      "start core/Settings"}));
  log.clear();

  units.Register(unit("app/Late", {"core/Settings"}, log));
  units.StartAll();
  EXPECT_EQ(log, Log{"start app/Late"});
  log.clear();

  units.StopAll();
  EXPECT_EQ(log, (Log{"stop app/Late", "stop core/Settings", "stop recordmgr/Sessions", "stop platform/RecordFiles",
                      "stop datagrid/Texts"}));
}

TEST(UnitLifecycle, CycleIsRefusedBeforeAnythingStartsWithTheCycleNamed) {
  Log log;
  UnitRegistry units;
  units.Register(unit("a/Free", {}, log));
  units.Register(unit("b/First", {"c/Second"}, log));
  units.Register(unit("c/Second", {"d/Third"}, log));
  units.Register(unit("d/Third", {"b/First"}, log));
  units.Register(unit("e/Waiting", {"c/Second"}, log));
  try {
    units.StartAll();
    FAIL() << "a cycle was started";
  } catch (const EUnitOrderError& e) {
    EXPECT_EQ(e.Message(),
              "Units cannot be started: their predecessors form a cycle: b/First needs c/Second needs d/Third needs "
              "b/First");
  }
  EXPECT_TRUE(log.empty());
}

TEST(UnitLifecycle, UnknownPredecessorAndDuplicateNameAreRefused) {
  Log log;
  UnitRegistry unknown;
  unknown.Register(unit("core/Settings", {"recordmgr/Sesions"}, log));
  try {
    unknown.StartAll();
    FAIL();
  } catch (const EUnitOrderError& e) {
    EXPECT_EQ(e.Message(), "Unit core/Settings needs unit recordmgr/Sesions, which is not registered");
  }
  UnitRegistry duplicate;
  duplicate.Register(unit("core/Settings", {}, log));
  duplicate.Register(unit("core/Settings", {}, log));
  EXPECT_THROW(duplicate.StartAll(), EUnitOrderError);
  EXPECT_TRUE(log.empty());
}

TEST(UnitLifecycle, FailedStartStopsWhatStartedAndPassesTheErrorOn) {
  Log log;
  UnitRegistry units;
  units.Register(unit("a/One", {}, log));
  units.Register(unit("b/Two", {"a/One"}, log));
  units.Register(UnitDefinition{"c/Three", {"b/Two"}, [] { throw std::runtime_error("no WSID entry"); }, {}});
  EXPECT_THROW(units.StartAll(), std::runtime_error);
  EXPECT_EQ(log, (Log{"start a/One", "start b/Two", "stop b/Two", "stop a/One"}));
  log.clear();
  units.StopAll();
  EXPECT_TRUE(log.empty()) << "nothing is left running";
}

TEST(UnitLifecycle, EveryStopRunsAndTheFirstErrorComesThroughAfter) {
  Log log;
  UnitRegistry units;
  units.Register(unit("a/One", {}, log));
  units.Register(UnitDefinition{"b/Two", {"a/One"}, {}, [] { throw std::runtime_error("session list busy"); }});
  units.Register(unit("c/Three", {"b/Two"}, log));
  units.StartAll();
  log.clear();
  EXPECT_THROW(units.StopAll(), std::runtime_error);
  EXPECT_EQ(log, (Log{"stop c/Three", "stop a/One"}));
}

TEST(UnitLifecycle, TheTestMainHasStartedTheProgramsUnits) {
  ASSERT_NE(Application, nullptr) << "the application unit starts before every test";
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
