#include <gtest/gtest.h>

#include "framework/base/PublishedProperties.h"
#include "spell/VorlexSpell.h"

namespace {

TEST(VorlexSpellPropertiesTest, EveryPublishedPropertyReadsItsDefaultByName) {
  TComponent owner(nullptr);
  auto* spell = new TVorlexSpell(&owner);
  EXPECT_EQ(ReadBooleanProperty(spell, "ConfigInAppDir"), true);
  EXPECT_EQ(ReadStringProperty(spell, "configfilename"), AnsiString("VORLEX.CFG")) << "names without case";
  EXPECT_EQ(ReadStringProperty(spell, "ConfigKey"), AnsiString("vorlex"));
  EXPECT_EQ(ReadIntegerProperty(spell, "MaxSuggestions"), 50);
  EXPECT_EQ(ReadIntegerProperty(spell, "MaxUndo"), 20);
  EXPECT_EQ(ReadEnumerationProperty(spell, "SelectionBehavior"), sbAvoid);
  EXPECT_EQ(ReadEnumerationProperty(spell, "InitialPosition"), ipAvoidControl);
  EXPECT_EQ(ReadEnumerationProperty(spell, "EndShowMessage"), emExceptCancel);
  EXPECT_EQ(ReadStringProperty(spell, "IgnoreSuffix"), AnsiString("';'s"));
  EXPECT_EQ(ReadIntegerProperty(spell, "HelpContextConfig2"), 102);
  EXPECT_EQ(ReadBooleanProperty(spell, "DialogHourGlass"), false);
  EXPECT_EQ(ReadSetProperty(spell, "DefaultOptions"),
            std::uint64_t{soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated});
  EXPECT_EQ(ReadSetProperty(spell, "VisibleOptions"), std::uint64_t{soUpcase | soNumbers | soHTML | soInternet | soRecheck});
  EXPECT_EQ(ReadIntegerProperty(spell, "Languages.LangCount"), 1);
  EXPECT_EQ(ReadStringProperty(spell, "Name"), AnsiString("")) << "the component's own stay published";
  EXPECT_FALSE(ReadIntegerProperty(spell, "ConfigKey")) << "another kind is refused";
}

TEST(VorlexSpellPropertiesTest, WritesByNameGoThroughTheSettersAndRefuseWhatIsOutOfRange) {
  TComponent owner(nullptr);
  auto* spell = new TVorlexSpell(&owner);
  EXPECT_TRUE(WriteIntegerProperty(spell, "MaxSuggestions", 7));
  EXPECT_EQ(spell->MaxSuggestions(), 7);
  EXPECT_TRUE(WriteStringProperty(spell, "DefaultMain", "legal.dct"));
  EXPECT_EQ(spell->DefaultMain(), "legal.dct");
  EXPECT_TRUE(WriteEnumerationProperty(spell, "InitialPosition", ipScreenCenter));
  EXPECT_EQ(spell->InitialPosition, ipScreenCenter);
  EXPECT_TRUE(WriteBooleanProperty(spell, "AutoSelectFirst", true));
  EXPECT_TRUE(spell->AutoSelectFirst);
  EXPECT_TRUE(WriteSetProperty(spell, "VisibleOptions", soQuoted | soUser4));
  EXPECT_EQ(spell->VisibleOptions, soQuoted | soUser4);

  EXPECT_FALSE(WriteEnumerationProperty(spell, "EndShowMessage", 4));
  EXPECT_EQ(spell->EndShowMessage, emExceptCancel);
  EXPECT_FALSE(WriteSetProperty(spell, "DefaultOptions", 1u << 14)) << "no fifteenth option";
  EXPECT_FALSE(WriteIntegerProperty(spell, "NoSuchProperty", 1));

  int completed = 0;
  EXPECT_TRUE(WriteEventProperty<TNotifyEvent>(spell, "OnCheckComplete", [&](TObject*) { ++completed; }));
  ASSERT_TRUE(spell->OnCheckComplete);
  spell->OnCheckComplete(spell);
  EXPECT_EQ(completed, 1);
}

TEST(VorlexSpellPropertiesTest, TheLanguageTablesGoIntoTheFormDataAndComeBack) {
  TComponent owner(nullptr);
  auto* source = new TVorlexSpell(&owner);
  std::vector<AnsiString> texts(stTextCount, "x");
  texts[stDialogCaption] = "Rechtschreibung";
  source->Languages().Add(TLanguageModule("Deutsch", texts));

  const std::optional<int> count = ReadIntegerProperty(source, "Languages.LangCount");
  const std::optional<TStrings*> lines = ReadStringListProperty(source, "Languages.Lang");
  ASSERT_EQ(count, 2);
  ASSERT_TRUE(lines && *lines);
  EXPECT_EQ((*lines)->Count(), 2 * (1 + stTextCount + 1));
  EXPECT_EQ((**lines)[0], "English (US)");
  EXPECT_EQ((**lines)[stTextCount + 1], "@@@");

  // The form data is read in its order: the count, then the lines.
  auto* target = new TVorlexSpell(&owner);
  ASSERT_TRUE(WriteIntegerProperty(target, "Languages.LangCount", *count));
  ASSERT_TRUE(WriteStringListProperty(target, "Languages.Lang", *lines));
  ASSERT_EQ(target->Languages().Count(), 2);
  EXPECT_EQ(target->Languages().Module(1).Name(), "Deutsch");
  target->SetLanguageIndex(1);
  EXPECT_EQ(target->Text(stDialogCaption), "Rechtschreibung");

  // Lines that do not hold the count leave the tables as they were.
  auto* other = new TVorlexSpell(&owner);
  ASSERT_TRUE(WriteIntegerProperty(other, "Languages.LangCount", 3));
  WriteStringListProperty(other, "Languages.Lang", *lines);
  EXPECT_EQ(other->Languages().Count(), 1);
}

}  // namespace
