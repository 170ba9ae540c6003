#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ui/RichEdit.h"
#include "framework/ui/RtfReader.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/RichEditStreams.h"

namespace qn::ui::testing {
namespace {

// Rich texts as other programs write them, each holding what the content does not show.
struct KeptFixture {
  const char* name;
  std::string rtf;
  std::vector<std::string> parts;  // each kept part, as it stands in rtf
  const char* word;                // a word elsewhere, edited by the tests
};

const std::string wmetafile =
    "{\\pict\\wmetafile8\\picw2117\\pich1058\\picwgoal1200\\pichgoal600 \r\n"
    "0100090000035000000000002700000000000400000003010800050000000b0200000000050000\r\n"
    "000c02e803e803}";
// Binary picture data holds braces and backslashes the text around it must not take as its own.
const std::string binaryPicture = "{\\pict\\pngblip\\picw10\\pich10\\bin6 }{\\x\\}}";
const std::string listTable =
    "{\\*\\listtable{\\list\\listtemplateid1\\listhybrid{\\listlevel\\levelnfc0\\leveljc0\\levelstartat1"
    "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid7}}";
const std::string listOverrides = "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}";
const std::string documentVariable = "{\\*\\docvar {client}{Smith \\'e9}}";
const std::string mergeField = "{\\*\\mergefield{\\*\\fldtype 3} NAME}";

const KeptFixture fixtures[] = {
    {"pictures",
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
     "{\\*\\generator Other writer 1.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 The contract is signed " +
         wmetafile + "and filed in the red folder.\\par\r\nSecond line " + binaryPicture + "done.\\par\r\n}",
     {wmetafile, binaryPicture},
     "red"},
    {"a numbered list",
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n" + listTable + "\r\n" +
         listOverrides +
         "\r\n\\pard{\\listtext 1.\\tab}\\ls1\\ilvl0\\fi-360\\li720\\f0\\fs20 First step\\par\r\n"
         "{\\listtext 2.\\tab}Second step of the plan\\par\r\n\\pard Closing words.\\par\r\n}",
     {listTable, listOverrides},
     "plan"},
    {"destinations the reader does not know",
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}" + documentVariable + "\r\n\\pard\\f0\\fs20 Dear client, " + mergeField +
         "please sign the enclosed form.\\par\r\n}",
     {documentVariable, mergeField},
     "enclosed"},
};

// The content as text with each kept destination in place, and the document's own after it.
std::string withKeptParts(const RichTextContent& content) {
  std::string out;
  for (const RichParagraph& paragraph : content.paragraphs) {
    for (const TextRun& run : paragraph.runs) out += run.destination.empty() ? run.text : "<" + run.destination + ">";
    out += "\n";
  }
  for (const std::string& destination : content.documentDestinations) out += "[" + destination + "]";
  return out;
}

struct ListReference {
  bool bullet;
  int list;
  int level;
  bool operator==(const ListReference&) const = default;
};

std::vector<ListReference> listReferences(const RichTextContent& content) {
  std::vector<ListReference> out;
  for (const RichParagraph& p : content.paragraphs) out.push_back({p.attributes.bullet, p.attributes.list, p.attributes.listLevel});
  return out;
}

// Each font of the table read first is in the table read again under its number.
void expectFontsKept(const RichTextContent& first, const RichTextContent& again, const char* name) {
  for (const FontTableEntry& font : first.fonts) {
    EXPECT_NE(std::find(again.fonts.begin(), again.fonts.end(), font), again.fonts.end()) << name << ": f" << font.number;
  }
}

std::string replaced(std::string text, const std::string& word, const std::string& by) {
  size_t at = text.find(word);
  if (at != std::string::npos) text.replace(at, word.size(), by);
  return text;
}

void expectPartsInOrder(const std::string& rtf, const KeptFixture& fixture) {
  size_t from = 0;
  for (const std::string& part : fixture.parts) {
    size_t at = rtf.find(part, from);
    ASSERT_NE(at, std::string::npos) << fixture.name << ": " << part << "\n" << rtf;
    from = at + part.size();
  }
}

TEST(RichTextKept, EachPartTheContentDoesNotShowIsWrittenBackAsItWasWhereItStood) {
  for (const KeptFixture& fixture : fixtures) {
    auto read = RtfReader().read(fixture.rtf);
    ASSERT_TRUE(read) << fixture.name;
    const std::string written = RtfWriter().write(*read);
    expectPartsInOrder(written, fixture);
    auto again = RtfReader().read(written);
    ASSERT_TRUE(again) << fixture.name;
    EXPECT_EQ(withKeptParts(*again), withKeptParts(*read)) << fixture.name;
    expectFontsKept(*read, *again, fixture.name);
    EXPECT_EQ(RtfWriter().write(*again), written) << fixture.name;
  }
}

TEST(RichTextKept, KeptPartsShowNoText) {
  EXPECT_EQ(RtfReader().read(fixtures[0].rtf)->plainText(),
            "The contract is signed and filed in the red folder.\r\nSecond line done.\r\n");
  EXPECT_EQ(RtfReader().read(fixtures[2].rtf)->plainText(), "Dear client, please sign the enclosed form.\r\n");
}

TEST(RichTextKept, ListParagraphsKeepTheirListReference) {
  auto read = RtfReader().read(fixtures[1].rtf);
  ASSERT_TRUE(read);
  const std::vector<ListReference> expected{{true, 1, 0}, {true, 1, 0}, {false, 0, 0}, {false, 0, 0}};
  EXPECT_EQ(listReferences(*read), expected);
  auto levels = RtfReader().read("{\\rtf1\\pard\\ls3\\ilvl2 deep\\par\\pard\\ilvl1 none}");
  ASSERT_TRUE(levels);
  EXPECT_EQ(listReferences(*levels), (std::vector<ListReference>{{true, 3, 2}, {false, 0, 1}}));
  const std::string written = RtfWriter().write(*levels);
  EXPECT_NE(written.find("\\ls3\\ilvl2"), std::string::npos) << written;
  EXPECT_EQ(written.find("\\ilvl1"), std::string::npos) << written;  // no list, no level
}

// The user's way: the text loaded into the control, one word changed, the text saved.
TEST(RichTextKept, KeptPartsSurviveAOneWordEditInTheControlByteForByte) {
  qtApplication();
  for (const KeptFixture& fixture : fixtures) {
    TRichEdit edit(nullptr);
    bool loaded = false;
    loadBytes(edit, fixture.rtf, false, &loaded);
    ASSERT_TRUE(loaded) << fixture.name;
    const int at = edit.FindText(fixture.word, 0, -1, true, true);
    ASSERT_GE(at, 0) << fixture.name;
    edit.SetSelStart(at);
    edit.SetSelLength(static_cast<int>(std::string(fixture.word).size()));
    edit.SetSelText("changed");
    const std::string saved = savedBytes(edit);
    expectPartsInOrder(saved, fixture);
    auto before = RtfReader().read(fixture.rtf);
    auto after = RtfReader().read(saved);
    ASSERT_TRUE(after) << fixture.name;
    EXPECT_EQ(withKeptParts(*after), replaced(withKeptParts(*before), fixture.word, "changed")) << fixture.name;
    EXPECT_EQ(after->plainText(), replaced(before->plainText(), fixture.word, "changed")) << fixture.name;
    EXPECT_EQ(listReferences(*after), listReferences(*before)) << fixture.name;
    expectFontsKept(*before, *after, fixture.name);
    EXPECT_EQ(edit.Text(), after->plainText()) << fixture.name;
  }
}

// A list's bullet font is named by its number inside the kept list definitions.
TEST(RichTextKept, FontsKeepTheirNumbersAndNewFontsTakeFreeOnes) {
  auto read = RtfReader().read("{\\rtf1{\\fonttbl{\\f0 Times;}{\\f3\\fcharset2 Symbol;}{\\f7 Arial;}}"
                               "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}\\f3}\\listid1}}"
                               "\\pard\\f7 first \\f0 second}");
  ASSERT_TRUE(read);
  CharacterAttributes courier;
  courier.name = "Courier New";
  appendText(read->paragraphs[0], courier, " third");
  const std::string written = RtfWriter().write(*read);
  EXPECT_NE(written.find("{\\fonttbl{\\f0\\fnil\\fcharset0\\fprq0 Times;}{\\f1\\fnil\\fcharset0\\fprq0 Courier New;}"
                         "{\\f3\\fnil\\fcharset2\\fprq0 Symbol;}{\\f7\\fnil\\fcharset0\\fprq0 Arial;}}"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("\\f7\\fs20 first \\plain\\f0\\fs20 second\\plain\\f1\\fs20  third"), std::string::npos) << written;
}

struct DeletionCase {
  const char* name;
  int from;  // relative to the first picture's character
  int to;
  bool kept;
};

TEST(RichTextKept, DeletingThePlaceOfAPartDeletesItAndEditingAroundItKeepsIt) {
  qtApplication();
  const DeletionCase cases[] = {
      {"the word before it", -7, 0, true},
      {"the word after it", 1, 4, true},
      {"its character alone", 0, 1, false},
      {"a range across it", -3, 5, false},
  };
  const int picture = static_cast<int>(std::string("The contract is signed ").size());
  for (const DeletionCase& c : cases) {
    TRichEdit edit(nullptr);
    loadBytes(edit, fixtures[0].rtf, false);
    edit.SetSelStart(picture + c.from);
    edit.SetSelLength(c.to - c.from);
    edit.SetSelText("");
    const std::string saved = savedBytes(edit);
    EXPECT_EQ(saved.find(wmetafile) != std::string::npos, c.kept) << c.name << "\n" << saved;
    EXPECT_NE(saved.find(binaryPicture), std::string::npos) << c.name;  // the other picture stays
    edit.Undo();
    EXPECT_NE(savedBytes(edit).find(wmetafile), std::string::npos) << c.name << ": undone";
  }
}

TEST(RichTextKept, ListDefinitionsStayWithTheWholeTextAndGoWithANewOne) {
  qtApplication();
  const std::string symbolFont = "{\\f1\\fnil\\fcharset2\\fprq0 Symbol;}";
  TRichEdit edit(nullptr);
  loadBytes(edit, fixtures[1].rtf, false);
  edit.SelectAll();
  edit.SetSelText("");
  EXPECT_NE(savedBytes(edit).find(listTable), std::string::npos);
  EXPECT_NE(savedBytes(edit).find(symbolFont), std::string::npos);
  loadBytes(edit, "{\\rtf1 plain}", false);
  EXPECT_EQ(savedBytes(edit).find(listTable), std::string::npos);
  EXPECT_EQ(savedBytes(edit).find(symbolFont), std::string::npos);
  loadBytes(edit, fixtures[1].rtf, false);
  edit.SetText("another record's text");
  EXPECT_EQ(savedBytes(edit).find(listTable), std::string::npos);
  EXPECT_EQ(savedBytes(edit).find(symbolFont), std::string::npos);
  loadBytes(edit, fixtures[1].rtf, true);
  loadBytes(edit, fixtures[1].rtf, true);
  const std::string saved = savedBytes(edit);
  ASSERT_NE(saved.find(listTable), std::string::npos);
  EXPECT_EQ(saved.find(listTable, saved.find(listTable) + 1), std::string::npos);  // once only
}

}  // namespace
}  // namespace qn::ui::testing
