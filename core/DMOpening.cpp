// TDM's opening helpers: each table on its file in the data folder, by record layout and index.
#include <filesystem>

#include "core/Constants.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/TextCase.h"
#include "platform/os/ExecutablePath.h"

namespace {

enum class CodeSet { None, Client, Cases };

// From the program file's own name: a folder named "client" above it must not change the set.
CodeSet codeSetOfProgram() {
  const AnsiString name = UpperCase(std::filesystem::path(qn::os::executablePath()).filename().string());
  if (name.find("CLIENT") != AnsiString::npos) return CodeSet::Client;
  if (name.find("CASES") != AnsiString::npos) return CodeSet::Cases;
  return CodeSet::None;
}

}  // namespace

bool TDM::openOnIndex(TdcTbTable* table, const AnsiString& file, const AnsiString& index) {
  if (table->Active()) return true;
  try {
    table->SetTableName(DataDir + "\\" + file);
    table->Open();
    table->SetIndexName(index);
  } catch (...) {
    table->Close();
    throw;
  }
  return true;
}

bool TDM::openCodeSet(const std::vector<TdcTbTable*>& tables) {
  try {
    // Pairs: the code-ordered table first, then the one in description order.
    for (std::size_t i = 0; i < tables.size(); ++i)
      openOnIndex(tables[i], "ytable.qf;RES:SIMPLECD", i % 2 == 0 ? "5" : "4");
  } catch (const std::exception&) {
    ShowErrorBox("Unable to access the file ytable.qf.\r" + CallSupportText);
    return false;
  }
  return true;
}

bool TDM::ActivateCodeTables() {
  switch (codeSetOfProgram()) {
    case CodeSet::Client:
      return openCodeSet({OffCodes1_, OffCodes2_, ClTypeOne1_, ClTypeOne2_, ClTypeTwo1_, ClTypeTwo2_});
    case CodeSet::Cases:
      return openCodeSet({DeptCodes1_, DeptCodes2_, CaTypeOne1_, CaTypeOne2_, CaTypeTwo1_, CaTypeTwo2_, CaTypeThree1_,
                          CaTypeThree2_, StMsg1_, StMsg2_});
    case CodeSet::None:
      break;
  }
  return true;
}

bool TDM::ActivateRATables() {
  try {
    for (TdcTbTable* t : {RAOne1_, RAOne2_, RATwo1_, RATwo2_, RAThree1_, RAThree2_})
      openOnIndex(t, "yempl.qf;RES:EMP", t == RAOne1_ || t == RATwo1_ || t == RAThree1_ ? "1" : "3");
  } catch (const std::exception&) {
    ShowErrorBox("Unable to access the file yempl.qf.\r" + CallSupportText);
    return false;
  }
  return true;
}

bool TDM::OpenCaseSave() {
  try {
    return openOnIndex(CaseSave_, "casesave.qf;RES:YCASE", "4");
  } catch (const std::exception&) {
    ShowErrorBox("Unable to open CASESAVE file");
    return false;
  }
}

bool TDM::OpenCaseTables() {
  try {
    return openOnIndex(Case1_, "ycase.qf;RES:YCASE", "4");
  } catch (const std::exception&) {
    ShowErrorBox("Unable to open YCASE file");
    return false;
  }
}
