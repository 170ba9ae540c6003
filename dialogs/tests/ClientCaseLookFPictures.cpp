// Pictures of the header docked in a host window on the demo's data, as a user sees it: the client
// list dropped down, and a matter fixed with the cover edits laid over the combos. Saved under the
// build folder (dialogs-images) for a person to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/DataModuleFixture.h"
#include "core/tests/MachineRegistry.h"
#include "dialogs/tests/LookupHeaderFixture.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "platform/recmgr/tests/RecordManagerApi.h"

namespace dialogs_test {
namespace {

std::string headerImagePath(const std::string& name) {
  const std::filesystem::path dir =
      std::filesystem::path(qn::recmgr::testing::programFolder()).parent_path() / "dialogs-images";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

class LookupHeaderPictures : public LookupHeaderFixture {
 protected:
  void SetUp() override {
    LookupHeaderFixture::SetUp();
    const std::string demo = dataDir + "-demo";
    ASSERT_EQ(std::system(("'" + qn::recmgr::testing::programFolder() + "/qnseed' demo '" + demo + "' >/dev/null").c_str()),
              0);
    LookupDataDir = demo + "/data";
    DataDir = LookupDataDir;
    core_test::writeMachineString(MainAliasKey, "PhysicalName", LookupDataDir);
    host = std::make_unique<TForm>(nullptr);
    host->SetCaption("Header host");
    host->SetBounds(20, 20, 790, 300);
    docked = new TClientCaseLookF(host.get());
    docked->SetParent(host.get());
    docked->SetBounds(8, 8, 765, docked->Height());
    docked->Show();
    ASSERT_TRUE(qn::ui::testing::showActive(*host));
    docked->OpenCaseFiles();
  }
  void TearDown() override {
    host.reset();
    LookupHeaderFixture::TearDown();
  }
  // The host window with what floats over it (a dropped-down list) painted where it stands.
  void save(const std::string& name) {
    QTest::qWait(50);
    QImage picture = host->Window()->grab().toImage();
    QPainter painter(&picture);
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top == host->Window() || !top->isVisible()) continue;
      const QPoint at = top->mapToGlobal(QPoint(0, 0)) - host->Window()->mapToGlobal(QPoint(0, 0));
      painter.drawImage(at, top->grab().toImage());
    }
    painter.end();
    EXPECT_TRUE(picture.save(QString::fromStdString(headerImagePath(name))));
  }

  std::unique_ptr<TForm> host;
  TClientCaseLookF* docked = nullptr;
};

TEST_F(LookupHeaderPictures, TheClientListDroppedDownAndAFixedMatter) {
  docked->ClientCode->SetFocus();
  docked->ClientCode->DropDown();
  ASSERT_TRUE(docked->ClientCode->IsDroppedDown());
  save("lookup-header-client-list.png");
  docked->ClientCode->CloseUp(false);

  // The demo's first matter, typed by client and suffix and fixed.
  docked->SetCaseLookup(true);
  const std::string first =
      core_test::storedRows(LookupDataDir, "ycase.qf;RES:YCASE", {"Client Code", "LeftJustCaseSuffix"}).at(0);
  const AnsiString client = first.substr(0, first.find('|'));
  const AnsiString suffix = first.substr(first.find('|') + 1);
  docked->ClientCode->SetText(client);
  bool keep = true, addNew = false;
  docked->CheckClientCode(docked->ClientCode, keep, addNew);
  ASSERT_TRUE(keep);
  docked->CaseSuffixEnter(docked->CaseSuffix);
  docked->CaseSuffix->CloseUp(false);
  docked->CaseSuffix->SetText(suffix);
  docked->CheckCaseSuffix(docked->CaseSuffix, keep, addNew);
  ASSERT_TRUE(docked->CaseShown());
  docked->LockLookupFields();
  docked->LockAlternateID();
  docked->AlternateID->SetFocus();
  save("lookup-header-matter-fixed.png");
}

}  // namespace
}  // namespace dialogs_test
