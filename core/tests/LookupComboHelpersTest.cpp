// The lookup-combo helpers on a stand-in combo that publishes what the real one publishes.
#include "core/LookupComboHelpers.h"

#include <gtest/gtest.h>

#include "framework/base/PublishedProperties.h"
#include "framework/ui/Color.h"
#include "framework/ui/Font.h"
#include "framework/ui/Form.h"
#include "framework/ui/WinControl.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using qn::ui::testing::qtApplication;

const EnumerationType SearchOptionType{"TSeqSearchOption", {"ssoEnabled", "ssoCaseSensitive"}};

// Stand-ins named as the lookup combo's own classes, so the helpers find them by class name.
class TdcDBCustomLookupCombo : public TWinControl {
  QN_PUBLISHED_CLASS(TdcDBCustomLookupCombo, TWinControl)
 public:
  explicit TdcDBCustomLookupCombo(TComponent* owner) : TWinControl(owner) { list->SetVisible(true); }
  ~TdcDBCustomLookupCombo() override { delete list; }
  bool showMatchText = true, autoDropDown = true;
  std::uint64_t searchOptions = 3;
  TWinControl* list = new TWinControl(nullptr);
};

void TdcDBCustomLookupCombo::PublishProperties(PropertyPublisher<TdcDBCustomLookupCombo>& publish) {
  publish.Boolean("ShowMatchText", &TdcDBCustomLookupCombo::showMatchText, &TdcDBCustomLookupCombo::showMatchText);
  publish.Boolean("AutoDropDown", &TdcDBCustomLookupCombo::autoDropDown, &TdcDBCustomLookupCombo::autoDropDown);
  publish.Set("SeqSearchOptions", SearchOptionType, &TdcDBCustomLookupCombo::searchOptions,
              &TdcDBCustomLookupCombo::searchOptions);
  publish.Object("DropDownList", &TdcDBCustomLookupCombo::list);
}

class TdcDBLookupCombo : public TdcDBCustomLookupCombo {
  QN_CLASS(TdcDBLookupCombo, TdcDBCustomLookupCombo)
 public:
  using TdcDBCustomLookupCombo::TdcDBCustomLookupCombo;
};

TEST(LookupComboHelpers, MatchStateGoesOnAndOffAndTag210ClearsTheMatchPair) {
  qtApplication();
  for (int tag : {0, 210}) {
    TdcDBLookupCombo combo(nullptr);
    combo.SetTag(tag);
    LookupComboMatchPair[0] = 'A';
    LookupComboMatchPair[1] = 'B';
    SetLookupComboMatch(&combo, false);
    EXPECT_FALSE(combo.showMatchText);
    EXPECT_FALSE(combo.autoDropDown);
    EXPECT_EQ(combo.searchOptions, 0u);
    EXPECT_EQ(LookupComboMatchPair[0], tag == 210 ? 0 : 'A') << tag;
    EXPECT_EQ(LookupComboMatchPair[1], tag == 210 ? 0 : 'B') << tag;
    SetLookupComboMatch(&combo, true);
    EXPECT_TRUE(combo.showMatchText);
    EXPECT_TRUE(combo.autoDropDown);
    EXPECT_EQ(combo.searchOptions, 1u);
  }
}

TEST(LookupComboHelpers, EditingAndMovingKeysTurnTheMatchOffAndHideTheList) {
  qtApplication();
  const struct {
    WORD key;
    const char* text;
    bool off;
  } cases[] = {
      {VK_BACK, "AB", true}, {VK_DELETE, "AB", true}, {VK_LEFT, "AB", true}, {VK_HOME, "AB", true},
      {VK_RIGHT, "AB", true}, {VK_END, "AB", true},  {0, "  ", true},       {0, "AB", false},
      {'A', "", false},
  };
  for (const auto& c : cases) {
    TdcDBLookupCombo combo(nullptr);
    combo.SetText(c.text);
    WORD key = c.key;
    LookupComboKeyPress(&combo, key);
    EXPECT_EQ(combo.showMatchText, !c.off) << c.key << " '" << c.text << "'";
    EXPECT_EQ(combo.list->Visible(), !c.off) << c.key << " '" << c.text << "'";
    EXPECT_EQ(key, c.key);
  }
}

TEST(LookupComboHelpers, OnlyTheFormsLookupCombosAreHighlighted) {
  qtApplication();
  TForm form(nullptr);
  auto* lookup = new TdcDBLookupCombo(&form);
  auto* custom = new TdcDBCustomLookupCombo(&form);
  HighlightLookupCombos(&form);
  EXPECT_EQ(lookup->list->Color(), clYellow);
  EXPECT_EQ(lookup->list->Font()->Color(), clMaroon);
  EXPECT_NE(custom->list->Color(), clYellow);
}

}  // namespace
