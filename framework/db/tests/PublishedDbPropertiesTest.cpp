// Controls and dialogs reach datasets, sources and fields by class name and property name.
#include <gtest/gtest.h>

#include "framework/base/ClassRegistry.h"
#include "framework/base/PublishedProperties.h"
#include "framework/db/DataSource.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

TEST(PublishedDbProperties, ReadAndWrittenByName) {
  TComponent form(nullptr);
  auto* ds = static_cast<MemoryDataSet*>(CreateComponentByClassName("MemoryDataSet", &form));
  DefinePeople(*ds);
  ds->IndexDefs().Add("BYNAME", "NAME", 0);
  auto* source = static_cast<TDataSource*>(CreateComponentByClassName("TDataSource", &form));

  EXPECT_TRUE(WriteObjectProperty(source, "DataSet", ds));
  EXPECT_EQ(source->DataSet(), ds);
  EXPECT_TRUE(WriteStringProperty(ds, "IndexName", "BYNAME"));
  EXPECT_EQ(ReadStringProperty(ds, "IndexName"), std::optional<AnsiString>("BYNAME"));
  EXPECT_TRUE(WriteBooleanProperty(ds, "Active", true));
  EXPECT_TRUE(ds->Active());
  EXPECT_EQ(ReadObjectProperty(ds, "MasterSource"), std::optional<TObject*>(nullptr));
  // What a dataset lacks reads as absent, never as an error.
  EXPECT_EQ(ReadStringProperty(ds, "PictureMasks"), std::nullopt);
  EXPECT_EQ(ReadObjectProperty(ds, "DataSource"), std::nullopt);

  TField* name = ds->FieldByName("NAME");
  EXPECT_EQ(ReadStringProperty(name, "FieldName"), std::optional<AnsiString>("NAME"));
  EXPECT_TRUE(WriteIntegerProperty(name, "DisplayWidth", 12));
  EXPECT_EQ(name->DisplayWidth(), 12);
  EXPECT_TRUE(name->InheritsFrom(FindRegisteredClass("TStringField")));
}

}  // namespace
