#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "framework/base/Exception.h"
#include "framework/ui/DriveBox.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"
#include "platform/os/MachineRoot.h"
#include "testing/TestDirs.h"

namespace qn::ui::testing {
namespace {
namespace fs = std::filesystem;

AnsiString itemsOf(ListBox* list) { return list->Items()->CommaText(); }

class FileControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    fs::remove(qn::os::driveMapFile());
    for (const char* file : {"A.QIC", "b.qic", "c.txt", "Notes.QIC.bak"}) touch(fs::path(dir) / "Lists" / file);
    for (const char* folder : {"Lists/Beta", "Lists/alpha", "Lists/.cache", "Lists/Beta/Deep", "Other.qic"})
      fs::create_directories(fs::path(dir) / folder);
    form = new TTestForm;
  }
  void TearDown() override { delete form; }
  static void touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
  }
  template <class Control>
  Control* place(Control* control) {
    control->SetParent(form);
    return control;
  }

  std::string dir = qn::testing::makeScratchDir("filecontrols");
  TTestForm* form;
  Log log;
};

TEST_F(FileControlsTest, AFileListShowsTheFilesMatchingItsMaskWithoutCase) {
  auto* files = place(new FileList(form));
  files->SetDirectory(dir + "/lists");
  files->SetMask("*.qic");
  EXPECT_EQ(itemsOf(files), "A.QIC,b.qic") << "no c.txt, no folder";
  files->SetMask("*.TXT;*.qic");
  EXPECT_EQ(itemsOf(files), "A.QIC,b.qic,c.txt");
  files->SetMask("*.*");
  EXPECT_EQ(files->Items()->Count(), 4);
  files->SetItemIndex(1);
  EXPECT_EQ(files->FileName(), dir + "/lists/b.qic");
  files->SetDirectory("");
  files->SetDirectory(dir + "/Lists");
  EXPECT_EQ(files->ItemIndex(), -1) << "a new reading chooses nothing";
  EXPECT_EQ(files->FileName(), "");
}

TEST_F(FileControlsTest, AMissingFolderOrMaskGivesAnEmptyFileList) {
  auto* files = place(new FileList(form));
  for (const AnsiString& folder : {dir + "/Missing", AnsiString("Z:\\data"), dir + "/Lists/A.QIC"}) {
    files->SetDirectory(folder);
    EXPECT_EQ(files->Items()->Count(), 0) << folder;
  }
  files->SetDirectory(dir + "/Lists");
  for (const char* mask : {"*.xyz", ""}) {
    files->SetMask(mask);
    EXPECT_EQ(files->Items()->Count(), 0) << mask;
  }
}

TEST_F(FileControlsTest, ChoosingAFileByKeyTellsItsChange) {
  auto* files = place(new FileList(form));
  files->SetDirectory(dir + "/Lists");
  files->SetMask("*.qic");
  files->OnChange = [&](TObject*) { log.push_back(files->FileName()); };
  form->Show();
  form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  files->SetFocus();
  QTest::keyClick(files->Window(), Qt::Key_B);
  EXPECT_EQ(log, Log{dir + "/Lists/b.qic"});
}

TEST_F(FileControlsTest, AFolderListShowsThePathDownToItsFolderThenTheSubfolders) {
  auto* folders = place(new FolderList(form));
  folders->SetDirectory(dir + "/Lists/");
  const int depth = static_cast<int>(folders->Items()->Count()) - 3;  // the path's own steps
  ASSERT_GT(depth, 1);
  EXPECT_EQ(folders->Items()->Get(0), "/");
  EXPECT_EQ(folders->Items()->Get(depth), "Lists");
  EXPECT_EQ(folders->Items()->Get(depth + 1), "alpha") << "in name order without case, no hidden folder";
  EXPECT_EQ(folders->Items()->Get(depth + 2), "Beta");
  EXPECT_EQ(folders->ItemIndex(), depth) << "the folder itself is the current item";
  EXPECT_EQ(folders->Directory(), dir + "/Lists");
  EXPECT_EQ(folders->FolderAt(depth + 2), dir + "/Lists/Beta");
  EXPECT_THROW(folders->FolderAt(depth + 3), EListError);

  for (const AnsiString& missing : {dir + "/NoSuchFolder", AnsiString("Z:\\data"), dir + "/Lists/A.QIC"}) {
    folders->SetDirectory(missing);
    EXPECT_EQ(folders->Items()->Count(), 0) << missing;
    EXPECT_EQ(folders->ItemIndex(), -1);
  }
}

