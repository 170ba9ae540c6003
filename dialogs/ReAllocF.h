#pragma once
// TReAllocF ("Quillon Dummy-Receptor Reallocation"): rebuilds the receptor transactions of one
// dummy matter, or of every dummy matter of a dummy client (DummyMatter.h), over a date range,
// and logs each reallocated transaction through the text-report writer.
#include <memory>
#include <optional>
#include <vector>

#include "dialogs/Reallocation.h"
#include "editors/DBDateTimePicker.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TextLabel.h"

class TReAllocF : public TForm {
  QN_CLASS(TReAllocF, TForm)
 public:
  explicit TReAllocF(TComponent* AOwner);
  ~TReAllocF() override;

  TextLabel* Label1;  // the dummy client or matter
  TextLabel* Label2;
  TextLabel* Label3;
  TdcDBDateTimePicker* StartDatePicker;
  TdcDBDateTimePicker* EndDatePicker;
  GlyphButton* RunBitBtn;
  GlyphButton* ExitBitBtn;
  StatusBar* StatusBar1;

  void FormShow(TObject* Sender);
  void RunBitBtnClick(TObject* Sender);
  void ExitBitBtnClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

  // The run on the files FormShow opened; none before FormShow and after FormDestroy.
  DummyReallocation* Reallocation() const { return files_.get(); }

 private:
  // The ledger interface when the system options turn it on; raises EAbort with the reason when
  // its settings or account file cannot be had.
  std::optional<LedgerInterface> openLedger();
  void runReallocation(DummyReallocation& run);
  void logLine(const AnsiString& entry);
  void endReport();
  AnsiString subject() const;
  AnsiString rangeText(TdcDBDateTimePicker* picker, bool fourDigits) const;

  std::vector<AnsiString> dummyList_;
  std::unique_ptr<DummyReallocation> files_;
};

extern TReAllocF* ReAllocF;
