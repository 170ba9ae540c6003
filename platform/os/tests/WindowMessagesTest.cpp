#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "ChildProgram.h"
#include "platform/os/MessageBus.h"
#include "platform/os/RegisteredMessages.h"
#include "platform/os/WindowRegistry.h"
#include "testing/TestDirs.h"

namespace {

using namespace qn::os;
using namespace qn::os::testing;

const std::string caseCaption = std::string(44, ' ') + "Quillon Case Entry and Maintenance";

struct WindowChild {
  std::string record;
  std::unique_ptr<ChildProcess> process;

  WindowChild(const std::string& className, const std::string& caption) {
    record = qn::testing::makeScratchDir("window") + "/record";
    process = startChild({"window", className, caption, record});
  }
  ~WindowChild() {
    if (process) killChild(*process);
  }
};

TEST(WindowMessagesTest, ChildFoundByClassAndCaptionIsAskedToComeToFront) {
  WindowChild child("TCaseF", caseCaption);
  ASSERT_TRUE(child.process && child.process->waitForInputIdle(30000));

  // Blanks count, letter case does not.
  EXPECT_FALSE(windowRegistry::find("TCaseF", "Quillon Case Entry and Maintenance"));
  EXPECT_FALSE(windowRegistry::find("TCaseF", std::string(44, ' ') + "Quillon Docket Calendar Entry and Maintenance"));
  auto main = windowRegistry::find("tcasef", caseCaption);
  ASSERT_TRUE(main);
  EXPECT_EQ(main->process.pid, child.process->pid());
  ASSERT_NE(main->owner, 0u);
  auto owner = windowRegistry::find(main->owner);
  ASSERT_TRUE(owner);
  EXPECT_FALSE(owner->minimized);

  MessageBus bus;
  EXPECT_TRUE(bus.request(owner->id, WindowRequest::BringToFront));
  EXPECT_TRUE(waitForLine(child.record, "request application front"));
  EXPECT_TRUE(bus.request(main->id, WindowRequest::Restore));
  EXPECT_TRUE(waitForLine(child.record, "request main restore"));
}

TEST(WindowMessagesTest, BroadcastReachesEveryProgramWithItsText) {
  WindowChild first("TCaseF", caseCaption);
  WindowChild second("TEntryF", "Quillon Case Manager Entry and Maintenance Module");
  ASSERT_TRUE(first.process && first.process->waitForInputIdle(30000));
  ASSERT_TRUE(second.process && second.process->waitForInputIdle(30000));

  MessageBus bus;
  std::vector<WindowMessage> ownReceived;
  WindowId own = bus.registerWindow("TCaseF", "mine", 0, {[&](const WindowMessage& m) { ownReceived.push_back(m); }, {}});

  // A client/case key with its blanks and a Windows-1252 byte travels by value.
  const std::string key = "ABC    Caf\xE9 Owner" + std::string(60, ' ') + "     12ALT";
  unsigned number = registerWindowMessage("QN_Msg_JustCalledFromCase");
  ASSERT_GE(number, firstRegisteredMessage);
  EXPECT_EQ(bus.broadcast("QN_Msg_JustCalledFromCase", own, 0, key), 5) << "two windows per child and ours";

  const std::string expected =
      "message QN_Msg_JustCalledFromCase " + std::to_string(number) + " " + std::to_string(own) + " 0 " + key;
  EXPECT_TRUE(waitForLine(first.record, expected));
  EXPECT_TRUE(waitForLine(second.record, expected));

  pollfd p{bus.fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 30000), 1);
  EXPECT_EQ(bus.dispatchPending(), 1);
  ASSERT_EQ(ownReceived.size(), 1u);
  EXPECT_EQ(ownReceived[0].target, own);
  EXPECT_EQ(ownReceived[0].number, number);
  EXPECT_EQ(ownReceived[0].wParam, static_cast<std::intptr_t>(own));
  EXPECT_EQ(ownReceived[0].text, key);
}

