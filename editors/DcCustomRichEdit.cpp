#include "editors/DcCustomRichEdit.h"

#include <algorithm>
#include <cstring>

#include "datagrid/Intl.h"
#include "editors/RichMemoryStream.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/Application.h"
#include "framework/ui/Font.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"
#include "platform/os/Process.h"

const EnumerationType kRichEditorOptionType{
    "TRichEditorOptions",
    {"reoShowLoad", "reoShowSaveAs", "reoShowSaveExit", "reoShowPrint", "reoShowPageSetup", "reoShowFormatBar",
     "reoShowToolBar", "reoShowStatusBar", "reoShowHints", "reoShowRuler", "reoShowInsertObject", "reoCloseOnEscape",
     "reoFlatButtons"}};
const EnumerationType kRichPopupOptionType{
    "TRichPopupOptions",
    {"rpoPopupEdit", "rpoPopupCut", "rpoPopupCopy", "rpoPopupPaste", "rpoPopupBold", "rpoPopupItalic",
     "rpoPopupUnderline", "rpoPopupFont", "rpoPopupBullet", "rpoPopupParagraph", "rpoPopupTabs", "rpoPopupFind",
     "rpoPopupReplace", "rpoPopupInsertObject"}};
const EnumerationType kRichOleOptionType{"TRichOleOptions", {"reoAdjustPopupMenu", "reoDisableOLE"}};
const EnumerationType kRichEditWidthType{"TRichEditWidth", {"rewWindowSize", "rewPrinterSize"}};

