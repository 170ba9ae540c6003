#include "dialogs/CaseAddressF.h"

#include <cctype>

#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/DcDataSource.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/IndicatorButton.h"
#include "datagrid/NavButton.h"
#include "datagrid/NavButtons.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "editors/DBComboBox.h"
#include "dialogs/CaptionedNavigator.h"
#include "dialogs/PasteF.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Edit.h"
#include "framework/ui/PlaceControl.h"

namespace {

const AnsiString kNoAccess = "Sorry, you don't have access to this function.";
const AnsiString kAddressesFor = "Addresses for ";
const AnsiString kClientShown = "Client Address shown. Use 'Edit Address' to modify && save as a matter-level address.";
const AnsiString kSubstituteShown = "(Substitute Address is shown in ";
const AnsiString kSecondSubstitute =
    "A Substitute Address already exists for this matter\rand only one is allowed.  To make this the\rSubstitute "
    "Address, first uncheck the Substitute\rAddress box for the current Substitute Address.";
const AnsiString kIdenticalSubstitute =
    "Do you really mean to save this matter's substitute address even though it's identical to your client's "
    "address?";

// The navigator's buttons in their order, with the captions the form gives them.
constexpr int kFirst = 0, kPrior = 1, kNext = 2, kLast = 3, kAdd = 4, kEdit = 5, kDelete = 6;
const std::array<std::pair<TdcNavButtonStyle, const char*>, 7> kButtons = {{{nbsFirst, "&First"},
                                                                           {nbsPrior, "&Previous"},
                                                                           {nbsNext, "&Next"},
                                                                           {nbsLast, "&Last"},
                                                                           {nbsInsert, "&Add New Address"},
                                                                           {nbsEdit, "&Edit Address"},
                                                                           {nbsDelete, "&Delete Address"}}};

AnsiString field(TDataSet* d, const char* name) { return d->FieldByName(name)->AsString(); }

// The record's type, whatever blanks the file pads it with.
AnsiString typeOf(TDataSet* d) { return Trim(field(d, "Address Type")); }

}  // namespace

std::array<AnsiString, ClipboardAddress::PartCount> CaseAddressMatter::Parts() const {
  return {ClientName, SecondName, AddressLine1, AddressLine2, City, StateZipCountry, Phone1, Phone2};
}

std::optional<TypedField> StateZipCountryKey(const AnsiString& Text, char Key) {
  if (Text.size() != 2 || !std::isdigit(static_cast<unsigned char>(Key))) return std::nullopt;
  return TypedField{UpperCase(Text) + AnsiString(1, Key), 3};
}

