// The workstation's address clipboard file, byte for byte, and the paste choices offered over it.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "core/Globals.h"
#include "dialogs/AddressClipboard.h"
#include "dialogs/PasteF.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace dialogs_test {
namespace {

namespace fs = std::filesystem;
using qn::testing::readFileText;
using qn::testing::writeFileText;
using qn::ui::testing::ScriptedMessageBoxes;

// An address with a Windows-1252 letter (0xE9) and an "&".
ClipboardAddress sample() {
  return ClipboardAddress::of({"Smith & Caf\xE9 LLC", "Attn: Anna", "12 Main Street", "Suite 4", "Springfield",
                               "IL 62704", "555-0100", "555-0199"});
}

class AddressClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    folder = qn::testing::makeScratchDir("lookup");
    LookupDataDir = folder;
    WorkstationId = "07";
  }
  void TearDown() override {
    LookupDataDir.clear();
    WorkstationId.clear();
  }
  std::string folder;
};

TEST_F(AddressClipboardTest, TheFileHoldsNineLinesOfTheirWidthsInTheSuitesBytes) {
  EXPECT_EQ(AddressClipboardFile(), folder + "\\addrclip.07");
  ASSERT_TRUE(WriteAddressClipboard(AddressClipboardFile(), sample()));
  const std::string expected = std::string(30, ' ') + "\r\n" +                               //
                               "Smith & Caf\xE9 LLC" + std::string(60 - 16, ' ') + "\r\n" +    //
                               "Attn: Anna" + std::string(50, ' ') + "\r\n" +                 //
                               "12 Main Street" + std::string(46, ' ') + "\r\n" +             //
                               "Suite 4" + std::string(53, ' ') + "\r\n" +                    //
                               "Springfield" + std::string(19, ' ') + "\r\n" +                //
                               "IL 62704" + std::string(22, ' ') + "\r\n" +                   //
                               "555-0100" + std::string(12, ' ') + "\r\n" +                   //
                               "555-0199" + std::string(12, ' ') + "\r\n";
  EXPECT_EQ(readFileText(folder + "/addrclip.07"), expected);
  const auto back = ReadAddressClipboard(AddressClipboardFile());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Parts, sample().Parts);
}

TEST_F(AddressClipboardTest, AFileWithFewerLinesPastesThoseAndBlanksTheRest) {
  writeFileText(folder + "/addrclip.07", std::string(30, ' ') + "\r\nJones\r\nLine two\r\n");
  const auto back = ReadAddressClipboard(AddressClipboardFile());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Parts[0], "Jones" + std::string(55, ' '));
  EXPECT_EQ(back->Parts[1], "Line two" + std::string(52, ' '));
  for (int i = 2; i < ClipboardAddress::PartCount; ++i)
    EXPECT_EQ(back->Parts[i], std::string(ClipboardAddress::Widths[i], ' ')) << i;
}

TEST_F(AddressClipboardTest, AMissingFileIsMadeEmptyAndHoldsNoAddress) {
  ASSERT_TRUE(PrepareAddressClipboard(AddressClipboardFile()));
  EXPECT_EQ(readFileText(folder + "/addrclip.07"), "");
  EXPECT_FALSE(ReadAddressClipboard(AddressClipboardFile()));
  ASSERT_TRUE(WriteAddressClipboard(AddressClipboardFile(), sample()));
  ASSERT_TRUE(PrepareAddressClipboard(AddressClipboardFile()));
  EXPECT_TRUE(ReadAddressClipboard(AddressClipboardFile())) << "an existing clipboard is kept";
  LookupDataDir = folder + "/missing folder";
  EXPECT_FALSE(PrepareAddressClipboard(AddressClipboardFile()));
}

class PasteFTest : public AddressClipboardTest {
 protected:
  void SetUp() override {
    AddressClipboardTest::SetUp();
    form = std::make_unique<TPasteF>(nullptr);
  }
  void run(std::function<void(TPasteF&)> user) {
    TPasteF* f = form.get();
    qn::ui::postCall(f, [f, user] { user(*f); });
    qn::ui::postCall(f, [f] {
      if (f->Modal()) f->SetModalResult(mrCancel);
    });
    f->runModal();
  }
  std::unique_ptr<TPasteF> form;
};

TEST_F(PasteFTest, TheLabelsShowTheClipboardWithTheirAmpersandsDoubled) {
  form->ShowClipboard(sample());
  EXPECT_EQ(form->Caption(), "Paste Operation Choices");
  EXPECT_EQ(form->Labels[0]->Name(), "LabelFirstNameLine");
  EXPECT_EQ(form->Labels[0]->Caption(), "Smith && Caf\xE9 LLC");
  EXPECT_EQ(form->Labels[5]->Caption(), "IL 62704");
  for (CheckBox* box : form->CheckBoxes) EXPECT_TRUE(box->Checked());
}

TEST_F(PasteFTest, AllTickedPastesTheAddressAndNoneTickedPastesBlanks) {
  form->ShowClipboard(sample());
  EXPECT_EQ(form->Chosen(sample()).Parts, sample().Parts);
  for (CheckBox* box : form->CheckBoxes) box->SetChecked(false);
  EXPECT_EQ(form->Chosen(sample()).Parts, ClipboardAddress::of({}).Parts);
  form->CheckBoxes[2]->SetChecked(true);
  const ClipboardAddress one = form->Chosen(sample());
  EXPECT_EQ(one.Parts[2], sample().Parts[2]);
  EXPECT_EQ(one.Parts[0], std::string(60, ' '));
}

TEST_F(PasteFTest, OkChoosesThePasteAndHelpExplainsTheBoxes) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation,
               "If you are pasting over an existing address and wish to preserve\rsome of the current information, or "
               "you just want to paste portions of the\raddress currently on the clipboard, uncheck the box of any "
               "item you do not\rwant pasted.\r\rFor example, if you wish to change address information for a "
               "client, but\rnot the client's name, then uncheck \"First Name Line\" and the existing name\rwill not "
               "be overwritten.\r\rPlease contact Vantor, Inc. for additional clarification.");
  form->PasteChosen = true;
  run([](TPasteF& f) { f.CloseBitBtn->Click(); });
  EXPECT_FALSE(form->PasteChosen) << "showing clears the choice";
  run([](TPasteF& f) {
    f.HelpBitBtn->Click();
    f.BitBtnSave->Click();
  });
  EXPECT_TRUE(form->PasteChosen);
}

}  // namespace
}  // namespace dialogs_test