namespace {

// The part of a stream a preview shows: half of a 4,096-byte buffer.
constexpr size_t kFirstPartBytes = 2048;

TdcProgramStarter& linkOpener() {
  static TdcProgramStarter opener;
  return opener;
}

// The opening part of rich text: its first bytes, cut at the first group that follows the first
// \pard. It ends inside the groups still open there, which the reader's first-part mode closes.
std::string firstPart(std::string bytes) {
  if (bytes.size() > kFirstPartBytes) bytes.resize(kFirstPartBytes);
  const size_t pard = bytes.find("\\pard");
  const size_t brace = pard == std::string::npos ? pard : bytes.find('{', pard);
  if (brace != std::string::npos) bytes.resize(brace);
  return bytes;
}

std::string restOf(TStream& stream) {
  std::string bytes(static_cast<size_t>(std::max<int64_t>(0, stream.Size() - stream.Position())), '\0');
  bytes.resize(static_cast<size_t>(stream.Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  return bytes;
}

}  // namespace

void TdcCustomRichEdit::PublishProperties(PropertyPublisher<TdcCustomRichEdit>& publish) {
  using Self = TdcCustomRichEdit;
  publish.String("EditorCaption", &Self::EditorCaption, &Self::EditorCaption);
  publish.Set(
      "EditorOptions", kRichEditorOptionType, [](Self& e) { return e.EditorOptions.Mask(); },
      [](Self& e, std::uint64_t v) { e.EditorOptions = TRichEditorOptions::FromMask(v); });
  publish.Set(
      "PopupOptions", kRichPopupOptionType, [](Self& e) { return e.PopupOptions.Mask(); },
      [](Self& e, std::uint64_t v) { e.PopupOptions = TRichPopupOptions::FromMask(v); });
  publish.Set(
      "OleOptions", kRichOleOptionType, [](Self& e) { return e.OleOptions().Mask(); },
      [](Self& e, std::uint64_t v) { e.SetOleOptions(TRichOleOptions::FromMask(v)); });
  publish.Enumeration(
      "EditWidth", kRichEditWidthType, [](Self& e) { return static_cast<int>(e.EditWidth()); },
      [](Self& e, int v) { e.SetEditWidth(static_cast<TRichEditWidth>(v)); });
  publish.Enumeration(
      "MeasurementUnits", kMeasurementUnitsType, [](Self& e) { return static_cast<int>(e.MeasurementUnits); },
      [](Self& e, int v) { e.MeasurementUnits = static_cast<TMeasurementUnits>(v); });
  publish.String("PrintJobName", &Self::PrintJobName, &Self::PrintJobName);
  publish.Boolean("AutoURLDetect", &Self::AutoURLDetect, &Self::SetAutoURLDetect);
  publish.Integer("RichEditVersion", &Self::RichEditVersion, &Self::SetRichEditVersion);
  publish.Integer("PaperSize", &Self::PaperSize, &Self::SetPaperSize);
  publish.Event("OnURLOpen", &Self::OnURLOpen, &Self::OnURLOpen);
  publish.Event("OnInitDialog", &Self::OnInitDialog, &Self::OnInitDialog);
  publish.Event("OnCloseDialog", &Self::OnCloseDialog, &Self::OnCloseDialog);
  publish.Event("OnCreateDialog", &Self::OnCreateDialog, &Self::OnCreateDialog);
}

TdcCustomRichEdit::TdcCustomRichEdit(TComponent* AOwner)
    : TCustomRichEdit(AOwner),
      strings_(std::make_unique<TdcRichEditStrings>(this)),
      printMargins_(std::make_unique<TdcPrintMargins>()),
      screenDpi_(Screen->PixelsPerInch()) {
  PrintJobName = Application ? Application->Title() : AnsiString();
  SetWantTabs(true);
  buildPopup();
}

TdcCustomRichEdit::~TdcCustomRichEdit() = default;

void TdcCustomRichEdit::SetOleOptions(TRichOleOptions Value) {
  if (Value == oleOptions_) return;
  oleOptions_ = Value;
  if (hasWindow()) recreateWindow();
}

void TdcCustomRichEdit::SetEditWidth(TRichEditWidth Value) {
  editWidth_ = Value;
  if (hasWindow()) UpdateFormattingRect();
}

// ---- links ----

TdcProgramStarter TdcCustomRichEdit::setLinkOpener(TdcProgramStarter opener) {
  TdcProgramStarter previous = std::move(linkOpener());
  linkOpener() = std::move(opener);
  return previous;
}

void TdcCustomRichEdit::DoURLOpen(const AnsiString& URL, bool& Open) {
  if (OnURLOpen) OnURLOpen(this, URL, Open);
}

void TdcCustomRichEdit::linkClicked(const QString& link) {
  TCustomRichEdit::linkClicked(link);
  const AnsiString url = qn::utf8ToAnsi(link.toStdString());
  bool open = true;
  DoURLOpen(url, open);
  if (!open) return;
  {
    HourglassCursor hourglass;
    // The URL is the opener's one argument: no shell ever reads it.
    const std::vector<std::string> args{link.toStdString()};
    if (linkOpener()) linkOpener()("xdg-open", args);
    else qn::os::startDetached("xdg-open", args);
  }
  Screen->SetCursor(crDefault);
}

// ---- loading ----

void TdcCustomRichEdit::LoadFromStream(TStream& Stream, bool FirstPartOnly, bool Selection) {
  const int64_t start = Stream.Position();
  std::string bytes = restOf(Stream);
  if (FirstPartOnly) bytes = firstPart(std::move(bytes));
  MemoryStream part;
  part.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  part.SetPosition(0);
  const qn::ui::RtfReader::Part readPart = FirstPartOnly ? qn::ui::RtfReader::Part::First : qn::ui::RtfReader::Part::Whole;
  if (loadFromStream(part, Selection, readPart)) return;
  if (!PlainText()) {
    // Not rich text after all: the same bytes again, as plain text.
    Stream.SetPosition(start);
    part.SetPosition(0);
    SetPlainText(true);
    bool loaded = false;
    try {
      loaded = loadFromStream(part, Selection);
    } catch (...) {
      SetPlainText(false);
      throw;
    }
    SetPlainText(false);
    Stream.Seek(0, soEnd);
    if (loaded) return;
  }
  throw EOutOfResources("Failed to Load Stream");
}

bool TdcCustomRichEdit::InsertObject() { return false; }

void TdcCustomRichEdit::DoInitDialog(TForm* Form) {
  if (OnInitDialog) OnInitDialog(this, Form);
}
void TdcCustomRichEdit::DoCloseDialog(TForm* Form) {
  if (OnCloseDialog) OnCloseDialog(this, Form);
}
void TdcCustomRichEdit::DoCreateDialog(TForm* Form) {
  if (OnCreateDialog) OnCreateDialog(this, Form);
}

// ---- form data ----

void TdcCustomRichEdit::SetRichEditVersion(int Value) {
  const int before = version();
  setVersion(Value);
  if (version() != before && hasWindow()) recreateWindow();
}

RichEditFormData TdcCustomRichEdit::WriteFormData() {
  RichEditFormData out;
  SetRichEditVersion(2);
  out.version = 2;
  if (HasFieldBinding()) return out;
  TdcRichMemoryStream content;
  Lines()->SaveToStream(content);
  const auto length = static_cast<std::int32_t>(content.Size());
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((static_cast<std::uint32_t>(length) >> (8 * i)) & 0xff);
  data.append(content.Memory(), static_cast<size_t>(length));
  out.data = std::move(data);
  return out;
}

void TdcCustomRichEdit::ReadFormData(const RichEditFormData& Data) {
  SetRichEditVersion(Data.version.value_or(1));
  if (HasFieldBinding() || !Data.data) return;
  SetPlainText(false);
  const std::string& data = *Data.data;
  if (data.size() < 4) throw EStreamError("Stream read error");
  std::uint32_t length = 0;
  for (int i = 0; i < 4; ++i) length |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  const auto signedLength = static_cast<std::int32_t>(length);
  if (signedLength <= 0) {
    Lines()->Clear();
    return;
  }
  if (data.size() - 4 < static_cast<size_t>(signedLength)) throw EStreamError("Stream read error");
  TdcRichMemoryStream content;
  content.Write(data.data() + 4, signedLength);
  content.SetPosition(0);
  Lines()->LoadFromStream(content);
}

// ---- window, font and keys ----

void TdcCustomRichEdit::WindowCreated() {
  TCustomRichEdit::WindowCreated();
  sentRect_ = TRect{};
  UpdateFormattingRect();
}

void TdcCustomRichEdit::BoundsChanged() {
  TCustomRichEdit::BoundsChanged();
  if (hasWindow() && editWidth_ == rewWindowSize) UpdateFormattingRect();
}

void TdcCustomRichEdit::FontChanged() {
  TCustomRichEdit::FontChanged();
  qn::ui::CharacterAttributes attributes = defaultAttributes();
  const TFont* font = Font();
  attributes.name = font->Name();
  attributes.halfPoints = font->Size() * 2;
  attributes.bold = font->Style().Contains(fsBold);
  attributes.italic = font->Style().Contains(fsItalic);
  attributes.underline = font->Style().Contains(fsUnderline);
  attributes.strikeOut = font->Style().Contains(fsStrikeOut);
  attributes.automaticColor = font->Color() == clWindowText;
  if (!attributes.automaticColor) attributes.color = font->Color();
  attributes.charset = font->Charset();
  attributes.pitch = font->Pitch() == fpFixed      ? qn::ui::FontPitch::Fixed
                     : font->Pitch() == fpVariable ? qn::ui::FontPitch::Variable
                                                   : qn::ui::FontPitch::Default;
  if (!(attributes == defaultAttributes())) setDefaultAttributes(attributes);
}

void TdcCustomRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_F2 && Shift.Empty() && PopupOptions.Contains(rpoPopupEdit)) {
    Key = 0;
    Execute();
    return;
  }
  TCustomRichEdit::KeyDown(Key, Shift);
}
