#include "core/DM2.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"

TDM2* DM2 = nullptr;

namespace {

UnitRegistration unit("core/DM2", {"recordmgr/Sessions"}, [] {
  RegisterClass<TDM2>();
  RegisterFormVariable(DM2);
});

}  // namespace

TDM2::TDM2(TComponent* AOwner) : TDataModule(AOwner) {
  SetName("DM2");
  QNDatabase = new TtbDatabase(this);
  QNDatabase->SetName("QNDatabase");
  QNDatabase->SetSessionName("Btrieve");
  QNDatabase->SetLoginPrompt(false);
  if (!DM2) DM2 = this;
}

TDM2::~TDM2() {
  if (DM2 == this) DM2 = nullptr;
}

void TDM2::AfterConstruction() {
  DM2Create(this);
  TDataModule::AfterConstruction();
}

void TDM2::DM2Create(TObject*) {
  if (QNDatabase->DatabaseName().empty()) QNDatabase->SetDatabaseName("QNWIN");
  if (!QNDatabase->Connected()) QNDatabase->Open();
}
