// Parameters: typed values by name, and the native form through which a field's value is read
// as text.
#include <gtest/gtest.h>

#include "framework/base/DateTime.h"
#include "framework/db/Param.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

TEST(Params, ByNameWithTypedValues) {
  TParams params;
  params.CreateParam(ftUnknown, "Client", ptInput);
  params.CreateParam(ftUnknown, "Due", ptInput);
  params.ParamByName("client").SetAsString("SMITH");
  params.ParamByName("DUE").SetAsDate(EncodeDate(2024, 3, 5));
  EXPECT_EQ(params.ParamByName("Client").DataType(), ftString);
  EXPECT_EQ(params.ParamByName("Due").AsString(), "3/5/2024");
  EXPECT_TRUE(params.ParamByName("Due").Bound());
  EXPECT_EQ(params.FindParam("Nope"), nullptr);
  try {
    params.ParamByName("Nope");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Parameter 'Nope' not found");
  }
  TParams copy;
  copy.CreateParam(ftUnknown, "DUE", ptInput);
  copy.AssignValues(params);
  EXPECT_EQ(copy.ParamByName("Due").AsString(), "3/5/2024");
}

TEST(Params, ReadAFieldsNativeValueAsText) {
  MemoryDataSet ds(nullptr);
  ds.FieldDefs().Add("D", ftDate);
  ds.FieldDefs().Add("T", ftTime);
  ds.FieldDefs().Add("N", ftSmallint);
  ds.FieldDefs().Add("B", ftBCD, 2);
  ds.Open();
  ds.Append();
  ds.FieldByName("D")->SetAsDateTime(EncodeDate(1999, 12, 31));
  ds.FieldByName("T")->SetAsDateTime(EncodeTime(14, 5, 0, 0));
  ds.FieldByName("N")->SetAsInteger(-7);
  ds.FieldByName("B")->SetAsFloat(12.5);
  const std::pair<const char*, const char*> cases[] = {
      {"D", "12/31/1999"}, {"T", "2:05:00 PM"}, {"N", "-7"}, {"B", "12.5"}};
  for (auto [name, text] : cases) {
    TField* f = ds.FieldByName(name);
    TParam p;
    p.SetDataType(f->DataType());
    std::vector<char> buffer(f->DataSize());
    ASSERT_TRUE(f->GetData(buffer.data()));
    p.SetData(buffer.data());
    EXPECT_EQ(p.AsString(), text) << name;
    // And back into the native form unchanged.
    std::vector<char> again(p.GetDataSize());
    p.GetData(again.data());
    if (f->DataType() != ftBCD) {
      EXPECT_EQ(again, buffer) << name;
    }
  }
  TParam empty;
  empty.SetDataType(ftDate);
  empty.SetData(nullptr);
  EXPECT_EQ(empty.AsString(), "");
}

TEST(Params, AssignField) {
  auto ds = People();
  Fill(*ds, 2);
  TParam p;
  p.AssignField(ds->FieldByName("AMOUNT"));
  EXPECT_EQ(p.Name(), "AMOUNT");
  EXPECT_EQ(p.DataType(), ftFloat);
  EXPECT_DOUBLE_EQ(p.AsFloat(), 10);
}

}  // namespace
