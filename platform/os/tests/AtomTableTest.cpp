#include <gtest/gtest.h>

#include "platform/os/AtomTable.h"

namespace {

using namespace qn::os;

TEST(AtomTableTest, AddFindAndDeleteByReference) {
  Atom atom = addAtom("Sending message to QnlMain: Add Department code");
  ASSERT_GE(atom, 0xC000);
  EXPECT_EQ(atomName(atom), "Sending message to QnlMain: Add Department code");

  // The same text in other letters is the same atom, with one more reference.
  EXPECT_EQ(addAtom("SENDING MESSAGE TO QNLMAIN: ADD DEPARTMENT CODE"), atom);
  EXPECT_TRUE(deleteAtom(atom));
  EXPECT_EQ(atomName(atom), "Sending message to QnlMain: Add Department code");
  EXPECT_TRUE(deleteAtom(atom));
  EXPECT_EQ(atomName(atom), "");
  EXPECT_FALSE(deleteAtom(atom));
}

TEST(AtomTableTest, RefusesWhatCannotBeAnAtom) {
  EXPECT_EQ(addAtom(""), 0);
  EXPECT_EQ(addAtom(std::string(256, 'x')), 0);
  Atom longest = addAtom(std::string(255, 'x'));
  EXPECT_NE(longest, 0);
  deleteAtom(longest);
}

TEST(AtomTableTest, KeyWithBlanksKeepsThem) {
  const std::string key = "ABC    " + std::string(72, ' ') + "     12" + std::string(20, ' ');
  Atom atom = addAtom(key);
  EXPECT_EQ(atomName(atom), key);
  deleteAtom(atom);
}

}  // namespace
