// The validation-file restore and the export programs' folder choice as a user meets them,
// offscreen, with the unzip program of the build's program folder or a stand-in for it.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

#include "core/Globals.h"
#include "dialogs/DirBrowserForm.h"
#include "dialogs/ValidationFiles.h"
#include "framework/base/Clock.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace dialogs_test {
namespace {

namespace fs = std::filesystem;
using qn::testing::readFileText;
using qn::testing::writeFileText;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kAskUnzip = "Will the validation files need to be unzipped?";
const AnsiString kNoOtherUsers = "Please make sure no other users are currently accessing the validation files.";
const AnsiString kNotSafe =
    "Your Quillon Remote For Windows validation directory contains\r\none or more transaction files.  It is NOT SAFE "
    "to proceed with\r\nrestoring validation files from another location.Please contact Vantor, Inc. for assistance.";

class DirBrowserFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    savedProgramDir = ProgramDir;
    source = qn::testing::makeScratchDir("validation-source");
    target = qn::testing::makeScratchDir("validation-target");
    zips = qn::testing::makeScratchDir("zips");
    for (const char* name : ValidationFileNames) {
      writeFileText(source + "/" + name, std::string("new ") + name);
      writeFileText(target + "/" + name, std::string("old ") + name);
    }
    form = std::make_unique<TDirBrowserForm>(nullptr);
    form->Label2->SetCaption(target);
  }
  void TearDown() override {
    form.reset();
    ProgramDir = savedProgramDir;
  }
  // Shows the form modally; `user` acts while it is shown and should close it.
  void run(std::function<void(TDirBrowserForm&)> user) {
    TDirBrowserForm* f = form.get();
    qn::ui::postCall(f, [f, user] { user(*f); });
    qn::ui::postCall(f, [f] {
      if (f->Modal()) f->SetModalResult(mrCancel);
    });
    f->runModal();
  }
  // A program folder whose unzip program is a stand-in running script with the three arguments.
  void fakeUnzip(const std::string& script) {
    const std::string folder = qn::testing::makeScratchDir("program");
    writeFileText(folder + "/pkunzip", "#!/bin/sh\n" + script + "\n");
    fs::permissions(folder + "/pkunzip", fs::perms::owner_all);
    ProgramDir = folder;
  }
  // Through the ZIP restore to the unzip program, with zipFile chosen in the file list.
  static void unzipFrom(TDirBrowserForm& f, const std::string& folder, const std::string& zipName) {
    f.BitBtn1->Click();
    EXPECT_TRUE(f.FileListBox1->Visible());
    EXPECT_TRUE(f.UnzipBitBtn->Visible());
    f.DirectoryListBox1->SetDirectory(folder);
    const int index = f.FileListBox1->Items()->IndexOf(zipName);
    ASSERT_GE(index, 0) << zipName;
    f.FileListBox1->SetItemIndex(index);
    f.UnzipBitBtn->Click();
  }
  std::string targetText(const char* name) const { return readFileText(target + "/" + name); }
  void expectTargetUntouched() const {
    for (const char* name : ValidationFileNames) EXPECT_EQ(targetText(name), std::string("old ") + name);
  }

  AnsiString savedProgramDir;
  std::string source, target, zips;
  std::unique_ptr<TDirBrowserForm> form;
};

TEST_F(DirBrowserFormTest, AFolderMissingOnlyTheEmployeeRatesIsRefusedWithItsText) {
  fs::remove(source + "/Yemrt.qf");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kAskUnzip, mrNo);
  boxes.expect(mtConfirmation,
               "The directory you have selected: " + source +
                   "\r\nis missing one or more of the Quillon files needed for validation.\r\nDo you want to select a "
                   "different directory?",
               mrYes);
  run([&](TDirBrowserForm& f) {
    f.DirectoryListBox1->SetDirectory(source);
    f.BitBtn1->Click();
    EXPECT_TRUE(f.Modal()) << "Yes goes back to the folders";
    EXPECT_TRUE(f.DirectoryListBox1->Visible());
    f.CancelBitBtn->Click();
  });
  EXPECT_EQ(form->Result, 0);
  expectTargetUntouched();
}

