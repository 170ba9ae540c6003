// Blob fields through the dataset's blob streams: written in edit state, kept until posted,
// read back whole or in parts, loaded from and saved to streams and files.
#include <gtest/gtest.h>

#include <memory>

#include "framework/base/Stream.h"
#include "framework/base/StringList.h"
#include "framework/base/StringStream.h"
#include "framework/db/BlobField.h"
#include "framework/db/tests/DbTestSupport.h"
#include "testing/TestDirs.h"

using namespace dbtest;

namespace {

class Blobs : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("ID", ftInteger);
    ds.FieldDefs().Add("NOTES", ftMemo);
    ds.FieldDefs().Add("PICTURE", ftGraphic);
    ds.Open();
    for (int id = 1; id <= 3; ++id) {
      ds.Append();
      ds.FieldByName("ID")->SetAsInteger(id);
      ds.Post();
    }
    ds.First();
    notes = static_cast<TBlobField*>(ds.FieldByName("NOTES"));
    picture = static_cast<TBlobField*>(ds.FieldByName("PICTURE"));
  }

  MemoryDataSet ds{nullptr};
  TBlobField* notes = nullptr;
  TBlobField* picture = nullptr;
};

TEST_F(Blobs, TextRoundTripThroughPostAndScrolling) {
  ds.Edit();
  notes->SetAsString("first line\r\nsecond line");
  EXPECT_FALSE(notes->IsNull());
  EXPECT_TRUE(ds.Modified());
  ds.Post();
  ds.Next();
  EXPECT_TRUE(notes->IsNull());
  EXPECT_EQ(notes->AsString(), "");
  ds.Prior();
  EXPECT_EQ(notes->AsString(), "first line\r\nsecond line");
  EXPECT_EQ(notes->BlobSize(), 23);
  EXPECT_EQ(notes->DisplayText(), "(MEMO)");
}

TEST_F(Blobs, BinaryBytesSurviveWhole) {
  std::string bytes("\x00\x01\xFF\x00zz", 6);
  ds.Edit();
  picture->SetAsString(bytes);
  ds.Post();
  ds.Last();
  ds.First();
  EXPECT_EQ(picture->AsString(), bytes);
  std::vector<char> data;
  EXPECT_EQ(ds.GetBlobFieldData(picture->FieldNo(), data), 6);
  EXPECT_EQ(std::string(data.begin(), data.end()), bytes);
}

TEST_F(Blobs, CancelDropsTheWrittenData) {
  ds.Edit();
  notes->SetAsString("kept");
  ds.Post();
  ds.Edit();
  notes->SetAsString("dropped");
  ds.Cancel();
  EXPECT_EQ(notes->AsString(), "kept");
  ds.Edit();
  notes->Clear();
  EXPECT_TRUE(notes->IsNull());
  ds.Post();
  EXPECT_EQ(notes->AsString(), "");
}

TEST_F(Blobs, StreamsReadInPartsAndWriteAtPositions) {
  ds.Edit();
  {
    std::unique_ptr<TStream> s(ds.CreateBlobStream(notes, bmWrite));
    s->WriteBuffer("0123456789", 10);
    s->SetPosition(2);
    s->WriteBuffer("ab", 2);
  }
  std::unique_ptr<TStream> s(ds.CreateBlobStream(notes, bmRead));
  char part[4] = {};
  EXPECT_EQ(s->Read(part, 3), 3);
  EXPECT_EQ(std::string(part, 3), "01a");
  s->Seek(-2, soEnd);
  EXPECT_EQ(s->Read(part, 4), 2);
  EXPECT_EQ(std::string(part, 2), "89");
  EXPECT_EQ(s->Write("x", 1), 0);  // a read stream writes nothing
}

TEST_F(Blobs, WritingNeedsEditStateAndAWritableField) {
  try {
    std::unique_ptr<TStream> s(ds.CreateBlobStream(notes, bmWrite));
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Dataset not in edit or insert mode");
  }
  ds.Edit();
  notes->SetReadOnly(true);
  EXPECT_THROW(notes->SetAsString("x"), EDatabaseError);
}

TEST_F(Blobs, LoadAndSaveStreamsFilesAndStringLists) {
  StringStream source("from a stream");
  ds.Edit();
  notes->LoadFromStream(source);
  EXPECT_EQ(notes->AsString(), "from a stream");
  StringStream target;
  notes->SaveToStream(target);
  EXPECT_EQ(target.DataString(), "from a stream");

  std::string file = qn::testing::makeScratchDir("blobs") + "/note.txt";
  notes->SaveToFile(file);
  notes->SetAsString("other");
  notes->LoadFromFile(file);
  EXPECT_EQ(notes->AsString(), "from a stream");

  StringList lines;
  lines.Add("one");
  lines.Add("two");
  notes->Assign(lines);
  EXPECT_EQ(notes->AsString(), lines.Text());
  ds.Post();
  EXPECT_EQ(notes->AsString(), lines.Text());
}

TEST_F(Blobs, AChangeIsAnnouncedWhenTheStreamCloses) {
  int changes = 0;
  notes->OnChange = [&](TField*) { ++changes; };
  ds.Edit();
  {
    std::unique_ptr<TStream> s(ds.CreateBlobStream(notes, bmReadWrite));
    s->WriteBuffer("abc", 3);
    s->WriteBuffer("def", 3);
    EXPECT_EQ(changes, 0);
  }
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(notes->Modified());
}

TEST_F(Blobs, LookupAnswersTheBlobOfTheFoundRecord) {
  ds.Next();
  ds.Edit();
  notes->SetAsString("notes of two");
  ds.Post();
  ds.First();
  EXPECT_EQ(ds.Lookup("ID", {2}, "NOTES").AsString(), "notes of two");
  EXPECT_TRUE(ds.Lookup("ID", {3}, "NOTES").IsNull());
  EXPECT_EQ(CurrentId(ds), 1);
}

}  // namespace
