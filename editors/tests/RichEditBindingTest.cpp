// The rich edit bound to a field: when a blob loads, what shows before it does, typing into the
// record, what posting writes, a string field's plain text, and the preview of a field's first
// part in the grid and the record view.
#include "datagrid/DBGrid.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldControlTypes.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/RtfReader.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace richedittest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class RichEditBindingTest : public RichEditTest {};

TEST_F(RichEditBindingTest, WithAutoDisplayABlobLoadsWhenTheControlIsShown) {
  auto* edit = bound("Notes");
  EXPECT_FALSE(edit->IsLoaded()) << "nothing is read while the control is not shown";
  ASSERT_TRUE(show());
  paint(edit);
  EXPECT_TRUE(edit->IsLoaded());
  EXPECT_EQ(edit->Text(), "*Dear client,\r\nthe hearing is set.");
  edit->SetSelStart(1);
  EXPECT_TRUE(edit->selectionAttributes().bold);
  EXPECT_FALSE(edit->Modified());
}

TEST_F(RichEditBindingTest, WithoutAutoDisplayTheLabelShowsUntilADoubleClickOrEnterLoads) {
  docs.FieldByName("Notes")->SetDisplayLabel("Notes");
  for (int way = 0; way < 2; ++way) {
    SCOPED_TRACE(way == 0 ? "double-click" : "Enter");
    auto* edit = place();
    edit->SetAutoDisplay(false);
    edit->SetDataSource(&source);
    edit->SetDataField("Notes");
    ASSERT_TRUE(show());
    paint(edit);
    EXPECT_EQ(edit->Text(), "(Notes)");
    EXPECT_FALSE(edit->IsLoaded());
    edit->SetFocus();
    if (way == 0) QTest::mouseDClick(static_cast<QAbstractScrollArea*>(edit->Window())->viewport(), Qt::LeftButton);
    else key(edit, Qt::Key_Return);
    EXPECT_TRUE(edit->IsLoaded());
    EXPECT_EQ(edit->Text(), "*Dear client,\r\nthe hearing is set.");
    EXPECT_EQ(docs.State(), dsBrowse) << "loading is no change";
    next->SetFocus();
    delete edit;
  }
}

TEST_F(RichEditBindingTest, TypingEditsTheRecordAndSurvivesItsDataChangeAndPostingWritesRichText) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  edit->SetFocus();
  edit->SetSelStart(edit->TextLength());
  type(edit, " Regards");
  EXPECT_EQ(docs.State(), dsEdit);
  EXPECT_EQ(edit->Text(), "*Dear client,\r\nthe hearing is set. Regards") << "the edit's own data change kept the typing";
  next->SetFocus();
  docs.Post();
  const std::string stored = notes();
  EXPECT_EQ(stored.compare(0, 6, "{\\rtf1"), 0) << stored;
  const auto read = qn::ui::RtfReader().read(stored);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->plainText(), "*Dear client,\r\nthe hearing is set. Regards");
  EXPECT_TRUE(read->paragraphs[0].runs[0].attributes.bold);
  EXPECT_FALSE(read->paragraphs[1].runs[0].attributes.bold);
}

TEST_F(RichEditBindingTest, AStringFieldGetsThePlainText) {
  auto* edit = bound("Title");
  ASSERT_TRUE(show());
  EXPECT_EQ(edit->Text(), "First");
  edit->SetFocus();
  edit->SelectAll();
  edit->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.bold = true; });
  edit->SetSelStart(edit->TextLength());
  type(edit, " draft");
  next->SetFocus();
  docs.Post();
  EXPECT_EQ(docs.FieldByName("Title")->AsString(), "First draft");
}

TEST_F(RichEditBindingTest, TextWithoutCodePageBytesDoesNotLeaveAStringField) {
  docs.FieldByName("Title")->SetDisplayLabel("Title");
  auto* edit = bound("Title");
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SetSelStart(5);
  type(edit, " ");
  // An arrow pasted as rich text: Windows-1252 has no byte for it.
  qn::ui::RichTextContent arrow;
  qn::ui::appendText(arrow.paragraphs[0], {}, "\xE2\x86\x92");
  const std::string bytes = qn::ui::RtfWriter().write(arrow);
  MemoryStream s;
  s.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  s.SetPosition(0);
  edit->LoadFromStream(s, false, true);
  edit->SetModified(true);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "The text holds characters that cannot be stored in Title.");
    next->SetFocus();
    Application->ProcessMessages();
  }
  EXPECT_TRUE(edit->Focused()) << "the focus stays with the text";
  EXPECT_EQ(docs.FieldByName("Title")->AsString(), "First");
}

// An opening paragraph, a list and many more lines: the list's first group ends the preview.
std::string longNotes() {
  std::vector<std::string> paragraphs{"Opening paragraph", "-first point", "-second point"};
  for (int i = 0; i < 300; ++i) paragraphs.push_back("line " + std::to_string(i));
  return richText(paragraphs);
}

AnsiString wholeText() {
  AnsiString text = "Opening paragraph\r\n-first point\r\n-second point";
  for (int i = 0; i < 300; ++i) text += "\r\nline " + std::to_string(i);
  return text;
}

