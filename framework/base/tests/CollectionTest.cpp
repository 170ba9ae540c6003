#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/base/Collection.h"
#include "framework/base/Component.h"
#include "framework/base/ComponentError.h"

namespace {

class TFieldItem : public TCollectionItem {
  QN_CLASS(TFieldItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  AnsiString fieldName;
  void SetFieldName(const AnsiString& value) {
    fieldName = value;
    Changed(false);
  }
  void Assign(TPersistent* source) override {
    if (auto* item = dynamic_cast<TFieldItem*>(source))
      fieldName = item->fieldName;
    else
      TCollectionItem::Assign(source);
  }
};

// The owner of a collection, told of every change as a grid is told of its columns.
class TFieldOwner : public TComponent {
  QN_CLASS(TFieldOwner, TComponent)
 public:
  using TComponent::TComponent;
  std::vector<std::string> told;
};

class TFieldCollection : public TCollection {
  QN_CLASS(TFieldCollection, TCollection)
 public:
  explicit TFieldCollection(TFieldOwner* owner) : TCollection(owner, CollectionItemOf<TFieldItem>) {}
  TFieldItem* Field(int index) const { return static_cast<TFieldItem*>(Items(index)); }

 protected:
  void Update(TCollectionItem* item) override {
    owner()->told.push_back(item ? "update " + static_cast<TFieldItem*>(item)->fieldName : "update all");
  }
  void Notify(TCollectionItem* item, CollectionChange change) override {
    owner()->told.push_back(change == CollectionChange::Added ? "added" : "removing " + static_cast<TFieldItem*>(item)->fieldName);
  }

 private:
  TFieldOwner* owner() const { return static_cast<TFieldOwner*>(Owner()); }
};

using Told = std::vector<std::string>;

TEST(Collection, ItemsTellTheOwnerOfEveryChange) {
  TFieldOwner owner(nullptr);
  TFieldCollection fields(&owner);
  auto* number = static_cast<TFieldItem*>(fields.Add());
  number->SetFieldName("FieldNumber");
  EXPECT_EQ(owner.told, (Told{"added", "update all", "update FieldNumber"}));
  EXPECT_EQ(number->Collection(), &fields);

  owner.told.clear();
  auto* name = static_cast<TFieldItem*>(fields.Insert(0));
  name->SetFieldName("FieldName");
  EXPECT_EQ(fields.Field(0), name);
  EXPECT_EQ(number->Index(), 1);
  EXPECT_EQ(owner.told, (Told{"added", "update all", "update all", "update FieldName"}));

  owner.told.clear();
  delete number;  // an item deleted first leaves its collection
  EXPECT_EQ(fields.Count(), 1);
  EXPECT_EQ(owner.told, (Told{"removing FieldNumber", "update all"}));
}

TEST(Collection, UpdateBracketGathersChangesIntoOneUpdate) {
  TFieldOwner owner(nullptr);
  TFieldCollection fields(&owner);
  fields.BeginUpdate();
  static_cast<TFieldItem*>(fields.Add())->SetFieldName("A");
  static_cast<TFieldItem*>(fields.Add())->SetFieldName("B");
  fields.Items(1)->SetIndex(0);
  EXPECT_EQ(owner.told, (Told{"added", "added"}));
  fields.EndUpdate();
  EXPECT_EQ(owner.told, (Told{"added", "added", "update all"}));
  EXPECT_EQ(fields.Field(0)->fieldName, "B");

  owner.told.clear();
  fields.Clear();
  EXPECT_EQ(owner.told, (Told{"removing A", "removing B", "update all"}));
}

TEST(Collection, IdsAreNeverReusedAndFoundById) {
  TFieldOwner owner(nullptr);
  TFieldCollection fields(&owner);
  TCollectionItem* first = fields.Add();
  TCollectionItem* second = fields.Add();
  EXPECT_NE(first->ID(), second->ID());
  const int firstId = first->ID();
  fields.Delete(0);
  EXPECT_EQ(fields.FindItemID(firstId), nullptr);
  EXPECT_EQ(fields.FindItemID(second->ID()), second);
  EXPECT_NE(fields.Add()->ID(), firstId);
  EXPECT_THROW(fields.Items(2), EListError);
}

TEST(Collection, AssignCopiesItemByItemAndMovingAnItemTellsBothCollections) {
  TFieldOwner sourceOwner(nullptr), targetOwner(nullptr);
  TFieldCollection source(&sourceOwner), target(&targetOwner);
  static_cast<TFieldItem*>(source.Add())->SetFieldName("LocalType");
  static_cast<TFieldItem*>(source.Add())->SetFieldName("LocalSize");
  target.Add();
  targetOwner.told.clear();

  target.Assign(&source);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(target.Field(1)->fieldName, "LocalSize");
  EXPECT_NE(target.Items(0), source.Items(0));
  EXPECT_EQ(targetOwner.told.back(), "update all");

  sourceOwner.told.clear();
  targetOwner.told.clear();
  source.Items(0)->SetCollection(&target);
  EXPECT_EQ(source.Count(), 1);
  EXPECT_EQ(target.Count(), 3);
  EXPECT_EQ(sourceOwner.told, (Told{"removing LocalType", "update all"}));
  EXPECT_EQ(targetOwner.told, (Told{"added", "update all"}));
}

TEST(Collection, AssigningACollectionToItselfKeepsItsItems) {
  TFieldOwner owner(nullptr);
  TFieldCollection fields(&owner);
  static_cast<TFieldItem*>(fields.Add())->SetFieldName("LocalType");
  TCollectionItem* item = fields.Items(0);
  fields.Assign(&fields);
  ASSERT_EQ(fields.Count(), 1);
  EXPECT_EQ(fields.Items(0), item);
  EXPECT_EQ(fields.Field(0)->fieldName, "LocalType");
}

}  // namespace
