#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

TEST(ScriptedMessageBoxesTest, ExpectedBoxGetsItsAnswer) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Cancel changes to the current record?", mrNo)
      .expect(mtInformation, "You may not access Case at this time.\r");
  EXPECT_EQ(MessageDlg("Cancel changes to the current record?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(MessageDlg("You may not access Case at this time.\r", mtInformation, {mbOK}, 0), mrOk);
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].buttons, (TMsgDlgButtons{mbNo, mbYes}));
}

TEST(ScriptedMessageBoxesTest, UnexpectedBoxFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedMessageBoxes boxes;
        EXPECT_EQ(MessageDlg("Unable to read Sysop.qc", mtError, {mbOK}, 0), mrNone);
      },
      "an unexpected error box appeared: \"Unable to read Sysop.qc\"");
}

TEST(ScriptedMessageBoxesTest, WrongKindFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedMessageBoxes boxes;
        boxes.expect(mtWarning, "A valid entry is required.");
        MessageDlg("A valid entry is required.", mtError, {mbOK}, 0);
      },
      "a error box appeared where a warning box was expected");
}

TEST(ScriptedMessageBoxesTest, WrongTextFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedMessageBoxes boxes;
        boxes.expect(mtInformation, "Line one\rLine two");
        MessageDlg("Line one\nLine two", mtInformation, {mbOK}, 0);
      },
      "where \"Line one\rLine two\" was expected");
}

TEST(ScriptedMessageBoxesTest, BoxThatNeverAppearsFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedMessageBoxes boxes;
        boxes.expect(mtWarning, "A valid entry is required.");
      },
      "an expected warning box never appeared: \"A valid entry is required.\"");
}

TEST(ScriptedMessageBoxesTest, AnswerWithoutItsButtonFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedMessageBoxes boxes;
        boxes.expect(mtConfirmation, "Do you wish to add this code now?", mrCancel);
        MessageDlg("Do you wish to add this code now?", mtConfirmation, {mbYes, mbNo}, 0);
      },
      "has no button for the answer");
}

TEST(ScriptedMessageBoxesTest, ScriptsNestAndRestore) {
  ScriptedMessageBoxes outer;
  outer.expect(mtInformation, "outer");
  {
    ScriptedMessageBoxes inner;
    inner.expect(mtInformation, "inner");
    MessageDlg("inner", mtInformation, {mbOK}, 0);
  }
  MessageDlg("outer", mtInformation, {mbOK}, 0);
}

TEST(MessageDialogsTest, CaptionsFollowTheKind) {
  Application->SetTitle("Case");
  struct Case {
    TMsgDlgType kind;
    const char* caption;
  };
  const Case cases[] = {{mtWarning, "Warning"},       {mtError, "Error"}, {mtInformation, "Information"},
                        {mtConfirmation, "Confirm"}, {mtCustom, "Case"}};
  for (const Case& c : cases) {
    ScriptedMessageBoxes boxes;
    boxes.expect(c.kind, "text");
    MessageDlg("text", c.kind, {mbOK}, 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, c.caption);
    EXPECT_FALSE(boxes.shown()[0].position) << "centred";
  }
}

TEST(MessageDialogsTest, PlainMessageShowsTheTitleAndOk) {
  Application->SetTitle(" ");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtCustom, "Unable to open Sysop.qc");
  ShowMessage("Unable to open Sysop.qc");
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].caption, " ");
  EXPECT_EQ(boxes.shown()[0].buttons, TMsgDlgButtons{mbOK});
}

TEST(MessageDialogsTest, PositionedDialogKeepsItsPlace) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Sorry, you don't have access to this function.");
  MessageDlgPos("Sorry, you don't have access to this function.", mtInformation, {mbOK}, 0, 130, 60);
  ASSERT_EQ(boxes.shown().size(), 1u);
  ASSERT_TRUE(boxes.shown()[0].position);
  EXPECT_EQ(boxes.shown()[0].position->x, 130);
  EXPECT_EQ(boxes.shown()[0].position->y, 60);
}

TEST(MessageDialogsTest, ApplicationMessageBoxReadsItsFlags) {
  struct Case {
    int flags;
    TMsgDlgType kind;
    TMsgDlgButtons buttons;
    TMsgDlgBtn defaultButton;
    TModalResult answer;
    int expected;
  };
  const Case cases[] = {
      {MB_OK | MB_ICONERROR, mtError, {mbOK}, mbOK, mrOk, IDOK},
      {MB_OKCANCEL | MB_ICONINFORMATION, mtInformation, mbOKCancel, mbOK, mrCancel, IDCANCEL},
      {MB_RETRYCANCEL | MB_ICONINFORMATION, mtInformation, {mbRetry, mbCancel}, mbRetry, mrRetry, IDRETRY},
      {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, mtConfirmation, {mbYes, mbNo}, mbNo, mrNo, IDNO},
      {MB_YESNOCANCEL, mtCustom, mbYesNoCancel, mbYes, mrCancel, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_ICONWARNING | MB_DEFBUTTON3, mtWarning, mbAbortRetryIgnore, mbIgnore, mrAbort,
       IDABORT},
  };
  for (const Case& c : cases) {
    ScriptedMessageBoxes boxes;
    boxes.expect(c.kind, "A record lock was encountered.  Retry?", c.answer);
    EXPECT_EQ(Application->MessageBox("A record lock was encountered.  Retry?", "Lock", c.flags), c.expected);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Lock");
    EXPECT_EQ(boxes.shown()[0].buttons, c.buttons) << std::hex << c.flags;
    EXPECT_EQ(boxes.shown()[0].defaultButton, c.defaultButton) << std::hex << c.flags;
  }
}

}  // namespace
