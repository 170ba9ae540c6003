#pragma once
// TClientCaseLookF: the row of four lookup combos (client code, client name, case suffix,
// alternate ID) through which a user names a client and one of its matters. It opens the client
// and case files and decides, as each combo is left, whether the entry names an existing client
// or matter, a closed or deleted one, or a new matter to create. Never shown alone: the main
// window's header panel derives from it and acts on what the checks report.
//
// Rulings kept here:
// - The save file is set to index "4" before every deleted-suffix test: an undelete leaves it on
//   "1", and a test on the wrong index would let a deleted matter's suffix be reused.
// - Reactivation always reactivates: a first character that cannot shift by eight places is
//   written as that character alone ("7     "), which is no longer inactive.
// - The locked alternate ID's drop-down count is -1; the combo opens at most one row for it.
// - A positioning error of Case1_/Case2_ while a suffix alone is checked, or while a matter's
//   client is located, shows the engine's message and writes nothing.
#include "editors/DBLookupCombo.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"

class IntervalTimer;
class TdcTbTable;

// What the main window and the header panel read of the lookups.
extern bool CaseRangeActive;
extern AnsiString CaseRangeClient, CaseRangeStart, CaseRangeEnd;
// "-1" when no range is set.
extern AnsiString CaseRangeIndex;
extern bool CaseListRangeActive;
extern bool ClientRangePending, ClientNameRangePending;
extern bool InactiveClientChosen;
extern bool ClosedCaseFound;
extern bool NewCaseByPrompt;
extern AnsiString TypedSuffixPrefix;
extern bool SuffixTyping;
// The matter was picked in the case grid: its client is looked up by the code the header was
// given with it. Set by whoever hands the grid's choice to the header, cleared by them.
extern bool CaseChosenInGrid;

class TClientCaseLookF : public TForm {
  QN_CLASS(TClientCaseLookF, TForm)
 public:
  explicit TClientCaseLookF(TComponent* AOwner);
  ~TClientCaseLookF() override;

  TdcDBLookupCombo* ClientCode;
  TdcDBLookupCombo* ClientName;
  TdcDBLookupCombo* CaseSuffix;
  TdcDBLookupCombo* AlternateID;
  // Laid over code, name and suffix once a matter is fixed.
  TEdit* Edit1;
  TEdit* Edit2;
  TEdit* Edit3;
  // Suffix completion while the alphabetic list without a client is open.
  IntervalTimer* Timer1;

  bool CaseLookup() const { return caseLookup_; }
  void SetCaseLookup(bool Value);
  bool CaseShown() const { return caseShown_; }
  virtual void SetCaseShown(bool Value);
  bool OfferAdd() const { return offerAdd_; }
  void SetOfferAdd(bool Value);

  // Open the client tables, respectively these and the case tables; what fails is told and the
  // header goes on with what is open.
  void OpenClientFiles();
  void OpenCaseFiles();
  bool ClientFilesOpen() const { return client1Code_ != nullptr; }
  bool CaseFilesOpen() const { return case2AutoIncrement_ != nullptr; }

  void CheckClientCode(TObject* Sender, bool& Keep, bool& AddNew);
  void CheckClientName(TObject* Sender, bool& Keep);
  void CheckCaseSuffix(TObject* Sender, bool& Keep, bool& AddNew);
  void CheckAlternateID(TObject* Sender, bool& Keep);
  void LocateCaseClient(TWinControl* FocusOnFailure);
  void SetCaseRange();
  void ClearLookupSelection();
  void ReactivateClient();
  void LockLookupFields();
  void LockAlternateID();
  void UnlockLookupFields();
  // The suffix wide enough for seven characters of its list font and the button; the client code
  // takes its width, font and left.
  void SizeLookupFields();

  void ClientCodeEnter(TObject* Sender);
  void ClientCodeExit(TObject* Sender);
  void ClientCodeChange(TObject* Sender);
  void ClientCodeCloseUp(TObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool Modified);
  void ClientNameEnter(TObject* Sender);
  void ClientNameExit(TObject* Sender);
  void ClientNameCloseUp(TObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool Modified);
  void ClientNameKeyPress(TObject* Sender, char& Key);
  void CaseSuffixEnter(TObject* Sender);
  void CaseSuffixExit(TObject* Sender);
  void CaseSuffixChange(TObject* Sender);
  void CaseSuffixKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void AlternateIDEnter(TObject* Sender);
  void AlternateIDExit(TObject* Sender);
  void Edit1Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);

 protected:
  // The field objects of the data module's tables, taken as the tables open.
  TField *client1Code_ = nullptr, *client1FirstName_ = nullptr, *client1LastName_ = nullptr;
  TField *client1SecondNameLine_ = nullptr, *client1Address1_ = nullptr, *client1Address2_ = nullptr;
  TField *client1StateZip_ = nullptr, *client1Phone1_ = nullptr, *client1Phone2_ = nullptr;
  TField *client1LastCommaFirst_ = nullptr, *client1FinanceCharge_ = nullptr, *client1SalesTax_ = nullptr;
  TField *client1Threshhold_ = nullptr, *client1BillingRate_ = nullptr, *client1AltBilling_ = nullptr;
  TField* client1Unassigned_ = nullptr;
  TField *client2City_ = nullptr, *client2Code_ = nullptr, *client2LastCommaFirst_ = nullptr;
  TField *client2FirstName_ = nullptr, *client2LastName_ = nullptr;
  TField *case1AutoIncrement_ = nullptr, *case1ClientCode_ = nullptr, *case1CaseSuffix_ = nullptr;
  TField *case1LeftJustSuffix_ = nullptr, *case1AlternateID_ = nullptr, *case1AltBilling_ = nullptr;
  TField *case1Description1_ = nullptr, *case1RespAtty1_ = nullptr, *case1RespAtty2_ = nullptr;
  TField *case1RespAtty3_ = nullptr, *case1CoordAtty_ = nullptr, *case1ClientName_ = nullptr;
  TField *case1FinanceCharge_ = nullptr, *case1SalesTax_ = nullptr, *case1Threshhold_ = nullptr;
  TField *case1FeeBudget_ = nullptr, *case1CostBudget_ = nullptr, *case1RetainerMin_ = nullptr;
  TField *case1BillingRate_ = nullptr, *case1CaseClient_ = nullptr, *case1RJCaseClient_ = nullptr;
  TField* case1CaseType2_ = nullptr;
  TField* case2AutoIncrement_ = nullptr;

  // Message boxes placed from the combo's client origin: 30 right, dy below (negative: above).
  TModalResult askAt(TWinControl* Combo, int Dy, const AnsiString& Text, TMsgDlgType Kind, TMsgDlgButtons Buttons);
  void tellAt(TWinControl* Combo, int Dy, const AnsiString& Text, TMsgDlgType Kind = mtInformation);

 private:
  void takeCase1Fields();
  void focusAndSelect(TdcDBLookupCombo* Combo);
  // The case-range reset of CaseSuffixEnter step 4: another client, a start suffix or another end.
  bool caseRangeStale() const;
  void reopenCase1();
  // Step A of the suffix check, with a client code; returns after a rerun without the filter.
  void checkSuffixWithClient(bool& Keep, bool& AddNew);
  void checkSuffixAlone(bool& Keep);
  // Creates the matter unless refused; false when it was refused.
  bool createCase(bool& Keep);
  void fillCalendarAttorneys();
  void completeSuffix();

  bool caseLookup_ = false;
  bool caseShown_ = false;
  bool offerAdd_ = false;
  // Space opened the numeric range list: its character, which follows, is not typed.
  bool openingNumericList_ = false;
};
