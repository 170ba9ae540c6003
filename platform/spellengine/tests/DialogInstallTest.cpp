#include <gtest/gtest.h>

#include <dlfcn.h>

#include "platform/os/ExecutablePath.h"
#include "platform/spellengine/SpellEngineApi.h"

namespace {

std::vector<std::string> calls;

std::int16_t check(std::uint32_t parent, std::uint32_t control, std::int16_t selectedOnly) {
  calls.push_back("check " + std::to_string(parent) + " " + std::to_string(control) + " " + std::to_string(selectedOnly));
  return 0;
}
std::int16_t editLex(std::uint32_t parent) {
  calls.push_back("dictionaries " + std::to_string(parent));
  return 0;
}
std::int16_t options(std::uint32_t parent) {
  calls.push_back("options " + std::to_string(parent));
  return 0;
}

TEST(SpellEngineDialogsTest, TheEntryPointsForwardToTheInstalledCallsAndReturnAtOnceWithout) {
  void* library = dlopen((qn::os::runningProgramFolder() + "/libssce5432.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto install = reinterpret_cast<SpellEngineInstallDialogsFn>(dlsym(library, "SpellEngineInstallDialogs"));
  auto checkCtrl = reinterpret_cast<SSCE_CheckCtrlDlgFn>(dlsym(library, "SSCE_CheckCtrlDlg"));
  auto editLexDlg = reinterpret_cast<SSCE_EditLexDlgFn>(dlsym(library, "SSCE_EditLexDlg"));
  auto optionsDlg = reinterpret_cast<SSCE_OptionsDlgFn>(dlsym(library, "SSCE_OptionsDlg"));
  ASSERT_TRUE(install && checkCtrl && editLexDlg && optionsDlg);

  EXPECT_EQ(checkCtrl(1, 2, 0), 0);
  EXPECT_EQ(editLexDlg(1), 0);
  EXPECT_TRUE(calls.empty()) << "nothing installed: the calls return at once";

  const SpellEngineDialogCalls table{check, editLex, options};
  install(&table);
  checkCtrl(7, 8, 1);
  editLexDlg(7);
  optionsDlg(9);
  EXPECT_EQ(calls, (std::vector<std::string>{"check 7 8 1", "dictionaries 7", "options 9"}));

  install(nullptr);
  checkCtrl(7, 8, 0);
  optionsDlg(9);
  EXPECT_EQ(calls.size(), 3u) << "taken back";
  dlclose(library);
}

}  // namespace
