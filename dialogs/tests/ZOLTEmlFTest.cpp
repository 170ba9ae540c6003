// The e-mail settings as a user meets them, offscreen, on the test's own machine root: what they
// show of the stored values, what Save writes under the Host key and what Exit leaves.
#include <gtest/gtest.h>

#include <QTest>

#include <functional>
#include <map>

#include "core/Constants.h"
#include "core/SettingKeys.h"
#include "dialogs/PrntDefF.h"
#include "dialogs/ZOLTEmlF.h"
#include "framework/ui/Application.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/RegistryKey.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const char* const kNames[] = {"ZOLT_Email",         "Statement_Email",    "ZOLT_AutoEmailFrom",
                              "ZOLT_AutoEmailHost", "ZOLT_AutoEmailPort", "StatementEmailLogLimit"};
const AnsiString kPortText =
    "The outgoing email port setting must be a positive number.  Please consult with your ISP Host if you are unsure "
    "of the correct setting.";
const AnsiString kSuite = "Quillon Emailer";
const AnsiString kMicrosoft = "Microsoft compliant Email Program (Outlook, Eureka, others)";
const AnsiString kThunderbird = "Mozilla Thunderbird (open source download)";

class ZOLTEmlFTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey(HostKey);
    qn::os::RegistryKey(qn::os::HKEY_CURRENT_USER).DeleteKey("\\Software\\Microsoft");
    host().CreateKey(HostKey);
    setHost("StatementEmailLogLimit", "300");
    printing = std::make_unique<TPrntDefF>(nullptr);
  }
  static qn::os::RegistryKey host() { return qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE); }
  static void setHost(const char* name, const AnsiString& value) {
    qn::os::RegistryKey registry = host();
    registry.OpenKey(HostKey, true);
    registry.WriteString(name, value);
  }
  static std::map<std::string, AnsiString> hostValues() {
    qn::os::RegistryKey registry = host();
    registry.OpenKey(HostKey, false);
    std::map<std::string, AnsiString> values;
    for (const char* name : kNames) values[name] = registry.ValueExists(name) ? registry.ReadString(name) : "<missing>";
    return values;
  }
  // EmailSetup with the given values; `user` acts on the form while it is shown.
  bool run(std::vector<AnsiString> settings, std::function<void(TZOLTEmlF&)> user) {
    qn::ui::postCall([user] {
      TZOLTEmlF* form = nullptr;
      ASSERT_TRUE(QTest::qWaitFor([&form] {
        form = dynamic_cast<TZOLTEmlF*>(Screen->activeForm());
        return form != nullptr;
      })) << "no e-mail settings came up";
      user(*form);
      if (form->Modal()) form->SetModalResult(mrCancel);
    });
    const int count = static_cast<int>(settings.size());
    const bool saved = printing->EmailSetup(settings, count);
    result = settings;
    return saved;
  }
  static std::vector<AnsiString> names(TZOLTEmlF& f) {
    std::vector<AnsiString> rows;
    for (int row = 1; row < f.ProgramGrid->rowCount(); ++row)
      rows.push_back((f.ProgramGrid->allowed(row) ? "+" : "-") + f.ProgramGrid->cellText(EmailProgramGrid::NameColumn, row));
    return rows;
  }
  std::unique_ptr<TPrntDefF> printing;
  std::vector<AnsiString> result;
};

TEST_F(ZOLTEmlFTest, AnEmptyReportValueShowsTheSuitesSenderFirstAndAllowedAndCustomText) {
  ScriptedMessageBoxes none;
  EXPECT_FALSE(run({"", "", ""}, [](TZOLTEmlF& f) {
    EXPECT_EQ(f.Caption(), "Quillon Email Setup");
    EXPECT_EQ(f.ProgramGrid->cellText(EmailProgramGrid::NameColumn, 0), "Email ZOLT Reports using:");
    EXPECT_EQ(names(f), (std::vector<AnsiString>{"+" + kSuite, "-" + kThunderbird, "-" + kMicrosoft}));
    EXPECT_EQ(f.ReportTextRadioGroup->ItemIndex(), TZOLTEmlF::ReportCustom);
    EXPECT_EQ(f.ReportEmailValue(), "|Eoi20");
    EXPECT_TRUE(f.SenderRadioGroup->Enabled());
    EXPECT_EQ(f.SenderRadioGroup->ItemIndex(), TZOLTEmlF::SenderPrompt);
    EXPECT_EQ(f.SubjectEdit->Text(), "Quillon statement");
    EXPECT_EQ(f.ProgramGrid->Font()->Name(), "Arial");
    EXPECT_EQ(f.ProgramGrid->Font()->Size(), 7);
    f.ExitBitBtn->Click();
  }));
}

