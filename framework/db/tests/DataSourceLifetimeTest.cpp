// Data sources, datasets and links may be freed in any order; whatever stays reads inactive.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "framework/db/DataSource.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

TEST(DataSourceLifetime, FreedBeforeItsLinksLeavesThemInactive) {
  auto ds = People();
  Fill(*ds, 3);
  LoggingLink first, second;
  auto* source = new TDataSource(nullptr);
  source->SetDataSet(ds.get());
  first.SetDataSource(source);
  second.SetBufferCount(4);
  second.SetDataSource(source);
  ASSERT_TRUE(first.Active());
  first.log.clear();

  delete source;
  EXPECT_EQ(first.DataSource(), nullptr);
  EXPECT_EQ(second.DataSource(), nullptr);
  EXPECT_FALSE(first.Active());
  EXPECT_EQ(first.log, std::vector<std::string>{"active 0"});
  EXPECT_EQ(first.RecordCount(), 0);

  // The dataset goes on without the source.
  ds->Next();
  EXPECT_EQ(CurrentId(*ds), 2);
}

TEST(DataSourceLifetime, OwnedSourceGoesWithItsOwner) {
  auto ds = People();
  Fill(*ds, 3);
  LoggingLink link;
  {
    TComponent form(nullptr);
    auto* source = new TDataSource(&form);
    source->SetDataSet(ds.get());
    link.SetDataSource(source);
  }
  EXPECT_EQ(link.DataSource(), nullptr);
  EXPECT_FALSE(link.Active());
}

TEST(DataSourceLifetime, DatasetFreedBeforeItsSource) {
  TDataSource source(nullptr);
  LoggingLink link;
  link.SetDataSource(&source);
  {
    auto ds = People();
    Fill(*ds, 2);
    source.SetDataSet(ds.get());
    ASSERT_TRUE(link.Active());
  }
  EXPECT_EQ(source.DataSet(), nullptr);
  EXPECT_EQ(source.State(), dsInactive);
  EXPECT_FALSE(link.Active());
}

TEST(DataSourceLifetime, LinkFreedFirstNoLongerCountsForTheWindow) {
  auto ds = People();
  Fill(*ds, 10);
  TDataSource source(nullptr);
  source.SetDataSet(ds.get());
  LoggingLink small;
  small.SetDataSource(&source);
  {
    LoggingLink big;
    big.SetBufferCount(8);
    big.SetDataSource(&source);
    EXPECT_EQ(big.RecordCount(), 8);
  }
  ds->Last();
  ds->First();
  EXPECT_EQ(small.RecordCount(), 1);
  EXPECT_EQ(small.ActiveRecord(), 0);
}

TEST(DataSourceLifetime, DisabledSourceMakesItsLinksInactive) {
  auto ds = People();
  Fill(*ds, 2);
  TDataSource source(nullptr);
  source.SetDataSet(ds.get());
  LoggingLink link;
  link.SetDataSource(&source);
  int stateChanges = 0;
  source.OnStateChange = [&](TComponent*) { ++stateChanges; };
  source.SetEnabled(false);
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(source.State(), dsInactive);
  link.log.clear();
  ds->Next();
  EXPECT_TRUE(link.log.empty());
  source.SetEnabled(true);
  EXPECT_TRUE(link.Active());
  EXPECT_EQ(stateChanges, 2);
}

TEST(DataSourceLifetime, CircularLinksAreRefused) {
  MemoryDataSet master(nullptr), detail(nullptr);
  DefinePeople(master);
  DefinePeople(detail);
  TDataSource masterSource(nullptr), detailSource(nullptr);
  masterSource.SetDataSet(&master);
  detailSource.SetDataSet(&detail);
  detail.SetMasterSource(&masterSource);
  try {
    master.SetMasterSource(&detailSource);
    FAIL() << "a dataset became its own master";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Circular datalinks are not allowed");
  }
  // A source whose dataset would follow the source itself.
  EXPECT_THROW(masterSource.SetDataSet(&detail), EDatabaseError);
  EXPECT_EQ(masterSource.DataSet(), &master);
}

}  // namespace

namespace {

TEST(DataSourceLifetime, SwitchingBetweenOpenDatasetsRebindsTheLinks) {
  auto first = People();
  auto second = People();
  Fill(*first, 2);
  Fill(*second, 5);
  second->Last();
  TDataSource source(nullptr);
  source.SetDataSet(first.get());
  LoggingLink link;
  link.SetBufferCount(3);
  link.SetDataSource(&source);
  link.log.clear();
  source.SetDataSet(second.get());
  EXPECT_EQ(link.log, (std::vector<std::string>{"active 0", "active 1"}));
  EXPECT_EQ(link.RecordCount(), 3);
  EXPECT_EQ(link.ActiveRecord(), 2);
}

TEST(DataSourceLifetime, FreedBeforeAFixedLinkLeavesItInactive) {
  auto ds = People();
  Fill(*ds, 2);
  LoggingLink link;
  auto* source = new TDataSource(nullptr);
  source->SetDataSet(ds.get());
  link.SetDataSource(source);
  link.SetDataSourceFixed(true);
  delete source;
  EXPECT_EQ(link.DataSource(), nullptr);
  EXPECT_FALSE(link.Active());
}

// A control's handler may free other controls (and their links or sources) while the dataset
// is still telling everyone of the same change.
class FreeingLink : public TDataLink {
 public:
  std::function<void()> onScroll;

 protected:
  void DataSetScrolled(int) override {
    if (onScroll) std::exchange(onScroll, nullptr)();
  }
};

TEST(DataSourceLifetime, ALinkFreedDuringANotificationHearsNoMore) {
  auto ds = People();
  Fill(*ds, 3);
  TDataSource source(nullptr);
  source.SetDataSet(ds.get());
  FreeingLink first;
  first.SetDataSource(&source);
  auto* second = new LoggingLink;
  second->SetDataSource(&source);
  LoggingLink third;
  third.SetDataSource(&source);
  first.onScroll = [&] { delete second; };
  ds->Next();
  EXPECT_EQ(third.scrolls, std::vector<int>{1});
}

TEST(DataSourceLifetime, ASourceFreedDuringANotificationHearsNoMore) {
  auto ds = People();
  Fill(*ds, 3);
  TDataSource firstSource(nullptr);
  firstSource.SetDataSet(ds.get());
  auto* secondSource = new TDataSource(nullptr);
  secondSource->SetDataSet(ds.get());
  int heard = 0;
  secondSource->OnDataChange = [&](TComponent*, TField*) { ++heard; };
  FreeingLink link;
  link.SetDataSource(&firstSource);
  link.onScroll = [&] { delete secondSource; };
  ds->Next();
  EXPECT_EQ(heard, 0);
  ds->Next();
  EXPECT_EQ(CurrentId(*ds), 3);
}

}  // namespace