TEST(WindowMessagesTest, WindowsOfEndedProgramsAreGone) {
  WindowChild child("TCaseF", caseCaption);
  ASSERT_TRUE(child.process && child.process->waitForInputIdle(30000));
  auto main = windowRegistry::find("TCaseF", caseCaption);
  ASSERT_TRUE(main);

  killChild(*child.process);
  child.process.reset();
  EXPECT_FALSE(windowRegistry::find("TCaseF", caseCaption));
  EXPECT_FALSE(windowRegistry::find(main->id));
  MessageBus bus;
  EXPECT_FALSE(bus.send(main->id, "QN_Test", 0, 0));
  EXPECT_EQ(bus.broadcast("QN_Test", 0, 0), 0);
  EXPECT_FALSE(std::filesystem::exists(main->address)) << "the ended program's socket is cleaned up";
}

TEST(WindowMessagesTest, WindowLeftByAnEndedProgramSparesTheSocketOfALaterOneWithItsId) {
  WindowChild child("TCaseF", caseCaption);
  ASSERT_TRUE(child.process && child.process->waitForInputIdle(30000));
  auto main = windowRegistry::find("TCaseF", caseCaption);
  ASSERT_TRUE(main);

  // What a program that had the child's process id before it, and ended without cleaning up,
  // left behind: its window, naming the socket address the child has bound since.
  WindowEntry left = *main;
  left.id = windowRegistry::allocateId();
  left.process.startTime = main->process.startTime - 1;
  windowRegistry::put(left);

  EXPECT_EQ(windowRegistry::all().size(), 2u) << "only the child's windows are listed";
  EXPECT_FALSE(windowRegistry::find(left.id));
  MessageBus bus;
  EXPECT_TRUE(bus.send(main->id, "QN_Test_Hello", 3, 4, "still here"));
  EXPECT_TRUE(waitForLine(child.record, "message QN_Test_Hello " + std::to_string(registerWindowMessage("QN_Test_Hello")) +
                                            " 3 4 still here"));
}

TEST(WindowMessagesTest, MessageToOneWindowReachesOnlyThatWindow) {
  MessageBus bus;
  std::vector<std::string> seen;
  auto recorder = [&](const char* who) {
    return WindowHandlers{[&, who](const WindowMessage& m) { seen.push_back(who + (" " + m.text)); }, {}};
  };
  WindowId a = bus.registerWindow("TA", "a", 0, recorder("a"));
  WindowId b = bus.registerWindow("TB", "b", 0, recorder("b"));
  ASSERT_NE(a, b);
  EXPECT_TRUE(bus.send(b, "QN_Test", 1, 2, "for b"));
  pollfd p{bus.fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 30000), 1);
  bus.dispatchPending();
  EXPECT_EQ(seen, std::vector<std::string>{"b for b"});

  // A message to a window that goes away before its turn is dropped.
  EXPECT_TRUE(bus.send(a, "QN_Test", 0, 0, "late"));
  bus.unregisterWindow(a);
  EXPECT_FALSE(bus.send(a, "QN_Test", 0, 0, "later"));
  bus.dispatchPending();
  EXPECT_EQ(seen.size(), 1u);
}

TEST(WindowMessagesTest, MalformedDatagramsAreDroppedAndWhatFollowsArrives) {
  MessageBus bus;
  std::vector<std::string> seen;
  WindowId id = bus.registerWindow("TA", "a", 0, {[&](const WindowMessage& m) { seen.push_back(m.text); }, {}});
  const std::string address = windowRegistry::find(id)->address;
  const std::string target = std::to_string(id);
  // Lengths that add up to the datagram's size only by wrapping around.
  const std::string huge = "18446744073709551615";
  const std::vector<std::string> malformed = {
      "0 " + target + " 0 0 " + huge + " 2\nx",
      "0 " + target + " 0 0 18446744073709550617 1000\nx",
      "0 " + target + " 0 0 2 -5\nxyz",
      "0 " + target + " 0 0 3",
      "9 " + target + " 0 0 0 0\n",
      "",
  };
  int probe = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(probe, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, address.c_str(), sizeof addr.sun_path - 1);
  for (const std::string& datagram : malformed)
    ASSERT_EQ(::sendto(probe, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr),
              static_cast<ssize_t>(datagram.size()));
  ::close(probe);
  EXPECT_TRUE(bus.send(id, "QN_Test", 0, 0, "after"));

  EXPECT_NO_THROW(bus.dispatchPending());
  EXPECT_EQ(seen, std::vector<std::string>{"after"});
}

