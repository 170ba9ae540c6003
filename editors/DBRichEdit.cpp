#include "editors/DBRichEdit.h"

#include "editors/RichMemoryStream.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormatText.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Beep.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

namespace {
UnitRegistration unit("editors/DBRichEdit", {}, [] { RegisterClass<TdcDBRichEdit>(); });

std::string readBlob(TField* field) {
  std::unique_ptr<TStream> blob(field->DataSet()->CreateBlobStream(field, bmRead));
  std::string bytes(static_cast<size_t>(std::max<int64_t>(0, blob->Size())), '\0');
  bytes.resize(static_cast<size_t>(blob->Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  return bytes;
}

// Whether every run of the content has a Windows-1252 byte for each of its characters.
bool fitsCodePage(const qn::ui::RichTextContent& content) {
  for (const qn::ui::RichParagraph& paragraph : content.paragraphs)
    for (const qn::ui::TextRun& run : paragraph.runs)
      if (!qn::utf8FitsAnsi(run.text)) return false;
  return true;
}

}  // namespace

void TdcDBRichEdit::PublishProperties(PropertyPublisher<TdcDBRichEdit>& publish) {
  using Self = TdcDBRichEdit;
  publish.Object("DataSource", &Self::DataSource, &Self::SetDataSource);
  publish.String("DataField", &Self::DataField, &Self::SetDataField);
  publish.Boolean("ReadOnly", &Self::ReadOnly, &Self::SetReadOnly);
  publish.Boolean("AutoDisplay", &Self::AutoDisplay, &Self::SetAutoDisplay);
  publish.Boolean("Modified", &Self::Modified, &Self::SetModified);
  publish.Event("OnProtectChange", &Self::OnProtectChange, &Self::OnProtectChange);
}

TdcDBRichEdit::TdcDBRichEdit(TComponent* AOwner) : TdcCustomRichEdit(AOwner) {
  link_.SetControl(this);
  link_.OnDataChange = [this] { DataChange(); };
  link_.OnEditingChange = [this] { EditingChange(); };
  link_.OnUpdateData = [this] { UpdateField(); };
  SetOleOptions({reoAdjustPopupMenu});
}

TdcDBRichEdit::~TdcDBRichEdit() { link_.SetDataSource(nullptr); }

void TdcDBRichEdit::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  if (!Value) DataChange();
}

void TdcDBRichEdit::SetDataField(const AnsiString& Value) {
  if (!Value.empty() && Value != link_.FieldName()) {
    setWindowReadOnly(true);
    bound_ = true;
  } else if (Value.empty()) {
    bound_ = false;
    link_.SetFieldName(Value);
    setWindowReadOnly(GetReadOnly());
    DataChange();
    return;
  }
  link_.SetFieldName(Value);
  if (!link_.Field()) DataChange();
}

void TdcDBRichEdit::SetReadOnly(bool Value) {
  if (!link_.Field()) setWindowReadOnly(Value);
  link_.SetReadOnly(Value);
}

void TdcDBRichEdit::SetAutoDisplay(bool Value) {
  if (autoDisplay_ == Value) return;
  autoDisplay_ = Value;
  if (Value && isBlob() && !loaded_) Invalidate();
}

bool TdcDBRichEdit::GetReadOnly() {
  TField* field = link_.Field();
  if (!field && DataField().empty()) return link_.ReadOnly();
  if (link_.ReadOnly()) return true;
  if (field && field->DataSet()) return !field->DataSet()->CanModify();
  return false;
}

bool TdcDBRichEdit::isBlob() const { return link_.Field() && link_.Field()->IsBlob(); }

void TdcDBRichEdit::loadAllowingChanges(const std::function<void()>& load) {
  const bool was = loading_;
  loading_ = true;
  TRichProtectClass allow;
  const TRichEditProtectChangeEvent saved = OnProtectChange;
  OnProtectChange = [&allow](TObject* s, int a, int b, bool& ok) { allow.AllowChange(s, a, b, ok); };
  try {
    load();
  } catch (...) {
    OnProtectChange = saved;
    loading_ = was;
    throw;
  }
  OnProtectChange = saved;
  loading_ = was;
}

void TdcDBRichEdit::showText(const AnsiString& Text) {
  loadAllowingChanges([&] { SetText(Text); });
}

// ---- the link ----

void TdcDBRichEdit::DataChange() {
  TField* field = link_.Field();
  if (!field) {
    showText(ComponentState().Contains(csDesigning) ? Name() : AnsiString());
    loaded_ = false;
  } else if (!field->IsBlob()) {
    loaded_ = false;
    // The same text again (the data change of the edit's own Edit) keeps selection and typing.
    const AnsiString text = focused_ && link_.CanModify() ? field->Text() : field->DisplayText();
    if (text != Text()) showText(text);
    loaded_ = true;
  } else if (autoDisplay_ || (link_.Editing() && loaded_)) {
    // The data change that Edit itself causes keeps what the user typed.
    if (!editStartValue_.empty() && editStartValue_ == field->AsString()) return;
    loaded_ = false;
    if (Showing()) LoadMemo();
  } else {
    loaded_ = false;
    showText(Format("(%s)", {field->DisplayLabel()}));
  }
  if (hasWindow()) Invalidate();
}

void TdcDBRichEdit::EditingChange() { setWindowReadOnly(GetReadOnly() || !(link_.Editing() && loaded_)); }

void TdcDBRichEdit::LoadMemo() {
  TField* field = link_.Field();
  if (!field || !field->IsBlob() || loaded_) return;
  const bool was = loading_;
  loading_ = true;
  {
    HourglassCursor hourglass;
    TRichProtectClass allow;
    const TRichEditProtectChangeEvent saved = OnProtectChange;
    OnProtectChange = [&allow](TObject* s, int a, int b, bool& ok) { allow.AllowChange(s, a, b, ok); };
    loaded_ = true;
    try {
      TdcRichMemoryStream content;
      const std::string bytes = readBlob(field);
      content.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
      content.SetPosition(0);
      Lines()->Clear();
      LoadFromStream(content, false, false);
      OnProtectChange = saved;
      if (bytes.empty()) {
        // A new document starts plain: no bullet, left aligned.
        changeParagraphAttributes([](qn::ui::ParagraphAttributes& p) {
          p.bullet = false;
          p.alignment = qn::ui::ParagraphAlignment::Left;
        });
      }
    } catch (const EOutOfResources& e) {
      SetText(Format("(%s)", {e.Message()}));
      OnProtectChange = saved;
    } catch (...) {
      OnProtectChange = saved;
      loading_ = was;
      throw;
    }
  }
  loading_ = was;
  setWindowReadOnly(!(link_.Editing() && loaded_));
  SetModified(false);
}

void TdcDBRichEdit::LoadFromBlobField(TField* Field) {
  try {
    loadAllowingChanges([&] {
      std::unique_ptr<TStream> blob(Field->DataSet()->CreateBlobStream(Field, bmRead));
      LoadFromStream(*blob, true, false);
    });
  } catch (...) {
    loaded_ = false;
    throw;
  }
  loaded_ = false;
}

void TdcDBRichEdit::Edit() {
  TField* field = link_.Field();
  if (!field || link_.Editing()) return;
  editStartValue_.clear();
  if (field->IsBlob()) editStartValue_ = field->AsString();
  link_.Edit();
}

void TdcDBRichEdit::UpdateField() {
  TField* field = link_.Field();
  if (!field || !Modified() || !loaded_) return;
  const qn::ui::RichTextContent whole = content(0, TextLength());
  if (!field->IsBlob()) {
    if (!fitsCodePage(whole))
      throw EInvalidOperation(
          Format("The text holds characters that cannot be stored in %s.", {field->DisplayLabel()}));
    field->SetAsString(whole.plainText());
    return;
  }
  TdcRichMemoryStream rich;
  const bool plain = PlainText();
  SetPlainText(false);
  saveToStream(rich);
  SetPlainText(plain);
  std::unique_ptr<TStream> blob(field->DataSet()->CreateBlobStream(field, bmWrite));
  blob->WriteBuffer(rich.Memory(), rich.Size());
}

// ---- keys, mouse, focus and paint ----

void TdcDBRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
  const bool paste = (Key == VK_INSERT && Shift == TShiftState{ssShift}) || (Key == 'V' && Shift == TShiftState{ssCtrl});
  const bool cut = Key == 'X' && Shift == TShiftState{ssCtrl};
  if (paste && !CanPaste()) {
    Key = 0;
    return;
  }
  if (link_.Field() && loaded_ && (Key == VK_DELETE || Key == VK_BACK || paste || cut)) Edit();
  TdcCustomRichEdit::KeyDown(Key, Shift);
}

