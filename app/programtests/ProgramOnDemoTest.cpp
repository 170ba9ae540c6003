// The program on a seeded demo: its main block in this process with the real forms, and the
// program itself started by the launch script as a user's desktop starts it.
#include <gtest/gtest.h>
#include <signal.h>

#include <QImage>
#include <QPixmap>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#include "app/programtests/DemoPrograms.h"
#include "app/programtests/DemoScreenshots.h"
#include "app/programtests/MainBlockOnDemo.h"
#include "casewindow/AttorneyPickerPanels.h"
#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseDescriptionF.h"
#include "casewindow/CaseF.h"
#include "casewindow/CodePickerPanels.h"
#include "core/Constants.h"
#include "core/DM.h"
#include "core/DM2.h"
#include "core/FileDates.h"
#include "core/RecordFiles.h"
#include "dialogs/CaseAddressF.h"
#include "dialogs/DirBrowserForm.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "datagrid/DBGrid.h"
#include "dialogs/EBFModF.h"
#include "dialogs/FindDlgF.h"
#include "dialogs/MemoF.h"
#include "dialogs/OptFieldsF.h"
#include "dialogs/MNGRSelF.h"
#include "dialogs/NotesF.h"
#include "dialogs/PasteF.h"
#include "dialogs/PermDelF.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/ReAllocF.h"
#include "dialogs/UndeleteF.h"
#include "dialogs/ZOLTEmlF.h"
#include "core/Globals.h"
#include "framework/base/DateTime.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"
#include "framework/ui/InstalledPrinters.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/WindowRegistry.h"
#include "recordmgr/Database.h"
#include "recordmgr/Sessions.h"
#include "testing/TestDirs.h"
#include "platform/os/ExecutablePath.h"

namespace {

namespace fs = std::filesystem;
using demoprograms::MainBlockOnDemo;
using demoprograms::eventually;
using demoprograms::filesUnder;
using demoprograms::programFolder;
using demoprograms::saveScreenshot;
using demoprograms::seedDemo;
using demoprograms::todayArgument;

TEST(ProgramOnDemo, TheMainBlockShowsTheCaseWindowWithOnlyTheHeadersTablesAndTheTransactionDatabaseOpen) {
  // The test program's main seeded the demo its units started on.
  MainBlockOnDemo program({todayArgument()});
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_FALSE(Application->Terminated()) << program.errors();

  auto* main = dynamic_cast<TCaseF*>(Application->MainForm());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main, CaseF);
  ASSERT_NE(PrntDefF, nullptr);
  EXPECT_EQ(PrntDefF->Name(), "PrntDefF");
  EXPECT_EQ(program.errors().find("TPrntDefF"), std::string::npos) << program.errors();
  // The case window's dialogs and its description editor, kept in their form variables.
  const std::vector<std::pair<TComponent*, const char*>> dialogs = {
      {FindDlgF, "TFindDlgF"}, {UndeleteF, "TUndeleteF"}, {EBFModF, "TEBFModF"}, {PermDelF, "TPermDelF"},
      {MemoF, "TMemoF"},       {OptFieldsF, "TOptFieldsF"}, {ReAllocF, "TReAllocF"},
      {DepartmentF, "TDepartmentF"}, {CaType1F, "TCaType1F"}, {CaType2F, "TCaType2F"},
      {RA1F, "TRA1F"},         {RA2F, "TRA2F"}, {BillingBoxF, "TBillingBoxF"},
      {CaseDescriptionF, "TCaseDescriptionF"}};
  for (const auto& [form, className] : dialogs) {
    ASSERT_NE(form, nullptr) << className;
    EXPECT_EQ(form->ClassName(), className);
    EXPECT_EQ(form->Owner(), Application) << className;
    EXPECT_EQ(program.errors().find(className), std::string::npos) << program.errors();
  }
  EXPECT_EQ(main->Name(), "CaseF");
  EXPECT_EQ(main->Tag(), 100);
  EXPECT_TRUE(main->Visible());
  EXPECT_EQ(main->WindowState(), wsNormal);
  EXPECT_EQ(Screen->activeForm(), main);
  EXPECT_EQ(main->Caption(), CaseModeCaption);
  EXPECT_EQ(main->StatusBar1->Panels()->Items(2)->Text(), "Quillon demo data");
  ASSERT_NE(DM, nullptr);
  ASSERT_NE(DM2, nullptr);

