// The rich edit over the application's table: notes kept in a record file's memo field, under a
// dictionary, written as rich text and read back to the same text and formats.
#include "datagrid/DcTbTable.h"
#include "editors/RichEditForm.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/RtfReader.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"
#include "recordmgr/tests/EngineFiles.h"

namespace richedittest {
namespace {

class RichEditTableTest : public RichEditTest {
 protected:
  void SetUp() override {
    RichEditTest::SetUp();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    dictionary = std::make_unique<btrtest::DictionaryFolder>(false);
    recordingtest::createRecordFile(dictionary->path() + "/MEMO.DAT", 8, {{1, 4, 0, 1}}, 0x01);
    dictionary->addTable(1, "MEMO", "MEMO.DAT");
    dictionary->addField(1, 1, "Id", 1, 0, 4);
    dictionary->addField(2, 1, "Note", 0, 8, 1200);
    dictionary->addIndexSegment(1, 1);
    table = new TdcTbTable(form.get());
    table->SetDatabaseName(dictionary->path());
    table->SetTableName("MEMO");
    table->SetIndexName("0");
    table->Open();
    table->Append();
    table->FieldByName("Id")->SetAsInteger(1);
    table->Post();
    tableSource.SetDataSet(table);
  }
  void TearDown() override {
    form.reset();
    dictionary.reset();
  }

  std::unique_ptr<btrtest::DictionaryFolder> dictionary;
  TdcTbTable* table = nullptr;
  TDataSource tableSource{nullptr};
};

TEST_F(RichEditTableTest, NotesTypedIntoTheMemoFieldArePostedAsRichTextAndReadBack) {
  TField* note = table->FieldByName("Note");
  ASSERT_TRUE(note->IsBlob());
  auto* edit = place();
  edit->SetDataSource(&tableSource);
  edit->SetDataField("Note");
  ASSERT_TRUE(show());
  paint(edit);
  edit->SetFocus();
  type(edit, "Retainer signed");
  edit->SelectAll();
  edit->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.underline = true; });
  edit->SetModified(true);
  edit->GetDataLink()->Modified();
  const qn::ui::RichTextContent typed = edit->content(0, edit->TextLength());
  next->SetFocus();
  table->Post();
  const std::string stored = note->AsString();
  EXPECT_EQ(stored, qn::ui::RtfWriter().write(typed));

  table->Close();
  table->Open();
  auto* reader = place();
  reader->SetTop(140);
  reader->SetDataSource(&tableSource);
  reader->SetDataField("Note");
  paint(reader);
  EXPECT_EQ(reader->Text(), "Retainer signed");
  EXPECT_EQ(reader->content(0, reader->TextLength()), typed);
}

TEST_F(RichEditTableTest, TheLargeEditorWritesTheMemoFieldOnOk) {
  auto* edit = place();
  edit->SetDataSource(&tableSource);
  edit->SetDataField("Note");
  ASSERT_TRUE(show());
  paint(edit);
  edit->OnCreateDialog = [](TObject*, TForm* form) {
    auto* editor = static_cast<TdcRichEditForm*>(form);
    qn::ui::postCall([editor] {
      editor->Editor()->SetFocus();
      QTest::keyClicks(editor->Editor()->Window(), "Deposition noticed");
      editor->SetModalResult(mrOk);
    });
  };
  ASSERT_TRUE(edit->Execute());
  EXPECT_TRUE(edit->Modified());
  table->Post();
  const auto read = qn::ui::RtfReader().read(table->FieldByName("Note")->AsString());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->plainText(), "Deposition noticed");
}

}  // namespace
}  // namespace richedittest