TCaseAddressF::TCaseAddressF(TComponent* AOwner) : TForm(AOwner) {
  SetName("CaseAddressF");
  SetCaption(" Quillon Case Addresses");
  SetBorderStyle(bsDialog);
  SetClientWidth(760);
  SetClientHeight(338);
  Label1 = PlaceControl<TextLabel>(this, this, 8, 8, 420, 16);
  LabelBoldBlack = PlaceControl<TextLabel>(this, this, 170, 8, 80, 16);
  LabelBoldBlack->SetCaption("bold black)");
  LabelBoldBlack->Font()->SetStyle(TFontStyles{fsBold});
  LabelIDData = PlaceControl<TextLabel>(this, this, 430, 8, 320, 16);
  LabelAdditional = PlaceControl<TextLabel>(this, this, 8, 28, 150, 16);
  LabelAdditional->SetCaption("Additional addresses");
  LabelAdditional->Font()->SetColor(clGreen);
  LabelHidden = PlaceControl<TextLabel>(this, this, 170, 28, 150, 16);
  LabelHidden->SetCaption("Hidden addresses");
  LabelHidden->Font()->SetColor(clPurple);

  dcDBComboBox1 = PlaceControl<TdcDBComboBox>(this, this, 8, 300, 300, 21);
  dcDBComboBox1->SetName("dcDBComboBox1");
  dcDBComboBox1->SetVisible(false);
  dcDBComboBox1->SetMapList(true);
  for (const char* item : {"substitute this address for the client address\tS", "make this an additional address\tX",
                           "hide this address on statements\tZ"})
    dcDBComboBox1->Items()->Add(item);
  const AnsiString typeControl = "Address Type;Combo;dcDBComboBox1";

  CaseAddressSource = new TdcDataSource(this);
  CaseAddressGrid = PlaceControl<TdcDBGrid>(this, this, 8, 48, 744, 200);
  CaseAddressGrid->SetName("CaseAddressGrid");
  CaseAddressGrid->SetUseTFields(false);
  // Name, address and phones are two and three lines each.
  CaseAddressGrid->SetRowHeightPercent(300);
  for (const char* column : {"Name\t40\tName\tF", "Address\t40\tAddress\tF", "Phone\t30\tPhones\tF",
                             "CaseID\t8\tCase~Identifier\tF", "SubsOrAdd\t2\t \tF", "Address Type\t200\tAddress Type\tF"})
    CaseAddressGrid->Selected().Add(column);
  CaseAddressGrid->LayoutColumns();
  CaseAddressGrid->SetControlInfoInDataset(false);
  CaseAddressGrid->ControlType()->Add(typeControl);
  CaseAddressGrid->SetHint(
      "This is the client address.  Choose Edit Address and make any desired changes to save it as a case-level "
      "address.");
  CaseAddressGrid->OnCalcCellColors = [this](TObject*, TField* Field, GridCellStates State, bool, TFont* Font,
                                             CanvasBrush& Brush) {
    TDataSet* d = table();
    if (State.Contains(cellSelected)) Brush.Color = clYellow;
    if (Field && Field->FieldName() == "StateZipCountry") Font->SetColor(clBlue);
    if (showsClient_) {
      Font->SetColor(clBlue);
      Font->SetStyle(TFontStyles{fsBold, fsItalic});
      return;
    }
    if (d->State() == dsInsert) return;
    const AnsiString type = typeOf(d);
    if (type == "S") {
      Font->SetColor(clBlack);
      Font->SetStyle(TFontStyles{fsBold});
    } else {
      Font->SetColor(type == "Z" ? clPurple : clGreen);
    }
  };

  // The grid's corner button opens the record view on the address, as Edit Address does.
  dcDBGrid1IButton = new TdcIButton(this);
  dcDBGrid1IButton->SetName("dcDBGrid1IButton");
  dcDBGrid1IButton->SetParent(CaseAddressGrid);
  dcDBGrid1IButton->SetBounds(0, 0, 20, 20);
  dcDBGrid1IButton->SetHint("View and edit this address");
  dcDBGrid1IButton->OnClick = [this](TObject* Sender) { EditAddressClick(Sender); };
  CaseAddressGrid->SetIndicatorButton(dcDBGrid1IButton);

  dcDBNavigator1 = PlaceControl<TdcDBNavigator>(this, this, 8, 254, 744, 40);
  dcDBNavigator1->SetName("dcDBNavigator1");
  ShowCaptionedButtons(dcDBNavigator1, kButtons);
  navButton(kFirst)->OnClick = [this](TObject*) { table()->First(); };
  navButton(kPrior)->OnClick = [this](TObject*) { table()->Prior(); };
  navButton(kNext)->OnClick = [this](TObject*) { table()->Next(); };
  navButton(kLast)->OnClick = [this](TObject*) { table()->Last(); };
  navButton(kAdd)->OnClick = [this](TObject* Sender) { dcDBNavigator1InsertClick(Sender); };
  navButton(kEdit)->OnClick = [this](TObject* Sender) { EditAddressClick(Sender); };
  navButton(kDelete)->OnClick = [this](TObject* Sender) { DeleteAddressClick(Sender); };

  CaseAddressRecordViewDialog = new TdcRecordViewDialog(this);
  CaseAddressRecordViewDialog->SetName("CaseAddressRecordViewDialog");
  CaseAddressRecordViewDialog->SetDataSource(CaseAddressSource);
  CaseAddressRecordViewDialog->ControlInfoInDataset = false;
  CaseAddressRecordViewDialog->ControlType.Add(typeControl);
  CaseAddressRecordViewDialog->Options.Include(rvoHideCalculated);
  CaseAddressRecordViewDialog->Options.Include(rvoHideNavigator);
  CaseAddressRecordViewDialog->OnBeforeCreateControl = [](TdcRecordViewForm*, TField* Field, bool& Accept) {
    const AnsiString name = Field->FieldName();
    Accept = name != "Client Code" && name != "Case Suffix" && name != "AutoIncr";
  };
  CaseAddressRecordViewDialog->OnAfterCreateControl = [](TdcRecordViewForm*, TField* Field, TControl* Control) {
    auto* edit = dynamic_cast<TCustomEdit*>(Control);
    if (!edit || Field->FieldName() != "StateZipCountry") return;
    edit->OnKeyPress = [edit](TObject*, char& Key) {
      const auto typed = StateZipCountryKey(edit->Text(), Key);
      if (!typed) return;
      edit->SetText(typed->Text);
      edit->SetSelStart(typed->Caret);
      Key = 0;
    };
  };
  CaseAddressRecordViewDialog->OnInitDialog = [this](TdcRecordViewForm* View) {
    View->SetCaption("Address for " + Trim(matter_.Client) + "-" + Trim(matter_.Suffix));
    View->SetLeft(Left() + (Width() - View->Width()) / 2);
    View->SetTop(Top() + Height() - View->Height());
  };

  BitBtn1 = PlaceControl<GlyphButton>(this, this, 8, 302, 100, 27);
  BitBtn1->SetKind(gbkOK);
  BitBtnCopy = PlaceControl<GlyphButton>(this, this, 540, 302, 100, 27);
  BitBtnCopy->SetCaption("&Copy");
  BitBtnCopy->SetVisible(false);
  BitBtnPaste = PlaceControl<GlyphButton>(this, this, 652, 302, 100, 27);
  BitBtnPaste->SetCaption("Pa&ste");
  BitBtnPaste->SetVisible(false);
  BitBtnCopy->OnClick = [this](TObject* Sender) { BitBtnCopyClick(Sender); };
  BitBtnPaste->OnClick = [this](TObject* Sender) { BitBtnPasteClick(Sender); };

  SetKeyPreview(true);
  OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
}