  // The header, in front with the focus, opened the client and case tables as it was first
  // activated; nothing else is open.
  const std::set<TDataSet*> headers = {DM->Client1_, DM->Client2_, DM->Case1_, DM->Case2_};
  for (int i = 0; i < DM->ComponentCount(); ++i) {
    if (auto* table = dynamic_cast<TDataSet*>(DM->Components(i))) {
      EXPECT_EQ(table->Active(), headers.count(table) == 1) << table->Name() << " after start-up";
    }
  }
  // Of the record files only the header's format names (92) may be open: it keeps them for the
  // run once a billing format was captioned.
  for (int fileNo = 0; fileNo < 256; ++fileNo)
    if (fileNo != 92) EXPECT_FALSE(IsRecordFileOpen(static_cast<uint8_t>(fileNo))) << "record file " << fileNo;
  // Besides the transaction database, only the temporary database of the main window's settings
  // table stays connected, as the session keeps its connections; no dataset is open on it.
  TttSession* session = DefaultBtrieveSession();
  ASSERT_TRUE(session->KeepConnections());
  for (int i = 0; i < session->DatabaseCount(); ++i) {
    TttDatabase* database = session->Databases(i);
    if (database == DM2->QNDatabase || !database->Connected()) continue;
    EXPECT_TRUE(database->Temporary()) << database->DatabaseName();
    EXPECT_EQ(database->DataSetCount(), 0) << database->DatabaseName();
  }
  EXPECT_TRUE(DM2->QNDatabase->Connected());

  EXPECT_TRUE(saveScreenshot(main, "qncases-case.png"));
}

// The printing choices as the audit trail and a statement run would open them on the demo, each
// pictured for a person to look at.
TEST(ProgramOnDemo, ThePrintingChoicesShowTheDemosChoicesForTheAuditTrailAndForStatements) {
  MainBlockOnDemo program({todayArgument()});
  const auto previous = qn::ui::setInstalledPrinterSource(
      [] { return qn::ui::InstalledPrinters{{"Office Laser", "Front Desk"}, "Office Laser", {}}; });
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_NE(PrntDefF, nullptr);
  auto shoot = [&](const char* name) {
    qn::ui::postCall(PrntDefF, [name] {
      EXPECT_TRUE(saveScreenshot(PrntDefF, name));
      PrntDefF->CancelBtn->Click();
    });
  };
  {
    // The demo's audit trail goes to a "*+" file in the reports folder.
    qn::ui::testing::ScriptedMessageBoxes none;
    shoot("prntdeff-demo-63.png");
    PrntDefF->GetPrinterInfo(0, 63);
    EXPECT_EQ(PrntDefF->PrintToRadioGroup->ItemIndex(), TPrntDefF::ptFile);
    EXPECT_EQ(PrntDefF->FileNameEdit->Text().substr(0, 2), "GL");
  }
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation,
               "The PRINT01.QC  file is damaged or incomplete - can't find report number 1.\rDo you want to use the "
               "default settings for printing?",
               mrYes);
  shoot("prntdeff-demo-1.png");
  PrntDefF->GetPrinterInfo(0, 1);
  EXPECT_EQ(PrntDefF->PrinterComboBox->Text(), "Office Laser");
  qn::ui::setInstalledPrinterSource(previous);
}

// The case dialogs the main block makes, on the demo, each pictured for a person to look at: the
// notes of the demo's first matter, the validation-file browser on the data folder and the
// e-mail settings.
TEST(ProgramOnDemo, TheMainBlockMakesTheCaseDialogsAndTheyShowTheDemo) {
  MainBlockOnDemo program({todayArgument()});
  ASSERT_TRUE(program.start()) << program.errors();
  for (const char* name : {"TPasteF", "TNotesF", "TMNGRSelF", "TDirBrowserForm"})
    EXPECT_EQ(program.errors().find(name), std::string::npos) << program.errors();
  ASSERT_NE(PasteF, nullptr);
  ASSERT_NE(NotesF, nullptr);
  ASSERT_NE(MNGRSelF, nullptr);
  ASSERT_NE(DirBrowserForm, nullptr);
  EXPECT_EQ(NotesF->Name(), "NotesF");
  auto save = [](TForm* form, const char* name) { EXPECT_TRUE(saveScreenshot(form, name)); };

  ASSERT_TRUE(DM->OpenCaseTables());
  DM->Case1_->SetIndexName("1");
  ASSERT_TRUE(DM->Case1_->FindKey({AnsiString("ADAMS  "), AnsiString("      1")}));
  AnsiString notes;
  ASSERT_TRUE(DM->LoadCaseNotes(notes));
  NotesF->SetCase("ADAMS", "      1");
  NotesF->NotesMemo->SetText(notes);
  NotesF->Show();
  Application->runUntilIdle();
  EXPECT_EQ(NotesF->CaseLabel->Caption(), "ADAMS-1");
  save(NotesF, "notesf-demo.png");
  NotesF->Close();

  DirBrowserForm->Label2->SetCaption(LookupDataDir);
  DirBrowserForm->DirectoryListBox1->SetDirectory(DataDir);
  save(DirBrowserForm, "dirbrowserform-demo.png");

  TZOLTEmlF email(nullptr);
  email.LoadSettings("|EIo20Please find the report attached.", "office@example.com", "Monthly statement|1|Thank you");
  email.FormShow(&email);
  save(&email, "zolteml-demo.png");

  // The matter's addresses: its substitute, an additional and a hidden one, saved as a user would.
  CaseAddressMatter adams;
  adams.Client = "ADAMS";
  adams.Suffix = "      1";
  adams.ClientName = "Adams Harriet";
  adams.AddressLine1 = "14 Linden Row";
  adams.City = "Fairhaven";
  adams.StateZipCountry = "MA 02719";
  adams.Phone1 = "508-555-0142";
  ActiveFileRights[2] = "Y";
  TCaseAddressF addresses(nullptr);
  addresses.SetMatter(adams);
  addresses.LabelIDData->SetCaption("ADAMS 1\tEstate of Harriet Adams");
  addresses.Show();
  ASSERT_TRUE(addresses.ShowsClientAddress());
  save(&addresses, "caseaddressf-client-demo.png");
  const std::array<std::array<const char*, 4>, 3> saved = {{{"S", "Harriet Adams, Trustee", "2 Harbor Lane", "Mattapoisett"},
                                                           {"X", "Adams Family Office", "PO Box 77", "Boston"},
                                                           {"Z", "Old Fairhaven Address", "9 Mill St", "Fairhaven"}}};
  TDataSet* table = DM->CaseAddresses;
  for (const auto& [type, name, line, city] : saved) {
    if (table->State() == dsBrowse) table->Append();
    table->FieldByName("Address Type")->SetAsString(type);
    table->FieldByName("Name1")->SetAsString(name);
    table->FieldByName("AddressLine1")->SetAsString(line);
    table->FieldByName("City")->SetAsString(city);
    table->FieldByName("StateZipCountry")->SetAsString("MA 02739");
    table->Post();
  }
  addresses.Close();
  addresses.Show();
  Application->runUntilIdle();
  EXPECT_FALSE(addresses.ShowsClientAddress());
  save(&addresses, "caseaddressf-demo.png");
  addresses.Close();
}