TEST_F(RichEditBindingTest, APreviewShowsTheFirstPartAndTheNextPaintLoadsAll) {
  setNotes(longNotes());
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  paint(edit);
  edit->LoadFromBlobField(docs.FieldByName("Notes"));
  // The cut falls at the list's first group, after the break that ends the opening paragraph.
  EXPECT_EQ(edit->Text(), "Opening paragraph\r\n");
  EXPECT_FALSE(edit->IsLoaded());
  paint(edit);
  EXPECT_TRUE(edit->IsLoaded());
  EXPECT_EQ(edit->Text(), wholeText());
}

TEST_F(RichEditBindingTest, TheGridsRichEditCellShowsTheFirstPartsPlainText) {
  setNotes(longNotes());
  docs.controlType.SetText("Notes;RichEdit;NotesEdit\r\n");
  auto* grid = new TdcDBGrid(form.get());
  grid->SetParent(form.get());
  grid->SetBounds(10, 140, 300, 100);
  grid->SetDataSource(&source);
  ASSERT_TRUE(show());
  EXPECT_EQ(grid->GetCellText(docs.FieldByName("Notes")), "Opening paragraph\r\n");
}

TEST_F(RichEditBindingTest, WithoutAGroupAfterTheFirstParagraphThePreviewIsTheFirst2048Bytes) {
  std::vector<std::string> paragraphs;
  for (int i = 0; i < 300; ++i) paragraphs.push_back("line " + std::to_string(i));
  setNotes(richText(paragraphs));
  auto* edit = place();
  edit->LoadFromBlobField(docs.FieldByName("Notes"));
  const std::string stored = notes();
  const AnsiString shown = edit->Text();
  EXPECT_EQ(shown.compare(0, 14, "line 0\r\nline 1"), 0) << shown;
  EXPECT_LT(shown.size(), 2048u);
  EXPECT_EQ(shown.find("line 299"), AnsiString::npos);
}

TEST_F(RichEditBindingTest, MovedToAnotherParentABlobLoadsAgainAndAStringFieldStaysWritable) {
  auto* notesEdit = bound("Notes");
  auto* titleEdit = bound("Title");
  titleEdit->SetTop(140);
  auto* panel = new qn::ui::testing::TTestPanel(form.get(), form.get());
  panel->SetBounds(320, 10, 200, 200);
  ASSERT_TRUE(show());
  paint(notesEdit);
  ASSERT_TRUE(notesEdit->IsLoaded());
  notesEdit->SetParent(panel);
  titleEdit->SetParent(panel);
  EXPECT_FALSE(notesEdit->IsLoaded());
  EXPECT_TRUE(titleEdit->IsLoaded());
  EXPECT_EQ(docs.State(), dsBrowse) << "moving is no change";
  paint(notesEdit);
  EXPECT_TRUE(notesEdit->IsLoaded());
  EXPECT_EQ(notesEdit->Text(), "*Dear client,\r\nthe hearing is set.");
  titleEdit->SetFocus();
  titleEdit->SetSelStart(5);
  type(titleEdit, "!");
  next->SetFocus();
  docs.Post();
  EXPECT_EQ(docs.FieldByName("Title")->AsString(), "First!");
}

TEST_F(RichEditBindingTest, TheRecordViewsClassForARichTextBlobIsTheBoundRichEdit) {
  EXPECT_TRUE(IsRichEditField(docs.FieldByName("Notes"), true));
  std::unique_ptr<TComponent> made(CreateComponentByClassName("TdcDBRichEdit", nullptr));
  ASSERT_NE(dynamic_cast<TdcDBRichEdit*>(made.get()), nullptr);
  EXPECT_TRUE(ClassInheritsFromName(made->ClassInfo(), "TdcCustomRichEdit"));
  EXPECT_NE(dynamic_cast<BlobFieldLoader*>(made.get()), nullptr);
}

TEST_F(RichEditBindingTest, FormDataCarriesTheVersionAndOnlyAnUnboundControlsContent) {
  auto* unbound = place();
  unbound->SetText("kept");
  RichEditFormData data = unbound->WriteFormData();
  EXPECT_EQ(data.version, 2);
  ASSERT_TRUE(data.data);
  auto* copy = place();
  copy->ReadFormData(data);
  EXPECT_EQ(copy->Text(), "kept");

  copy->ReadFormData({std::nullopt, std::string(4, '\0')});
  EXPECT_EQ(copy->RichEditVersion(), 1) << "no version read: the classic control";
  EXPECT_EQ(copy->Text(), "") << "a length of 0 leaves the lines empty";
  EXPECT_EQ(copy->WriteFormData().version, 2);
  EXPECT_EQ(copy->RichEditVersion(), 2);

  EXPECT_FALSE(bound("Notes")->WriteFormData().data) << "a bound control writes no content";
}

TEST_F(RichEditBindingTest, ANewVersionMakesTheWindowAgainAndTheContentStays) {
  auto* edit = place();
  ASSERT_TRUE(show());
  edit->SetText("survives");
  edit->SelectAll();
  edit->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.italic = true; });
  QWidget* before = edit->Window();
  edit->SetRichEditVersion(1);
  EXPECT_NE(edit->Window(), before);
  EXPECT_EQ(edit->Text(), "survives");
  edit->SetSelStart(2);
  EXPECT_TRUE(edit->selectionAttributes().italic);
}

}  // namespace
}  // namespace richedittest