TEST_F(ZOLTEmlFTest, TheOrderAndTicksOfTheGridAreSavedAsTheLetters) {
  ScriptedMessageBoxes none;
  EXPECT_TRUE(run({"|Eoi20", "", ""}, [](TZOLTEmlF& f) {
    // Microsoft's row moves to the top by the spin button; only it stays ticked.
    f.ProgramGrid->SetRow(3);
    f.ProgramSpinButton->OnUpClick(f.ProgramSpinButton);
    f.ProgramSpinButton->OnUpClick(f.ProgramSpinButton);
    EXPECT_EQ(f.ProgramGrid->Row(), 1);
    EXPECT_EQ(names(f), (std::vector<AnsiString>{"-" + kMicrosoft, "+" + kSuite, "-" + kThunderbird}));
    f.ProgramGrid->setAllowed(1, true);
    f.ProgramChecked(1);
    f.SenderRadioGroup->SetItemIndex(TZOLTEmlF::SenderFrom);
    f.SenderEdit->SetText("office@example.com");
    f.ProgramGrid->setAllowed(2, false);
    f.ProgramChecked(2);
    EXPECT_FALSE(f.SenderRadioGroup->Enabled()) << "without the suite's sender there is no sender to choose";
    EXPECT_EQ(f.SenderEdit->Text(), "");
    f.SaveBitBtn->Click();
  }));
  EXPECT_EQ(hostValues()["ZOLT_Email"], "|Ieo20");
  EXPECT_EQ(hostValues()["ZOLT_AutoEmailFrom"], "");
  EXPECT_EQ(result.at(0), "|Ieo20");
}

TEST_F(ZOLTEmlFTest, TheStatementValueAndTheCustomReportTextRoundTrip) {
  ScriptedMessageBoxes none;
  EXPECT_TRUE(run({"|EIo20Please find the report attached.", "clerk@example.com", "Monthly|1|Thank you"},
                  [](TZOLTEmlF& f) {
                    EXPECT_EQ(f.ReportTextMemo->Text(), "Please find the report attached.");
                    EXPECT_TRUE(f.ReportTextMemo->Enabled());
                    EXPECT_EQ(f.SubjectEdit->Text(), "Monthly");
                    EXPECT_EQ(f.StatementTextRadioGroup->ItemIndex(), TZOLTEmlF::StatementCustom);
                    EXPECT_EQ(f.StatementTextMemo->Text(), "Thank you");
                    EXPECT_EQ(f.SenderRadioGroup->ItemIndex(), TZOLTEmlF::SenderFrom);
                    f.HostEdit->SetText("mail.example.com");
                    f.PortEdit->SetText("587");
                    f.SaveBitBtn->Click();
                  }));
  const auto values = hostValues();
  EXPECT_EQ(values.at("ZOLT_Email"), "|EIo20Please find the report attached.");
  EXPECT_EQ(values.at("Statement_Email"), "Monthly|1|Thank you");
  EXPECT_EQ(values.at("ZOLT_AutoEmailFrom"), "clerk@example.com");
  EXPECT_EQ(values.at("ZOLT_AutoEmailHost"), "mail.example.com");
  EXPECT_EQ(values.at("ZOLT_AutoEmailPort"), "587");
  EXPECT_EQ(values.at("StatementEmailLogLimit"), "300");
}