struct LaunchedProgram {
  explicit LaunchedProgram(const std::string& demo, bool calendar) {
    pid = fork();
    if (pid == 0) {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      const std::string script = std::string(QN_SOURCE_DIR) + "/scripts/run-qncases";
      if (calendar)
        execl(script.c_str(), script.c_str(), demo.c_str(), "--calendar", static_cast<char*>(nullptr));
      else
        execl(script.c_str(), script.c_str(), demo.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  int end() {
    ::kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  pid_t pid;
};

class LaunchedOnDemo : public ::testing::TestWithParam<bool> {};

TEST_P(LaunchedOnDemo, RegistersItsMainWindowAndEndsCleanlyOnTermination) {
  const bool calendar = GetParam();
  const std::string demo = seedDemo();
  // Seeding wrote every value start-up would otherwise write.
  const auto rootBefore = filesUnder(demo + "/root");
  LaunchedProgram program(demo, calendar);
  std::optional<qn::os::WindowEntry> window;
  const AnsiString caption = calendar ? CalendarModeCaption : CaseModeCaption;
  ASSERT_TRUE(eventually([&] { return (window = qn::os::windowRegistry::find("TCaseF", caption)).has_value(); }))
      << "the program never showed its main window";
  // The title is the mode's once the window has been shown.
  const AnsiString title = calendar ? "Calendar" : "Case";
  EXPECT_TRUE(eventually([&] {
    const auto application = qn::os::windowRegistry::find(window->owner);
    return application && application->caption == title;
  }));
  EXPECT_TRUE(window->mainWindow);

  EXPECT_EQ(program.end(), 0);
  for (const auto& entry : fs::directory_iterator(demo + "/data")) {
    // The record manager's lock files lie beside its files; folders hold no records.
    if (!entry.is_regular_file() || entry.path().extension() == ".lck") continue;
    const std::string command =
        "'" + (programFolder() / "qnrecmgr").string() + "' check '" + entry.path().string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << entry.path();
  }
  EXPECT_EQ(filesUnder(demo + "/root"), rootBefore);
}

// The fee split of the demo's dummy matter and the reallocation dialog the main block made, each
// pictured for a person to look at.
TEST(ProgramOnDemo, TheFeeSplitAndTheReallocationShowTheDemosDummy) {
  MainBlockOnDemo program({todayArgument()});
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_NE(ReAllocF, nullptr);
  auto save = [](TForm* form, const char* name) { EXPECT_TRUE(saveScreenshot(form, name)); };
  DummyClient = "BRIGHT";
  DummySuffix = "     10";
  {
    qn::ui::testing::ScriptedMessageBoxes none;
    TFeeSplitF split(nullptr);
    split.Show();
    split.FormActivate(&split);
    Application->runUntilIdle();
    ASSERT_TRUE(split.InVisit());
    EXPECT_EQ(split.dcDBGrid1->ColumnByName("FeePerCent").FooterValue(), "100.0000");
    save(&split, "feesplitf-demo.png");
    split.Close();
  }
  {
    qn::ui::testing::ScriptedMessageBoxes none;
    ReAllocF->Show();
    Application->runUntilIdle();
    EXPECT_EQ(ReAllocF->Label1->Caption(), "Dummy Matter: BRIGHT-10");
    save(ReAllocF, "reallocf-demo.png");
    ReAllocF->Close();
  }
}

INSTANTIATE_TEST_SUITE_P(BothModes, LaunchedOnDemo, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Calendar" : "Case"; });

}  // namespace
