#pragma once
// TFeeSplitF ("Quillon  Fee Split Entry and Maintenance"): the receptors of a dummy matter
// (DummyMatter.h) with the share of fees and of costs each one takes, their totals under the two
// columns, and the changes to them: a receptor's percentages, adding and deleting receptors (with
// the receptor status of their matters) and an equal split. One visit of the form is one
// transaction of the data module's database: Save keeps the visit's changes, closing without it
// rolls them back.
#include <cstdint>
#include <vector>

#include "framework/base/Exception.h"
#include "framework/db/DbTypes.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/TextLabel.h"

class TDataSet;
class TField;
class TdcDataSource;
class TdcDBGrid;
class TdcDBNavigator;
class TdcIButton;
class TdcNavButton;
class TdcRecordViewDialog;
class TdcDBLookupCombo;
class TdcTbTable;

class TFeeSplitF : public TForm {
  QN_CLASS(TFeeSplitF, TForm)
 public:
  explicit TFeeSplitF(TComponent* AOwner);
  ~TFeeSplitF() override;

  TextLabel* Label1;  // the dummy matter
  TdcTbTable* FSplit;  // the dummy's rows of fsplit.qf, index "1"
  TdcTbTable* Cases;   // the matters whose status the form writes
  TdcDataSource* FSplitSource;
  TdcDBGrid* dcDBGrid1;
  TdcIButton* dcDBGrid1IButton;  // edits the highlighted receptor's percentages
  TdcDBNavigator* dcDBNavigator1;
  TdcRecordViewDialog* FSplitRecordViewDialog;
  // The client and matter boxes of the record dialogs, over the form's own client and matter
  // tables; the matter table is limited to the client the dialog's row names.
  TdcTbTable* ClientLookup;
  TdcTbTable* MatterLookup;
  TdcDBLookupCombo* ClientCombo;
  TdcDBLookupCombo* MatterCombo;
  GlyphButton* BitBtn1;  // "Sa&ve"
  GlyphButton* BitBtn2;  // "Redistribute equally"
  GlyphButton* BitBtn3;  // "&Model this family", shown when modeling is enabled
  TextLabel* ModelLabel;  // the family model's progress and counters
  GlyphButton* ModelCancelBtn;  // stops the family model between two matters

  // The dummy was called up on the main screen: receptors may be added.
  bool DummyCalledUp = true;
  // Set by the opener when the matter is not a dummy: the receptor (or the matter that is to
  // become one) whose dummy is shown, moved or assigned. Blank: the form is for DummyClient-
  // DummySuffix.
  AnsiString ReceptorClient, ReceptorSuffix;

  // The target picker: the form stays hidden, starts no transaction and only asks for a client
  // and a matter under the caption the sub-flags choose. PickTarget answers whether one was
  // given; it is then in PickedClient and PickedSuffix (trimmed).
  bool Picker = false, PickerCopy = false, PickerInvoice = false;
  AnsiString PickedClient, PickedSuffix;
  bool PickTarget();
  // Whoever opens the form decides whether it offers the family model.
  void SetModelingEnabled(bool Value) { BitBtn3->SetVisible(Value); }

