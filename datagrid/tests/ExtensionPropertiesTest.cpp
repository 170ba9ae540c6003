#include <gtest/gtest.h>

#include "datagrid/DcDataSource.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldControlTypes.h"
#include "datagrid/FieldPictureMasks.h"
#include "datagrid/LookupFieldLists.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/MemoryDataSet.h"

namespace {

using datagridtest::DataAwareTestComponent;
using datagridtest::DataAwareTestControl;
using datagridtest::ExtendedTestDataSet;
using datagridtest::MistypedTestControl;

// A memory dataset has none of the extension properties: every reader answers its default.
TEST(ExtensionProperties, EveryReaderOnADataSetWithoutThemAnswersItsDefault) {
  MemoryDataSet ds(nullptr);
  ds.FieldDefs().Add("Zip", ftString, 10);
  ds.Open();
  EXPECT_EQ(GetControlTypeList(&ds), nullptr);
  EXPECT_EQ(GetPictureMaskList(&ds), nullptr);
  EXPECT_EQ(GetLookupFieldList(&ds), nullptr);
  EXPECT_EQ(GetLookupLinkList(&ds), nullptr);
  EXPECT_FALSE(GetValidateWithMask(&ds));
  EXPECT_FALSE(GetOnInvalidValue(&ds));
  EXPECT_TRUE(GetControlInfoInDataSet(&ds));
  EXPECT_FALSE(GetFilterOptionsEnabled(&ds));
  EXPECT_FALSE(SetFilterOptionsEnabled(&ds, true));
  EXPECT_EQ(GetDatabaseName(&ds), "");
  EXPECT_FALSE(SetDatabaseName(&ds, "QN"));
  EXPECT_EQ(GetSessionName(&ds), "");
  EXPECT_EQ(GetDataSourceOf(&ds), nullptr);
  EXPECT_EQ(GetDataFieldOf(&ds), "");
  EXPECT_EQ(GetMasterSource(&ds), nullptr);
  EXPECT_FALSE(GetParamCheck(&ds));
  EXPECT_FALSE(SetParamCheck(&ds, true));
  StringList sql;
  EXPECT_FALSE(SetSQL(&ds, &sql));
  EXPECT_FALSE(IsExtendedDataSet(&ds));
  EXPECT_EQ(GetFieldControlType(&ds, "Zip").Type, "");
  EXPECT_FALSE(SetFieldControlType(&ds, "Zip", "Combo", "x"));
  const FieldPictureMask mask = GetFieldPictureMask(&ds, "Zip");
  EXPECT_EQ(mask.Mask, "");
  EXPECT_TRUE(mask.AutoFill);
  EXPECT_TRUE(mask.UseInGrid);
  SetFieldPictureMask(&ds, "Zip", "#", true, true, true, true, true);
  EXPECT_EQ(GetLookupLinks(&ds, "Zip"), "");
  EXPECT_EQ(GetLookupSpec(ds.FieldByName("Zip")).TableName, "");
  EXPECT_NO_THROW(ValidatePictureMasks(&ds, {}));
  // Nor does a null object raise.
  EXPECT_EQ(GetControlTypeList(nullptr), nullptr);
  EXPECT_TRUE(GetControlInfoInDataSet(nullptr));
}

TEST(ExtensionProperties, ADataSetThatPublishesThemIsReadByName) {
  ExtendedTestDataSet ds(nullptr);
  ds.ControlType.Add("Kind;Combo;KindBox");
  ds.ValidateWithMask = true;
  int calls = 0;
  ds.OnInvalidValue = [&calls](TDataSet*, TField*) { ++calls; };
  ds.DatabaseName = "QN";
  ds.SessionName = "Btrieve";
  EXPECT_EQ(GetControlTypeList(&ds), &ds.ControlType);
  EXPECT_TRUE(GetValidateWithMask(&ds));
  GetOnInvalidValue(&ds)(&ds, nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(GetDatabaseName(&ds), "QN");
  EXPECT_EQ(GetSessionName(&ds), "Btrieve");
  EXPECT_TRUE(SetDatabaseName(&ds, "QNWIN"));
  EXPECT_EQ(ds.DatabaseName, "QNWIN");
  EXPECT_TRUE(IsExtendedDataSet(&ds));
}

TEST(ExtensionProperties, FilteringIsTheFirstMemberOfTheFilterOptions) {
  ExtendedTestDataSet ds(nullptr);
  ds.OnFilterOptions = 2;
  EXPECT_FALSE(GetFilterOptionsEnabled(&ds));
  EXPECT_TRUE(SetFilterOptionsEnabled(&ds, true));
  EXPECT_EQ(ds.OnFilterOptions, 3u);
  EXPECT_TRUE(GetFilterOptionsEnabled(&ds));
  EXPECT_TRUE(SetFilterOptionsEnabled(&ds, false));
  EXPECT_EQ(ds.OnFilterOptions, 2u);
}

TEST(ExtensionProperties, DataSourceAndDataFieldAreWrittenOnlyOnWindowedControlsThatHaveThemOfTheirKind) {
  TDataSource source(nullptr);
  DataAwareTestControl control(nullptr);
  EXPECT_TRUE(SetDataSourceOf(&control, &source));
  EXPECT_EQ(control.DataSource, &source);
  EXPECT_EQ(GetDataSourceOf(&control), &source);
  EXPECT_TRUE(SetDataFieldOf(&control, "Zip"));
  EXPECT_EQ(GetDataFieldOf(&control), "Zip");
  // An object of another class than the property takes.
  MemoryDataSet notASource(nullptr);
  EXPECT_FALSE(SetDataSourceOf(&control, &notASource));
  EXPECT_EQ(control.DataSource, &source);

  TWinControl plain(nullptr);
  EXPECT_FALSE(SetDataSourceOf(&plain, &source));
  EXPECT_FALSE(SetDataFieldOf(&plain, "Zip"));

  MistypedTestControl mistyped(nullptr);
  EXPECT_FALSE(SetDataSourceOf(&mistyped, &source));
  EXPECT_FALSE(SetDataFieldOf(&mistyped, "Zip"));
  EXPECT_EQ(mistyped.DataSource, "");
  EXPECT_EQ(mistyped.DataField, 0);
  EXPECT_EQ(GetDataSourceOf(&mistyped), nullptr);
  EXPECT_EQ(GetDataFieldOf(&mistyped), "");

  DataAwareTestComponent component(nullptr);
  EXPECT_FALSE(SetDataSourceOf(&component, &source));
  EXPECT_FALSE(SetDataFieldOf(&component, "Zip"));
  EXPECT_EQ(component.DataSource, nullptr);
  EXPECT_EQ(component.DataField, "");
}

TEST(ExtensionProperties, ClassNamesAreMatchedOnTheClassAndItsAncestorsWithoutCase) {
  EXPECT_TRUE(ClassInheritsFromName(ExtendedTestDataSet::StaticClassInfo(), "memorydataset"));
  EXPECT_TRUE(ClassInheritsFromName(ExtendedTestDataSet::StaticClassInfo(), "TDataSet"));
  EXPECT_TRUE(ClassInheritsFromName(ExtendedTestDataSet::StaticClassInfo(), "ExtendedTestDataSet"));
  EXPECT_FALSE(ClassInheritsFromName(ExtendedTestDataSet::StaticClassInfo(), "TDataSource"));
  EXPECT_FALSE(ClassInheritsFromName(nullptr, "TObject"));
}

}  // namespace

namespace {

// The library's client dataset, as far as these helpers know it: by its class name.
class TdcClientDataSet : public MemoryDataSet {
  QN_CLASS(TdcClientDataSet, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
};

class ClientDataSetDescendant : public TdcClientDataSet {
  QN_CLASS(ClientDataSetDescendant, TdcClientDataSet)
 public:
  using TdcClientDataSet::TdcClientDataSet;
};

TEST(ExtensionProperties, AClientDataSetIsExtendedAndFiltersByItsFilteredFlag) {
  ClientDataSetDescendant ds(nullptr);
  EXPECT_TRUE(IsExtendedDataSet(&ds));
  EXPECT_FALSE(GetFilterOptionsEnabled(&ds));
  ds.SetFiltered(true);
  EXPECT_TRUE(GetFilterOptionsEnabled(&ds));
}

TEST(ExtensionProperties, TheLibrarysDataSourceIsMadeByClassName) {
  TComponent form(nullptr);
  TdcDataSource placed(&form);
  TComponent* source = CreateComponentByClassName("TdcDataSource", &form);
  ASSERT_NE(source, nullptr);
  EXPECT_TRUE(source->InheritsFrom("TDataSource"));
  MemoryDataSet ds(nullptr);
  EXPECT_TRUE(WriteObjectProperty(source, "DataSet", &ds));
}

}  // namespace
