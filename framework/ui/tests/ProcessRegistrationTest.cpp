#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <thread>

#include "framework/ui/tests/FormTestSupport.h"
#include "platform/os/MessageBus.h"
#include "platform/os/Process.h"
#include "platform/os/WindowRegistry.h"

namespace qn::ui::testing {
namespace {

std::string peerProgram() {
  return (std::filesystem::path(Application->ExeName()).parent_path() / "framework-ui-peer").string();
}

// Runs the framework's messages until done() holds; false after 20 s.
template <class Done>
bool processUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class TCaseEntryForm : public TForm {
  QN_CLASS(TCaseEntryForm, TForm)
 public:
  using TForm::TForm;
};

TEST(ProcessRegistrationTest, AFormIsFoundByClassAndCaptionAndItsNewCaptionAtOnce) {
  qtApplication();
  Application->Initialize();
  TCaseEntryForm form(nullptr);
  form.SetCaption("Case Entry and Maintenance");
  form.Show();
  auto found = os::windowRegistry::find("TCaseEntryForm", "Case Entry and Maintenance");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->owner, Application->Handle());
  form.SetCaption("Docket Calendar");
  EXPECT_TRUE(os::windowRegistry::find("TCaseEntryForm", "Docket Calendar"));
  EXPECT_FALSE(os::windowRegistry::find("TCaseEntryForm", "Case Entry and Maintenance"));
}

TEST(ProcessRegistrationTest, ASecondProgramFindsTheFirstAndRestoresItsMinimisedForm) {
  qtApplication();
  Application->Initialize();
  TCaseEntryForm form(nullptr);
  form.SetCaption("Case Entry and Maintenance");
  form.Show();
  form.SetWindowState(wsMinimized);
  ASSERT_TRUE(processUntil([&] { return form.Window()->isMinimized(); }));
  auto entry = os::windowRegistry::find("TCaseEntryForm", "Case Entry and Maintenance");
  ASSERT_TRUE(entry);
  EXPECT_TRUE(entry->minimized);

  auto peer = os::startProcess(peerProgram(), {"restore", "TCaseEntryForm", "case entry and maintenance"});
  ASSERT_TRUE(peer);
  EXPECT_TRUE(processUntil([&] { return form.WindowState() == wsNormal && !form.Window()->isMinimized(); }));
  EXPECT_TRUE(processUntil([&] { return peer->exitCode() != os::STILL_ACTIVE; }));
  EXPECT_EQ(peer->exitCode(), 0u);
  EXPECT_FALSE(os::windowRegistry::find(entry->id)->minimized);
}

TEST(ProcessRegistrationTest, AChildStartedMinimisedAtAPlaceShowsItsMainFormThatWay) {
  qtApplication();
  auto peer = os::startProcess(peerProgram(), {"main", "Peer"}, {40, 30, os::SW_SHOWMINIMIZED});
  ASSERT_TRUE(peer);
  ASSERT_TRUE(peer->waitForInputIdle(20000)) << "the child's main window should appear in the registry";
  auto entry = os::windowRegistry::find("TPeerMainForm", "Peer");
  ASSERT_TRUE(entry);
  EXPECT_TRUE(entry->mainWindow);
  EXPECT_TRUE(processUntil([&] { return os::windowRegistry::find(entry->id)->minimized; }));
  os::MessageBus bus;
  ASSERT_TRUE(bus.send(entry->id, "QN_Test_Quit", 0, 0));
  EXPECT_TRUE(processUntil([&] { return peer->exitCode() != os::STILL_ACTIVE; }));
  EXPECT_EQ(peer->exitCode(), 0u) << "the child reports where and how its form was shown";
}

}  // namespace
}  // namespace qn::ui::testing