TEST_F(DirBrowserFormTest, ACompleteFolderIsCopiedOverTheValidationFolder) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kAskUnzip, mrNo);
  run([&](TDirBrowserForm& f) {
    f.DirectoryListBox1->SetDirectory(source);
    f.BitBtn1->Click();
  });
  EXPECT_EQ(form->Result, 1);
  EXPECT_EQ(form->Caption(), "Please select the DIRECTORY containing the validation files...");
  for (const char* name : ValidationFileNames) EXPECT_EQ(targetText(name), std::string("new ") + name);
}

TEST_F(DirBrowserFormTest, AValidationFolderHoldingBillsRefusesBothRestoresBeforeAnything) {
  writeFileText(target + "/Bill.qf", "bills");
  fakeUnzip("touch '" + zips + "/started'");
  writeFileText(zips + "/codes.zip", "PK");
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, kAskUnzip, mrNo).expect(mtError, kNotSafe);
    run([&](TDirBrowserForm& f) {
      f.DirectoryListBox1->SetDirectory(source);
      f.BitBtn1->Click();
    });
  }
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, kAskUnzip, mrYes).expect(mtError, kNotSafe);
    run([&](TDirBrowserForm& f) { unzipFrom(f, zips, "codes.zip"); });
  }
  EXPECT_EQ(form->Result, 0);
  expectTargetUntouched();
  EXPECT_FALSE(fs::exists(zips + "/started"));
}

TEST_F(DirBrowserFormTest, TheUnzipProgramsExitCodeDecidesTheOutcome) {
  writeFileText(zips + "/codes.zip", "PK");
  const struct {
    const char* script;
    TMsgDlgType kind;
    AnsiString text;
    int result;
  } cases[] = {
      {"exit 0", mtInformation, "Quillon Remote For Windows validation\r\nfiles have been successfully restored.", 1},
      {"exit 3", mtError,
       "Unable to restore validation files at this time.\r\nPKUNZIP Error #3.Please contact Vantor, Inc. for "
       "assistance.",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    fakeUnzip(c.script);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, kAskUnzip, mrYes).expect(mtWarning, kNoOtherUsers).expect(c.kind, c.text);
    run([&](TDirBrowserForm& f) { unzipFrom(f, zips, "codes.zip"); });
    EXPECT_EQ(form->Result, c.result);
  }
}

// Whether the process has ended (gone, or waiting only to be reaped).
bool ended(const std::string& pid) {
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string number, name, state;
  return !(stat >> number >> name >> state) || state == "Z";
}

// Each poll of the wait passes 20 ms of the clock in a millisecond, so the started program has
// time to begin while a minute passes in a few seconds.
class FastClock : public qn::ManualClock {
 public:
  using ManualClock::ManualClock;
  void sleep(uint32_t ms) override {
    usleep(1000);
    advance(ms);
  }
};

TEST_F(DirBrowserFormTest, AnUnzipRunningPastSixtySecondsIsEndedBeforeTheErrorIsShown) {
  writeFileText(zips + "/codes.zip", "PK");
  fakeUnzip("echo $$ > '" + zips + "/pid'\nexec sleep 600");
  FastClock clock(1000);
  qn::setClock(&clock);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kAskUnzip, mrYes).expect(mtWarning, kNoOtherUsers);
  boxes.expect(mtError,
               "Unable to restore validation files at this time.\r\nPKUNZIP Error #259.Please contact Vantor, Inc. "
               "for assistance.");
  std::string pid;
  run([&](TDirBrowserForm& f) {
    unzipFrom(f, zips, "codes.zip");
    pid = readFileText(zips + "/pid");
    pid.erase(pid.find_last_not_of("\n") + 1);
    EXPECT_TRUE(ended(pid)) << "the unzip program still runs as the error shows";
    f.CancelBitBtn->Click();
  });
  qn::setClock(nullptr);
  EXPECT_GE(clock.milliseconds(), 61000u);
  EXPECT_FALSE(pid.empty());
  EXPECT_EQ(form->Result, 0);
}