TCaseAddressF::~TCaseAddressF() { FormDestroy(this); }

TdcTbTable* TCaseAddressF::table() const { return DM->CaseAddresses; }

TdcNavButton* TCaseAddressF::navButton(int Index) const { return dcDBNavigator1->Buttons()->GetButton(Index); }

bool TCaseAddressF::mayChange() const { return ActiveFileRights[2] == "Y"; }

void TCaseAddressF::FormShow(TObject*) {
  substituteExists_ = false;
  pasting_ = false;
  if (!openAddresses()) return;
  CaseAddressSource->SetDataSet(table());
  CaseAddressGrid->SetDataSource(CaseAddressSource);
  dcDBNavigator1->SetDataSource(CaseAddressSource);
  if (table()->IsEmpty())
    showClientAddress();
  else
    showMatterAddresses();
  prepareClipboard();
}

void TCaseAddressF::FormActivate(TObject*) { prepareClipboard(); }

void TCaseAddressF::FormDestroy(TObject*) {
  if (!DM || !table()->Active()) return;
  try {
    if (table()->State() == dsEdit || table()->State() == dsInsert) table()->Cancel();
    table()->Close();
  } catch (...) {
    // The form goes away either way; a table left open is closed by the next user.
  }
  table()->BeforePost = nullptr;
}

