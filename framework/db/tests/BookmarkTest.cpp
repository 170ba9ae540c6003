// Bookmarks: taken, compared, followed, and judged after records are deleted.
#include <gtest/gtest.h>

#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

TEST(Bookmarks, SurviveTheDeleteOfOtherRecords) {
  auto ds = People();
  Fill(*ds, 6);
  ds->MoveBy(4);  // on 5
  TBookmark five = ds->GetBookmark();
  ds->First();
  ds->Next();  // on 2
  TBookmark two = ds->GetBookmark();
  ds->Delete();  // 2 goes; the cursor stands on 3
  EXPECT_EQ(CurrentId(*ds), 3);

  EXPECT_FALSE(ds->BookmarkValid(two));
  EXPECT_TRUE(ds->BookmarkValid(five));
  ds->GotoBookmark(five);
  EXPECT_EQ(CurrentId(*ds), 5);
  EXPECT_THROW(ds->GotoBookmark(two), EDatabaseError);
  EXPECT_EQ(CurrentId(*ds), 5);

  // A bookmark of the record that took the deleted one's place is a different bookmark.
  ds->First();
  ds->Next();
  TBookmark three = ds->GetBookmark();
  EXPECT_NE(ds->CompareBookmarks(two, three), 0);
  EXPECT_EQ(ds->CompareBookmarks(three, five), -1);
  EXPECT_EQ(ds->CompareBookmarks(five, three), 1);
  ds->FreeBookmark(two);
  ds->FreeBookmark(three);
  ds->FreeBookmark(five);
}

TEST(Bookmarks, MissingOnesSortAfterRealOnes) {
  auto ds = People();
  Fill(*ds, 1);
  TBookmark b = ds->GetBookmark();
  EXPECT_EQ(ds->CompareBookmarks(nullptr, nullptr), 0);
  EXPECT_EQ(ds->CompareBookmarks(nullptr, b), 1);
  EXPECT_EQ(ds->CompareBookmarks(b, nullptr), -1);
  EXPECT_FALSE(ds->BookmarkValid(nullptr));
  ds->FreeBookmark(b);
}

TEST(Bookmarks, TheBookmarkStringGoesBackToItsRecord) {
  auto ds = People();
  Fill(*ds, 30);
  ds->MoveBy(17);
  TBookmarkStr mark = ds->Bookmark();
  ds->First();
  ds->SetBookmark(mark);
  EXPECT_EQ(CurrentId(*ds), 18);
}

TEST(Bookmarks, ANewRecordHasNone) {
  auto ds = People();
  Fill(*ds, 2);
  ds->Insert();
  EXPECT_EQ(ds->GetBookmark(), nullptr);
  EXPECT_TRUE(ds->Bookmark().empty());
}

}  // namespace