TEST(WindowMessagesTest, HandlerMayUnregisterItsOwnWindow) {
  MessageBus bus;
  WindowId id = 0;
  int calls = 0;
  id = bus.registerWindow("TA", "a", 0, {[&](const WindowMessage&) {
                                            ++calls;
                                            bus.unregisterWindow(id);
                                          },
                                          {}});
  bus.send(id, "QN_Test", 0, 0);
  bus.send(id, "QN_Test", 0, 0);
  pollfd p{bus.fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 30000), 1);
  bus.dispatchPending();
  EXPECT_EQ(calls, 1);
}

TEST(WindowMessagesTest, CaptionAndStateChangesAreSeenByOthers) {
  MessageBus bus;
  WindowId id = bus.registerWindow("TApplication", "", 0, {});
  bus.setCaption(id, "Calendar");
  bus.setMinimized(id, true);
  auto entry = windowRegistry::find("TApplication", "calendar");
  ASSERT_TRUE(entry);
  EXPECT_TRUE(entry->minimized);
}

TEST(RegisteredMessagesTest, ProgramsRegisteringAtOnceAgreeOnEveryNumber) {
  // Four programs register the same names at the same moment, each in its own order and spelling.
  const std::vector<std::vector<std::string>> orders = {
      {"QN_Msg_JustCalledFromClient", "QN_Msg_JustCalledFromCase", "QN_Message_Status", "QN_Message_AddDept"},
      {"QN_Message_AddDept", "QN_Message_Status", "QN_Msg_JustCalledFromCase", "QN_Msg_JustCalledFromClient"},
      {"qn_message_status", "QN_MSG_JUSTCALLEDFROMCLIENT", "qn_message_adddept", "qn_msg_justcalledfromcase"},
      {"QN_Msg_JustCalledFromCase", "QN_Message_AddDept", "QN_Msg_JustCalledFromClient", "QN_Message_Status"},
  };
  std::vector<std::string> records;
  std::vector<std::unique_ptr<ChildProcess>> children;
  for (const auto& order : orders) {
    records.push_back(qn::testing::makeScratchDir("register") + "/record");
    std::vector<std::string> args{"register", records.back()};
    args.insert(args.end(), order.begin(), order.end());
    children.push_back(startChild(args));
    ASSERT_TRUE(children.back());
  }
  for (auto& child : children) ASSERT_EQ(waitForExit(*child), 0u);

  std::map<std::string, unsigned> agreed;  // upper-cased name -> number
  for (const std::string& record : records) {
    ASSERT_TRUE(waitForLine(record, "done"));
    std::ifstream in(record);
    std::string name;
    unsigned number;
    while (in >> name >> number) {
      std::transform(name.begin(), name.end(), name.begin(), ::toupper);
      ASSERT_GE(number, firstRegisteredMessage) << name;
      auto [it, added] = agreed.emplace(name, number);
      EXPECT_EQ(it->second, number) << name;
    }
  }
  ASSERT_EQ(agreed.size(), 4u);
  std::set<unsigned> distinct;
  for (const auto& [name, number] : agreed) distinct.insert(number);
  EXPECT_EQ(distinct.size(), 4u);
  EXPECT_EQ(registerWindowMessage("Qn_Message_Status"), agreed["QN_MESSAGE_STATUS"]);
}

TEST(RegisteredMessagesTest, NamesShareNumbersWithoutRegardToCase) {
  unsigned a = registerWindowMessage("QN_Message_AddStmtmsg");
  unsigned b = registerWindowMessage("QN_Message_AddStmtMsg_Complete");
  EXPECT_GE(a, firstRegisteredMessage);
  EXPECT_GE(b, firstRegisteredMessage);
  EXPECT_NE(a, b);
  EXPECT_EQ(registerWindowMessage("qn_message_addstmtmsg"), a);
  EXPECT_EQ(registeredMessageName(a), "QN_Message_AddStmtmsg");
  EXPECT_FALSE(registeredMessageName(0xBFFF));
  EXPECT_EQ(registerWindowMessage(""), 0u);
}

}  // namespace