bool TCaseAddressF::openAddresses() {
  TdcTbTable* t = table();
  try {
    if (t->Active()) t->Close();
    t->SetAutoCalcFields(false);
    t->SetTableName(LookupDataDir + "\\caseaddr.QF;RES:CASEADDR");
    t->Open();
    t->SetIndexName("1");
    t->SetRange({matter_.Client, matter_.Suffix, ""}, {matter_.Client, matter_.Suffix, "Z"});
    t->SetAutoCalcFields(true);
    t->Refresh();
  } catch (const Exception&) {
    t->SetAutoCalcFields(true);
    ShowErrorBox("Quillon was unable to open the case address file.");
    return false;
  }
  t->BeforePost = [this](TDataSet* d) { CaseAddressesBeforePost(d); };
  // Known before anything is drawn: the save rules need it even for rows never scrolled to.
  t->DisableControls();
  for (t->First(); !t->Eof(); t->Next())
    if (typeOf(t) == "S") substituteExists_ = true;
  t->First();
  t->EnableControls();
  return true;
}

void TCaseAddressF::showClientAddress() {
  showsClient_ = true;
  table()->Append();
  fill(matter_.Parts(), "S");
  CaseAddressGrid->SetShowHint(true);
  navButton(kEdit)->SetEnabled(false);
  navButton(kDelete)->SetEnabled(false);
  Label1->SetCaption(kClientShown);
  LabelBoldBlack->SetVisible(false);
}

void TCaseAddressF::showMatterAddresses() {
  showsClient_ = false;
  CaseAddressGrid->SetShowHint(false);
  navButton(kEdit)->SetEnabled(mayChange());
  navButton(kDelete)->SetEnabled(true);
  Label1->SetCaption(kSubstituteShown);
  LabelBoldBlack->SetVisible(true);
  CaseAddressGrid->Invalidate();
}

void TCaseAddressF::fill(const std::array<AnsiString, ClipboardAddress::PartCount>& Parts, const AnsiString& Type) {
  TDataSet* d = table();
  d->FieldByName("Client Code")->SetAsString(matter_.Client);
  d->FieldByName("Case Suffix")->SetAsString(matter_.Suffix);
  d->FieldByName("Address Type")->SetAsString(Type);
  for (int i = 0; i < ClipboardAddress::PartCount; ++i)
    d->FieldByName(ClipboardAddress::FieldNames[static_cast<std::size_t>(i)])->SetAsString(Parts[static_cast<std::size_t>(i)]);
}

bool TCaseAddressF::editInView() {
  TDataSet* d = table();
  wasSubstitute_ = d->State() != dsInsert && typeOf(d) == "S";
  // The record is read again with its lock before the user changes it.
  if (d->State() == dsBrowse) d->Edit();
  const bool saved = CaseAddressRecordViewDialog->Execute() && d->State() == dsBrowse;
  if (d->State() == dsEdit || d->State() == dsInsert) d->Cancel();
  if (!saved) {
    // Leaving the client's address unsaved shows it again.
    if (d->IsEmpty()) showClientAddress();
    return false;
  }
  if (showsClient_) showMatterAddresses();
  navButton(kEdit)->Font()->SetColor(clBlue);
  navButton(kDelete)->Font()->SetColor(clBlue);
  CaseAddressGrid->Invalidate();
  return true;
}

void TCaseAddressF::dcDBNavigator1InsertClick(TObject*) {
  if (!mayChange()) {
    ShowInformationBox(kNoAccess);
    return;
  }
  TDataSet* d = table();
  if (!pasting_) {
    if (d->State() == dsInsert) return;
    d->Append();
    fill(matter_.Parts(), "S");
  }
  d->FieldByName("Address Type")->SetAsString("X");
  pasting_ = false;
  editInView();
}

void TCaseAddressF::EditAddressClick(TObject*) {
  if (!mayChange()) {
    ShowInformationBox(kNoAccess);
    return;
  }
  editInView();
}

void TCaseAddressF::DeleteAddressClick(TObject*) {
  TDataSet* d = table();
  if (showsClient_) {
    ShowInformationBox("No addresses currently exist!");
    return;
  }
  if (d->State() == dsInsert || d->IsEmpty()) return;
  if (!mayChange()) {
    ShowInformationBox(kNoAccess);
    return;
  }
  if (!AskYesNo("Are you sure you want to delete this address?")) return;
  // Read again with its lock, so another workstation's change in between is not lost unseen.
  d->Edit();
  const bool substitute = typeOf(d) == "S";
  d->Delete();
  if (substitute) substituteExists_ = false;
  if (d->IsEmpty()) showClientAddress();
}