TEST_F(DirBrowserFormTest, ARealZipRestoreUnpacksIntoAFolderWithABlankAndASemicolonAndRunsNothingElse) {
  ProgramDir = qn::os::runningProgramFolder();
  ASSERT_TRUE(fs::exists(ProgramDir + "/pkunzip")) << "the build installs the unzip program";
  const std::string zipFolder = zips + "/my zips";
  const std::string valFolder = target + "/val dir;x";
  fs::create_directories(zipFolder);
  fs::create_directories(valFolder);
  const std::string command = "cd '" + source + "' && zip -q '" + zipFolder + "/codes; x.zip' *.qf";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  // A program named x that a re-split command line would run.
  const std::string bin = qn::testing::makeScratchDir("bin");
  writeFileText(bin + "/x", "#!/bin/sh\ntouch '" + bin + "/x-ran'\n");
  fs::permissions(bin + "/x", fs::perms::owner_all);
  const std::string path = std::getenv("PATH");
  setenv("PATH", (bin + ":" + path).c_str(), 1);
  form->Label2->SetCaption(valFolder);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kAskUnzip, mrYes).expect(mtWarning, kNoOtherUsers);
  boxes.expect(mtInformation, "Quillon Remote For Windows validation\r\nfiles have been successfully restored.");
  run([&](TDirBrowserForm& f) { unzipFrom(f, zipFolder, "codes; x.zip"); });
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(form->Result, 1);
  for (const char* name : ValidationFileNames) EXPECT_EQ(readFileText(valFolder + "/" + name), std::string("new ") + name);
  EXPECT_FALSE(fs::exists(bin + "/x-ran"));
  EXPECT_FALSE(fs::exists(target + "/val dir"));
}

TEST_F(DirBrowserFormTest, TheZipFileAndTheUnzipProgramAreCheckedFirst) {
  writeFileText(zips + "/codes.txt", "text");
  writeFileText(zips + "/codes.zip", "PK");
  ProgramDir = qn::testing::makeScratchDir("empty-program");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kAskUnzip, mrYes);
  boxes.expect(mtError, zips + "/codes.txt is not a valid ZIP file");
  boxes.expect(mtError,
               "PKUNZIP.EXE is missing from your program directory.\r\nValidation files cannot be restored without it.");
  run([&](TDirBrowserForm& f) {
    f.FileListBox1->SetMask("*.*");
    unzipFrom(f, zips, "codes.txt");
    const int index = f.FileListBox1->Items()->IndexOf("codes.zip");
    f.FileListBox1->SetItemIndex(index);
    f.UnzipBitBtn->Click();
    f.CancelBitBtn->Click();
  });
  EXPECT_EQ(form->Result, 0);
}

TEST_F(DirBrowserFormTest, TheExportProgramsCaptionsOnlySetTheResult) {
  for (const char* caption : {"Select a directory to receive the exported files",
                              "Select the folder to which the files are exported",
                              "Select the folder that contains the files to import"}) {
    SCOPED_TRACE(caption);
    form->SetCaption(caption);
    ScriptedMessageBoxes none;
    run([&](TDirBrowserForm& f) {
      f.DirectoryListBox1->SetDirectory(source);
      f.BitBtn1->Click();
    });
    EXPECT_EQ(form->Result, 1);
    EXPECT_EQ(form->DirectoryListBox1->Directory(), source);
    expectTargetUntouched();
  }
}

}  // namespace
}  // namespace dialogs_test
