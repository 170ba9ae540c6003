#include <gtest/gtest.h>

#include <set>

#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/WindowRegistry.h"

namespace {

class THandleForm : public TForm {
  QN_CLASS(THandleForm, TForm)
 public:
  using TForm::TForm;
};

TEST(WindowHandleTest, AFormsHandleIsItsRegistryIdAndAControlsIsItsOwnUntilItGoes) {
  qn::ui::testing::qtApplication();
  Application->Initialize();
  THandleForm form(nullptr);
  form.SetCaption("Handles");
  const qn::os::WindowId formHandle = form.Handle();
  const auto entry = qn::os::windowRegistry::find("THandleForm", "Handles");
  ASSERT_TRUE(entry);
  EXPECT_EQ(formHandle, entry->id);
  EXPECT_EQ(FindControlByHandle(formHandle), &form);

  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  auto* rich = new TRichEdit(&form);
  rich->SetParent(&form);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  const qn::os::WindowId editHandle = edit->Handle();
  EXPECT_EQ(edit->Handle(), editHandle) << "stable";
  const std::set<qn::os::WindowId> all = {formHandle, editHandle, rich->Handle(), button->Handle()};
  EXPECT_EQ(all.size(), 4u) << "each distinct";
  EXPECT_EQ(FindControlByHandle(editHandle), edit);
  EXPECT_EQ(FindControlByHandle(rich->Handle()), rich);
  EXPECT_EQ(FindControlByHandle(0), nullptr);
  EXPECT_EQ(FindControlByHandle(editHandle + 1000000), nullptr) << "never given here";

  const qn::os::WindowId richHandle = rich->Handle();
  delete rich;
  EXPECT_EQ(FindControlByHandle(richHandle), nullptr);
  EXPECT_EQ(FindControlByHandle(editHandle), edit);
}

}  // namespace
