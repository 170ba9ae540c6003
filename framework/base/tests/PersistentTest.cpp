#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "framework/base/Persistent.h"

namespace {

class TPicture : public TPersistent {
  QN_CLASS(TPicture, TPersistent)
 public:
  AnsiString mask;
  void Assign(TPersistent* source) override {
    if (auto* picture = dynamic_cast<TPicture*>(source))
      mask = picture->mask;
    else
      TPersistent::Assign(source);
  }
};

// Knows how to fill a TPicture, which does not know it.
class TMaskSource : public TPersistent {
  QN_CLASS(TMaskSource, TPersistent)
 protected:
  void AssignTo(TPersistent* dest) override {
    if (auto* picture = dynamic_cast<TPicture*>(dest))
      picture->mask = "#[#]";
    else
      TPersistent::AssignTo(dest);
  }
};

TEST(Persistent, AssignCopiesWhenEitherSideKnowsThePair) {
  TPicture source, target;
  source.mask = "*#[.[#][#]]";
  target.Assign(&source);
  EXPECT_EQ(target.mask, "*#[.[#][#]]");
  TMaskSource maskSource;
  target.Assign(&maskSource);
  EXPECT_EQ(target.mask, "#[#]");
}

TEST(Persistent, AssignmentNobodyKnowsIsRefusedNamingBothClasses) {
  struct Case {
    TPersistent* source;
    TPersistent* target;
    const char* message;
  };
  TPicture picture;
  TMaskSource maskSource;
  const Case cases[] = {{&picture, &maskSource, "Cannot assign a TPicture to a TMaskSource"},
                        {nullptr, &picture, "Cannot assign a nil to a TPicture"}};
  for (const Case& c : cases) {
    try {
      c.target->Assign(c.source);
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

}  // namespace