TEST_F(ZOLTEmlFTest, ALogLimitThatIsNoNumberShows150AndAMissingOneIsWritten) {
  ScriptedMessageBoxes none;
  setHost("StatementEmailLogLimit", "abc");
  run({"", "", ""}, [](TZOLTEmlF& f) { EXPECT_EQ(f.LogLimitSpinEdit->Value(), 150); });
  EXPECT_EQ(hostValues()["StatementEmailLogLimit"], "abc");
  qn::os::RegistryKey registry = host();
  registry.OpenKey(HostKey, false);
  registry.DeleteValue("StatementEmailLogLimit");
  run({"", "", ""}, [](TZOLTEmlF& f) { EXPECT_EQ(f.LogLimitSpinEdit->Value(), 150); });
  EXPECT_EQ(hostValues()["StatementEmailLogLimit"], "150");
}

TEST_F(ZOLTEmlFTest, APortOutsideZeroTo65535IsRefusedWithItsText) {
  for (const char* port : {"-1", "70000", "x", "1.5"}) {
    SCOPED_TRACE(port);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, kPortText).expect(mtInformation, kPortText);
    EXPECT_FALSE(run({"", "", ""}, [port](TZOLTEmlF& f) {
      f.PortEdit->SetText(port);
      f.PortEditExit(f.PortEdit);
      f.SaveBitBtn->Click();
      EXPECT_TRUE(f.Modal()) << "Save keeps the form open";
    }));
    EXPECT_EQ(hostValues()["ZOLT_AutoEmailPort"], "<missing>");
  }
  ScriptedMessageBoxes none;
  EXPECT_TRUE(run({"", "", ""}, [](TZOLTEmlF& f) {
    f.PortEdit->SetText("65535");
    f.PortEditExit(f.PortEdit);
    f.SaveBitBtn->Click();
  }));
  EXPECT_EQ(hostValues()["ZOLT_AutoEmailPort"], "65535");
}

TEST_F(ZOLTEmlFTest, ExitLeavesEveryValueAsItWas) {
  setHost("ZOLT_Email", "|iEO10");
  setHost("ZOLT_AutoEmailHost", "smtp.office.example");
  setHost("ZOLT_AutoEmailPort", "25");
  const auto before = hostValues();
  ScriptedMessageBoxes none;
  EXPECT_FALSE(run({"|iEO10", "", "Quarterly|0|"}, [](TZOLTEmlF& f) {
    EXPECT_EQ(f.HostEdit->Text(), "smtp.office.example");
    EXPECT_EQ(f.PortEdit->Text(), "25");
    f.ProgramGrid->setAllowed(1, true);
    f.HostEdit->SetText("elsewhere");
    f.SubjectEdit->SetText("Changed");
    f.ExitBitBtn->Click();
  }));
  EXPECT_EQ(hostValues(), before);
}

TEST_F(ZOLTEmlFTest, TheDesktopAccountGivesTheDefaultSenderAndHost) {
  qn::os::RegistryKey account(qn::os::HKEY_CURRENT_USER);
  account.OpenKey("\\Software\\Microsoft\\Internet Account Manager\\Accounts\\00000001", true);
  account.WriteString("SMTP Email Address", "me@example.com");
  account.WriteString("SMTP Server", "smtp.example.com");
  setHost("ZOLT_AutoEmailFrom", "older@example.com");
  ScriptedMessageBoxes none;
  run({"", "", ""}, [](TZOLTEmlF& f) {
    EXPECT_EQ(f.SenderEdit->Text(), "me@example.com");
    EXPECT_EQ(f.HostEdit->Text(), "smtp.example.com");
  });
}

TEST_F(ZOLTEmlFTest, AValueThatCannotBeWrittenIsToldAndSetupAnswersFalse) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Unable to reset the 'ZOLT_Email' value at this time." + ContactSupportText);
  EXPECT_FALSE(run({"", "", ""}, [](TZOLTEmlF& f) {
    qn::os::injectFault(qn::os::Fault::HiveWrite);
    f.SaveBitBtn->Click();
    EXPECT_TRUE(f.Modal());
    f.ExitBitBtn->Click();
  }));
  EXPECT_EQ(hostValues()["ZOLT_Email"], "<missing>");
}

}  // namespace
}  // namespace dialogs_test
