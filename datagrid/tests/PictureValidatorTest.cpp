#include "datagrid/PictureValidator.h"

#include <gtest/gtest.h>

namespace {

struct PictureCase {
  const char* mask;
  AnsiString text;
  int result;            // the same with and without auto-fill unless filledResult says otherwise
  AnsiString stored;     // the text after the check without auto-fill
  AnsiString filled;     // the text after the check with auto-fill
  int filledResult = -1;
};

void check(const PictureCase& c) {
  SCOPED_TRACE(::testing::Message() << "mask \"" << c.mask << "\" text \"" << c.text << "\"");
  TdcPictureValidator validator(c.mask, false);
  AnsiString text = c.text;
  EXPECT_EQ(validator.Picture(text, false), c.result) << "without auto-fill";
  EXPECT_EQ(text, c.stored) << "without auto-fill";
  text = c.text;
  EXPECT_EQ(validator.Picture(text, true), c.filledResult < 0 ? c.result : c.filledResult) << "with auto-fill";
  EXPECT_EQ(text, c.filled) << "with auto-fill";
}

TEST(PictureMasks, TheDatasetsMasks) {
  const PictureCase cases[] = {
      {"#[#][#][#][#]", "", picEmpty, "", ""},
      {"#[#][#][#][#]", "1", picComplete, "1", "1"},
      {"#[#][#][#][#]", "12345", picComplete, "12345", "12345"},
      {"#[#][#][#][#]", "123456", picError, "123456", "123456"},
      {"#[#][#][#][#]", "12a", picError, "12a", "12a"},
      {"*#[.[#][#]]", "12.5", picComplete, "12.5", "12.5"},
      {"*#[.[#][#]]", "12.345", picError, "12.345", "12.345"},
      {"*#[.[#][#]]", "12", picComplete, "12", "12"},
      {"*#[.[#][#]]", "1x", picError, "1x", "1x"},
      {"{ ,C,D,F,N,R}", "c", picComplete, "C", "C"},
      {"{ ,C,D,F,N,R}", "X", picError, "X", "X"},
      {"{ ,C,D,F,N,R}", " ", picComplete, " ", " "},
      {"{[#][#][#].[#][#][#][#],[#][#][#]}", "12.5", picComplete, "12.5", "12.5"},
      {"{[#][#][#].[#][#][#][#],[#][#][#]}", "1234", picError, "1234", "1234"},
      {"{[#][#][#].[#][#][#][#],[#][#][#]}", "123", picComplete, "123", "123"},
  };
  for (const PictureCase& c : cases) check(c);
}

TEST(PictureMasks, CharacterClassesAndStoredForms) {
  const PictureCase cases[] = {
      {"&&##", "ab12", picComplete, "AB12", "AB12"},
      {"~~", "AB", picComplete, "ab", "ab"},
      {"??", "a\xC9", picComplete, "a\xC9", "a\xC9"},
      {"?", "\x80", picError, "\x80", "\x80"},  // a letter is above 128
      {"?", "1", picError, "1", "1"},
      {"!@", "\xe9-", picComplete, "\xC9-", "\xC9-"},
      {"&", "\xe9", picComplete, "\xC9", "\xC9"},
      {"ab", "AB", picComplete, "ab", "ab"},    // literals take the mask's spelling
      {"#;#", "1#", picComplete, "1#", "1#"},  // ';' makes '#' a literal
      {"#;#", "12", picError, "12", "12"},
      {"*3#", "12", picIncomplete, "12", "12"},
      {"*3#", "123", picComplete, "123", "123"},
      {"*3#", "1234", picError, "1234", "1234"},
      {"*2[#]x", "x", picComplete, "x", "x"},
  };
  for (const PictureCase& c : cases) check(c);
}

TEST(PictureMasks, MalformedMasksAnswerSyntaxForEveryText) {
  for (const char* mask : {"##;", "##*", "[#", "#]", "{#", "{#]", "[#;]", ""}) {
    TdcPictureValidator validator(mask, true);
    EXPECT_EQ(validator.Status(), 1) << mask;
    for (const AnsiString& text : {AnsiString(), AnsiString("1"), AnsiString("12")}) {
      AnsiString copy = text;
      EXPECT_EQ(validator.Picture(copy, true), picSyntax) << mask;
      EXPECT_EQ(copy, text);
    }
  }
  // An escaped '*' or bracket is well formed.
  for (const char* mask : {"##;*", "#;[", "#;]", "[#;]]"}) {
    TdcPictureValidator validator(mask, false);
    EXPECT_EQ(validator.Status(), 0) << mask;
  }
}

TEST(PictureMasks, AutoFillAddsTheLiteralsThatFollow) {
  const PictureCase cases[] = {
      {"(###) ###-####", "(555", picIncomplete, "(555", "(555) "},
      {"(###) ###-####", "(555) 12", picIncomplete, "(555) 12", "(555) 12"},
      {"(###) ###-####", "(555) 123", picIncomplete, "(555) 123", "(555) 123-"},
      {"(###) ###-####", "(555) 123-4567", picComplete, "(555) 123-4567", "(555) 123-4567"},
      {"##;-##", "12", picIncomplete, "12", "12-"},  // an escaped literal is filled in as itself
      // 6: incomplete after an open repetition; reported as incomplete, nothing filled in.
      {"*#-#", "1", picIncomplete, "1", "1"},
      {"#-#", "1", picIncomplete, "1", "1-"},
      // 5: complete while more could follow; a longer text still passes.
      {"#[#]", "1", picComplete, "1", "1"},
      {"#[#]", "12", picComplete, "12", "12"},
  };
  for (const PictureCase& c : cases) check(c);
}

TEST(PictureMasks, AutoFillPutsTheLiteralsTheMaskOpensWithBeforeTheText) {
  const PictureCase cases[] = {
      // Without auto-fill a text that skips them cannot match; with it they are put before it.
      {"(###) ###-####", "5", picError, "5", "(5", picIncomplete},
      {"(###) ###-####", "555", picError, "555", "(555) ", picIncomplete},  // and the ones that follow
      {"(###) ###-####", "5551234567", picError, "5551234567", "5551234567"},  // later ones are not skipped
      {"+1-###", "+5", picError, "+5", "+1-5", picIncomplete},  // the ones already typed are kept
      {"ab#", "A1", picError, "a1", "ab1", picComplete},        // in the mask's spelling
      {";#-##", "5", picError, "5", "#-5", picIncomplete},      // an escaped literal as itself
      // A text they do not mend stays as it was.
      {"(###) ###-####", "a", picError, "a", "a"},
      {"(###) ###-####", "(555)1", picError, "(555)1", "(555)1"},
      // A text the mask takes as it is gets nothing before it.
      {"{(#),#}", "5", picComplete, "5", "5"},
      {"[(]###", "5", picIncomplete, "5", "5"},
  };
  for (const PictureCase& c : cases) check(c);
}

TEST(PictureMasks, ATrailingBlankStandsInForALiteralOnce) {
  const PictureCase cases[] = {
      // Typed last, a blank takes the literal's place (and its spelling).
      {"(###) ###-####", "(555 ", picIncomplete, "(555)", "(555) "},
      {"###-###", "123 ", picIncomplete, "123-", "123-"},
      // In the middle of the text it is no literal.
      {"###-###", "123 4", picError, "123 4", "123 4"},
      // Once a blank has matched a literal of the section, it stands in for no other.
      {"{## #,##-}", "12 ", picIncomplete, "12 ", "12 "},
      {"{##-,##/}", "12 ", picComplete, "12-", "12-"},
  };
  for (const PictureCase& c : cases) check(c);
}

TEST(PictureMasks, TextsAndMasksBeyondTheRange) {
  const AnsiString longMask(255, '@');
  TdcPictureValidator tooLong(longMask, false);
  EXPECT_EQ(tooLong.Status(), 1);
  AnsiString text = "a";
  EXPECT_EQ(tooLong.Picture(text, false), picSyntax);

  TdcPictureValidator longest(AnsiString(254, '@'), false);
  EXPECT_EQ(longest.Status(), 0);
  text = AnsiString(254, 'a');
  EXPECT_EQ(longest.Picture(text, false), picComplete);

  TdcPictureValidator any("*@", false);
  text = AnsiString(254, 'a');
  EXPECT_EQ(any.Picture(text, false), picComplete);
  text = AnsiString(255, 'a');
  EXPECT_EQ(any.Picture(text, true), picError);
  EXPECT_EQ(text, AnsiString(255, 'a'));
}

TEST(PictureMasks, OddMasksAnswerWithoutRunningAway) {
  // Repetitions of items that consume nothing, huge counts, crossed brackets, items at the end.
  for (const char* mask : {"**#", "*[#]", "*99999999999999999999[#]", "#*12", "{[#},]", "*{}", "[]", "{,}", "*;;",
                           "[*]", "{*[]}"}) {
    TdcPictureValidator validator(mask, true);
    for (const char* input : {"", "1", "12", "x", "1 "}) {
      AnsiString text = input;
      const int r = validator.Picture(text, true);
      EXPECT_GE(r, picComplete) << mask << " / " << input;
      EXPECT_LE(r, picSyntax) << mask << " / " << input;
    }
  }
}

// Counted repetitions inside one another, against texts as long as the validator takes: each
// level's later iterations face the text the first left, so the work must grow with the two
// lengths, never with the product of the counts.
TEST(PictureMasks, NestedCountedRepetitionsTakeStepsInProportionToMaskAndText) {
  AnsiString fortyLevels;
  for (int level = 0; level < 40; ++level) fortyLevels += "*99[";
  fortyLevels += "#" + AnsiString(40, ']');
  const AnsiString digits(kMaxPictureLength, '7');
  const AnsiString letters(kMaxPictureLength, 'a');
  const AnsiString digitsThenLetters = AnsiString(200, '7') + AnsiString(kMaxPictureLength - 200, 'x');
  struct Case {
    AnsiString mask;
    AnsiString text;
    int result;
  };
  const Case cases[] = {
      {"*99[*99[*99[*99[#]]]]", letters, picError},
      {"*99[*99[*99[*99[#]]]]", digits, picComplete},
      {"*99[*99[*99[*99[#]]]]", digitsThenLetters, picError},
      {fortyLevels, letters, picError},
      {fortyLevels, digits, picComplete},
      {fortyLevels, digitsThenLetters, picError},
      {"*255[*255[[#]]]", letters, picError},
      {"*255[*255[[#]]]", digits, picComplete},
      {"*255[*255[[#]]]", digitsThenLetters, picError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mask of " << c.mask.size() << " characters \"" << c.mask.substr(0, 24)
                                      << "\", text starting \"" << c.text.substr(0, 3) << "\"");
    TdcPictureValidator validator(c.mask, false);
    ASSERT_EQ(validator.Status(), 0);
    AnsiString text = c.text;
    EXPECT_EQ(validator.Picture(text, false), c.result);
    EXPECT_EQ(text, c.text);
    EXPECT_GT(validator.LastSteps(), 0u);
    EXPECT_LE(validator.LastSteps(), 2 * c.mask.size() * c.text.size());
  }
}

TEST(PictureValidator, ValidityAndInputChecks) {
  TdcPictureValidator phone("(###) ###-####", true);
  EXPECT_EQ(phone.Options(), TdcPictureValidator::optAlways | TdcPictureValidator::optAutoFill);
  EXPECT_TRUE(phone.IsValid(""));
  EXPECT_TRUE(phone.IsValid("(555) 123-4567"));
  EXPECT_FALSE(phone.IsValid("(555"));

  AnsiString text = "(555";
  EXPECT_TRUE(phone.IsValidInput(text, false));
  EXPECT_EQ(text, "(555) ");
  text = "(555";
  EXPECT_TRUE(phone.IsValidInput(text, true));
  EXPECT_EQ(text, "(555");
  text = "(55a";
  EXPECT_FALSE(phone.IsValidInput(text, false));

  TdcPictureValidator noFill("(###) ###-####", false);
  EXPECT_EQ(noFill.Options(), TdcPictureValidator::optAlways);
  text = "(555";
  EXPECT_TRUE(noFill.IsValidInput(text, false));
  EXPECT_EQ(text, "(555");

  TdcPictureValidator none("", true);
  text = "anything";
  EXPECT_TRUE(none.IsValidInput(text, false));
  EXPECT_TRUE(none.IsValid("anything"));
}

}  // namespace