TEST_F(FileControlsTest, OpeningAFolderTakesTheLinkedFileListAlong) {
  touch(fs::path(dir) / "Lists" / "Beta" / "d.qic");
  auto* folders = place(new FolderList(form));
  auto* files = place(new FileList(form));
  files->SetMask("*.qic");
  folders->SetDirectory(dir + "/Lists");
  folders->SetFileList(files);
  folders->OnChange = [&](TObject*) { log.push_back(folders->Directory()); };
  EXPECT_EQ(itemsOf(files), "A.QIC,b.qic");
  form->Show();
  form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  folders->SetFocus();
  QTest::keyClick(folders->Window(), Qt::Key_B);
  QTest::keyClick(folders->Window(), Qt::Key_Return);
  EXPECT_EQ(folders->Directory(), dir + "/Lists/Beta");
  EXPECT_EQ(itemsOf(files), "d.qic");
  EXPECT_EQ(folders->Items()->Get(folders->Items()->Count() - 1), "Deep");

  auto* view = static_cast<QListWidget*>(folders->Window());
  const int parent = folders->ItemIndex() - 1;
  const QPoint onParent = view->visualItemRect(view->item(parent)).center();
  // As the desktop sends it: a click, then the second press as a double click.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onParent);
  EXPECT_EQ(folders->Directory(), dir + "/Lists/Beta") << "one click only chooses";
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, onParent);
  EXPECT_EQ(folders->Directory(), dir + "/Lists");
  EXPECT_EQ(log, (Log{dir + "/Lists/Beta", dir + "/Lists"}));
  delete files;
  folders->SetDirectory(dir);
  EXPECT_EQ(folders->FileList(), nullptr) << "a freed file list is forgotten";
}

TEST_F(FileControlsTest, ADriveBoxListsTheDrivesOfTheDriveMap) {
  std::ofstream(qn::os::driveMapFile()) << "q=" << dir << "/Lists\nC=" << dir << "\n";
  auto* drives = place(new DriveBox(form));
  auto* folders = place(new FolderList(form));
  drives->SetFolderList(folders);
  drives->OnChange = [&](TObject*) { log.push_back(std::string(1, drives->Drive())); };
  EXPECT_EQ(drives->Items()->Count(), 2);
  EXPECT_EQ(drives->Items()->Get(0), "C: [" + dir + "]");
  EXPECT_EQ(drives->Items()->Get(1), "Q: [" + dir + "/Lists]");
  EXPECT_EQ(drives->Drive(), 'C');
  drives->SetDrive('q');
  EXPECT_EQ(drives->Drive(), 'Q');
  EXPECT_EQ(folders->Directory(), "Q:\\");
  EXPECT_EQ(itemsOf(folders), "Q:\\,alpha,Beta") << "the drive's folder, reached through the map";
  try {
    drives->SetDrive('X');
    ADD_FAILURE() << "an unmapped drive was taken";
  } catch (const EListError& e) {
    EXPECT_EQ(AnsiString(e.Message()), "The drive map has no drive X:");
  }
  EXPECT_EQ(drives->Drive(), 'Q');
  EXPECT_EQ(log, Log{"Q"});

  std::ofstream(qn::os::driveMapFile()) << "C=/srv\nnot a drive line\n";
  drives->Update();
  EXPECT_EQ(drives->Items()->Count(), 0) << "a damaged map offers no drive";
  EXPECT_EQ(drives->Drive(), 0);
}

}  // namespace
}  // namespace qn::ui::testing
