#pragma once
// TCaseAddressF (" Quillon Case Addresses"): a matter's own addresses - one substitute used in
// place of the client's, additional ones and hidden ones - listed, added, edited, deleted, and
// copied to and pasted from the workstation's address clipboard. A matter without any shows its
// client's address as an unsaved substitute row, stored only once the user edits and saves it.
#include <array>
#include <optional>

#include "dialogs/AddressClipboard.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/TextLabel.h"

class TdcDBComboBox;
class TdcDBGrid;
class TdcIButton;
class TdcDBNavigator;
class TdcNavButton;
class TdcDataSource;
class TdcRecordViewDialog;
class TdcTbTable;
class TDataSet;

// What the header panel hands over: the matter and its client's address.
struct CaseAddressMatter {
  AnsiString Client, Suffix;
  bool NotInserting = true;
  AnsiString ClientName, SecondName, AddressLine1, AddressLine2, City, StateZipCountry, Phone1, Phone2;
  // Name1 .. Phone2 in the clipboard's order.
  std::array<AnsiString, ClipboardAddress::PartCount> Parts() const;
};

// The state-zip-country typing rule: a digit typed into a field of exactly two characters makes
// them upper case before it, the caret after it. Empty when the key is typed as usual.
struct TypedField {
  AnsiString Text;
  int Caret;
};
std::optional<TypedField> StateZipCountryKey(const AnsiString& Text, char Key);

class TCaseAddressF : public TForm {
  QN_CLASS(TCaseAddressF, TForm)
 public:
  explicit TCaseAddressF(TComponent* AOwner);
  ~TCaseAddressF() override;

  void SetMatter(const CaseAddressMatter& Matter) { matter_ = Matter; }

  TextLabel* LabelIDData;
  TextLabel* Label1;  // "Addresses for " or the client-address text
  TextLabel* LabelBoldBlack;
  TextLabel* LabelAdditional;
  TextLabel* LabelHidden;
  TdcDBGrid* CaseAddressGrid;
  TdcIButton* dcDBGrid1IButton;  // the grid's record-view button
  TdcDBComboBox* dcDBComboBox1;  // the grid's and the record view's control of "Address Type"
  TdcDataSource* CaseAddressSource;
  TdcDBNavigator* dcDBNavigator1;
  TdcRecordViewDialog* CaseAddressRecordViewDialog;
  GlyphButton* BitBtn1;
  GlyphButton* BitBtnCopy;
  GlyphButton* BitBtnPaste;

  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void dcDBNavigator1InsertClick(TObject* Sender);
  void EditAddressClick(TObject* Sender);
  void DeleteAddressClick(TObject* Sender);
  void BitBtnCopyClick(TObject* Sender);
  void BitBtnPasteClick(TObject* Sender);
  void CaseAddressesBeforePost(TDataSet* DataSet);

  // Whether the grid shows the client's address, not yet one of the matter's.
  bool ShowsClientAddress() const { return showsClient_; }

 private:
  TdcTbTable* table() const;
  bool mayChange() const;
  bool openAddresses();
  void showClientAddress();
  void showMatterAddresses();
  void prepareClipboard();
  // Opens the record view on the current record; true when it was saved.
  bool editInView();
  void fill(const std::array<AnsiString, ClipboardAddress::PartCount>& Parts, const AnsiString& Type);
  TdcNavButton* navButton(int Index) const;

  CaseAddressMatter matter_;
  bool substituteExists_ = false;
  bool pasting_ = false;
  bool showsClient_ = false;
  bool wasSubstitute_ = false;
  std::optional<ClipboardAddress> clipboard_;
};