void TdcDBRichEdit::KeyPress(char& Key) {
  TField* field = link_.Field();
  if (field && !loaded_) {
    if (Key == '\r') LoadMemo();
    Key = 0;
    return;
  }
  if (Key == 22 && !CanPaste()) {
    Key = 0;
    return;
  }
  if (field) {
    const auto c = static_cast<unsigned char>(Key);
    if (c >= 32 && !field->IsValidChar(c)) {
      Beep();
      Key = 0;
      return;
    }
    if (Key == '\b' || Key == '\t' || Key == '\n' || Key == '\r' || Key == 22 || Key == 24 || c >= 32) Edit();
    if (Key == 27) {
      link_.Reset();
      Key = 0;
      return;
    }
  }
  TdcCustomRichEdit::KeyPress(Key);
}

void TdcDBRichEdit::CutToClipboard() {
  Edit();
  TdcCustomRichEdit::CutToClipboard();
}

void TdcDBRichEdit::PasteFromClipboard() {
  Edit();
  TdcCustomRichEdit::PasteFromClipboard();
}

void TdcDBRichEdit::SetParent(TWinControl* Value) {
  const bool was = reparenting_;
  reparenting_ = true;
  try {
    TdcCustomRichEdit::SetParent(Value);
  } catch (...) {
    reparenting_ = was;
    throw;
  }
  reparenting_ = was;
  // Only a blob loads again: another field's text is always there, and a field not loaded would
  // never be written.
  if (isBlob()) loaded_ = false;
}

void TdcDBRichEdit::Change() {
  if (!loading_ && !reparenting_) {
    Edit();
    link_.Modified();
  }
  TdcCustomRichEdit::Change();
}

void TdcDBRichEdit::DoEnter() {
  focused_ = true;
  if (link_.Field() && !link_.Field()->IsBlob()) DataChange();
  TdcCustomRichEdit::DoEnter();
}

void TdcDBRichEdit::DoExit() {
  // What the write raises keeps the focus here.
  link_.UpdateRecord();
  focused_ = false;
  TdcCustomRichEdit::DoExit();
}

void TdcDBRichEdit::DblClick() {
  if (bound_ && !loaded_) {
    LoadMemo();
    return;
  }
  TdcCustomRichEdit::DblClick();
}

void TdcDBRichEdit::BeforeTextPaint() {
  if (!painted_) {
    painted_ = true;
    UpdateFormattingRect();
  }
  if (bound_ && !loaded_ && autoDisplay_) {
    HourglassCursor hourglass;
    LoadMemo();
  }
}
