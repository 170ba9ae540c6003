#include <gtest/gtest.h>

#include "framework/base/Exception.h"

namespace {

class TAnimal : public TObject {
  QN_CLASS(TAnimal, TObject)
};
class TDog : public TAnimal {
  QN_CLASS(TDog, TAnimal)
};

TEST(ObjectTest, AncestryIsFoundByNameWithoutCase) {
  TDog dog;
  const TObject& asObject = dog;
  EXPECT_EQ(asObject.ClassName(), "TDog");
  EXPECT_TRUE(asObject.ClassNameIs("tdog"));
  EXPECT_TRUE(asObject.InheritsFrom("TANIMAL"));
  EXPECT_TRUE(asObject.InheritsFrom("TObject"));
  EXPECT_FALSE(asObject.InheritsFrom("TCat"));
  EXPECT_TRUE(asObject.InheritsFrom(TAnimal::StaticClassInfo()));
  EXPECT_FALSE(TAnimal().InheritsFrom(TDog::StaticClassInfo()));
}

TEST(ObjectTest, ExceptionCarriesItsMessage) {
  try {
    throw Exception("Btrieve Status 4 - Key value not found");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Btrieve Status 4 - Key value not found");
  }
}

}  // namespace