void TCaseAddressF::CaseAddressesBeforePost(TDataSet* DataSet) {
  DataSet->FieldByName("Client Code")->SetAsString(matter_.Client);
  DataSet->FieldByName("Case Suffix")->SetAsString(matter_.Suffix);
  const bool substitute = typeOf(DataSet) == "S";
  if (substitute) {
    bool identical = true;
    const auto client = matter_.Parts();
    for (int i = 0; i < 6; ++i)
      identical = identical && Trim(field(DataSet, ClipboardAddress::FieldNames[static_cast<std::size_t>(i)])) ==
                                   Trim(client[static_cast<std::size_t>(i)]);
    if (identical && !AskYesNo(kIdenticalSubstitute)) Abort();
  }
  if (wasSubstitute_ && !substitute) substituteExists_ = false;
  if (!wasSubstitute_ && substitute) {
    if (substituteExists_) {
      ShowInformationBox(kSecondSubstitute);
      DataSet->FieldByName("Address Type")->SetAsString("X");
    } else {
      substituteExists_ = true;
    }
  }
}

void TCaseAddressF::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  if (!Shift.Contains(ssCtrl)) return;
  switch (Key) {
    case 'A': dcDBNavigator1InsertClick(Sender); break;
    case 'D': DeleteAddressClick(Sender); break;
    case 'E':
      if (!mayChange()) return;
      EditAddressClick(Sender);
      break;
    case 'F': table()->First(); break;
    case 'L': table()->Last(); break;
    case 'N': table()->Next(); break;
    case 'P': table()->Prior(); break;
    default: return;
  }
  Key = 0;
}

void TCaseAddressF::prepareClipboard() {
  BitBtnCopy->SetVisible(true);
  BitBtnPaste->SetVisible(true);
  const AnsiString file = AddressClipboardFile();
  if (!PrepareAddressClipboard(file)) {
    BitBtnPaste->SetEnabled(false);
    ShowErrorBox("Unable to create the file " + file);
    return;
  }
  clipboard_ = ReadAddressClipboard(file);
  BitBtnPaste->SetEnabled(clipboard_.has_value());
}

void TCaseAddressF::BitBtnCopyClick(TObject*) {
  TDataSet* d = table();
  std::array<AnsiString, ClipboardAddress::PartCount> parts;
  for (int i = 0; i < ClipboardAddress::PartCount; ++i)
    parts[static_cast<std::size_t>(i)] = field(d, ClipboardAddress::FieldNames[static_cast<std::size_t>(i)]);
  const ClipboardAddress address = ClipboardAddress::of(parts);
  const AnsiString file = AddressClipboardFile();
  if (!WriteAddressClipboard(file, address)) {
    ShowErrorBox("Unable to create the file " + file);
    return;
  }
  clipboard_ = address;
  BitBtnPaste->SetEnabled(true);
}

void TCaseAddressF::BitBtnPasteClick(TObject* Sender) {
  if (!clipboard_ || !PasteF) return;
  if (!mayChange()) {
    ShowInformationBox(kNoAccess);
    return;
  }
  PasteF->ShowClipboard(*clipboard_);
  PasteF->runModal();
  if (!PasteF->PasteChosen) return;
  TDataSet* d = table();
  if (d->State() == dsEdit || d->State() == dsInsert) d->Cancel();
  showsClient_ = false;
  d->Append();
  fill(PasteF->Chosen(*clipboard_).Parts, "X");
  pasting_ = true;
  dcDBNavigator1InsertClick(Sender);
}

namespace {
UnitRegistration unit("dialogs/CaseAddressF", {"framework/ui/Application"}, [] {
  RegisterClass<TCaseAddressF>();
});
}  // namespace