  // What the family model did: the dummy matters modeled and the split rows changed, added and
  // deleted; the errors it logged.
  struct ModelCounts {
    int Matters = 0, Changed = 0, Added = 0, Deleted = 0;
  };
  const ModelCounts& ModelCounters() const { return counts_; }
  const std::vector<AnsiString>& ModelLog() const { return log_; }

  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);
  // The family model: every other dummy of the client gets the split of the dummy on the screen,
  // its receptor matters carrying the family dummy's own suffix.
  void BitBtn3Click(TObject* Sender);
  void AddReceptorClick(TObject* Sender);
  void EditReceptorClick(TObject* Sender);
  void DeleteReceptorClick(TObject* Sender);
  // Record locks met while a row is written: retried silently, then Retry or Cancel with the fee
  // split's lock text; any other failure closes the form after telling why.
  void FeeSplit_EditError(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action);
  // Refuses a percentage outside 0 to 100.
  void PercentValidate(TField* Sender);

  // The visit's transaction is running.
  bool InVisit() const { return visitOpen_; }
  // The sums of the receptors' fee and cost percentages in ten-thousandths of a percent.
  int64_t FeeTotal() const { return feeTotal_; }
  int64_t CostTotal() const { return costTotal_; }
  void MakeInitialTotalCalcs();

  static const AnsiString LockText;

 private:
  bool openVisit();
  // Opens the fee split file, telling the user when it cannot be opened.
  bool openSplitFile();
  // The rows of DummyClient-DummySuffix in the grid, with their totals.
  void showDummy();
  // The receptor's dummy: shown, or (on the user's word, or when it has none) a new one asked
  // for. False when the visit has nothing to show.
  bool openReceptor();
  // The record dialog that takes the dummy of the receptor; moving, the receptor's row under
  // its old dummy goes once the new one is written. True when the new row was written.
  bool assignDummy(bool moving);
  // Refuses (EAbort) a new dummy that is missing, the receptor itself, already its dummy or not
  // wanted as a dummy; else gives it the dummy status.
  void checkNewDummy(TDataSet* DataSet);
  // The user gave up after a refusal in the record dialog: it closes without asking.
  void giveUp();
  // The dummy of a receptor, on the receptor index; false when it has none.
  bool dummyOf(const AnsiString& client, const AnsiString& suffix, AnsiString& dummyClient, AnsiString& dummySuffix);
  static AnsiString statusName(const AnsiString& status);
  // The totals into the footer of their columns.
  void showTotals();
  void endVisit();
  // The navigator's buttons in their order.
  static constexpr int AddReceptorButton = 0, EditReceptorButton = 1, DeleteReceptorButton = 2;
  TdcNavButton* navButton(int Index) const;
  AnsiString dummyText() const;
  // Case Status 2 of the matter; false when the matter is not there or cannot be written.
  bool writeStatus(const AnsiString& client, const AnsiString& suffix, const AnsiString& status);
  bool mayChange() const;
  // The matter is the receptor of a dummy other than this one.
  bool receptorOfAnotherDummy(const AnsiString& client, const AnsiString& suffix);
  // One family dummy brought to the model; false when the run cannot go on.
  struct ModelRow {
    AnsiString client, suffix;
    int64_t fee, cost;
  };
  void modelFamilyDummy(const AnsiString& suffix, const std::vector<ModelRow>& model);
  void createReceptorMatter(const AnsiString& client, const AnsiString& suffix, const ModelRow& from);
  void showCounts(const AnsiString& matter);
  void openModelTables();
  void makeLookupCombos();
  // The dialog borrows the combos, its matter box limited to the row's client.
  void prepareLookupCombos();
  // False when a lookup file cannot be opened: the dialogs then take plain entries.
  bool openLookups();
  void closeLookups();
  void limitMatters(const AnsiString& client);
  // The matter box follows the row's client fields.
  void followClientFields(TDataSet* DataSet);
  void closeModelTables();

  TdcTbTable* family_;     // fsplit.qf without a range, index "1"
  TdcTbTable* newCases_;   // ycase.qf, the receptor matters the model creates
  TdcTbTable* caseSave_;   // the saved deleted matters
  TdcTbTable* descs_;      // the description lines
  ModelCounts counts_;
  std::vector<AnsiString> log_;
  bool modelCancelled_ = false;
  bool visitOpen_ = false;
  bool saved_ = false;
  bool closing_ = false;
  // What the record dialog asks for: the percentages (and a new receptor), a dummy with the
  // percentages, or a target matter alone.
  enum class DialogFields { Receptor, Dummy, Target };
  DialogFields dialogFields_ = DialogFields::Receptor;
  // The record dialog with the labels and buttons of what it asks for.
  bool runRecordDialog(const AnsiString& caption, DialogFields fields);
  // The user gave up the dummy's assignment after a refusal: the dialog closes without asking.
  bool givenUp_ = false;
  int64_t feeTotal_ = 0;
  int64_t costTotal_ = 0;
};
