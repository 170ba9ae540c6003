// The editor form's components, as its resource lays them out at 96 pixels to the inch: the
// toolbar, the format bar, the status bar, the main menu and the colour menu.
#include "editors/RichEditForm.h"

#include "editors/DBComboBox.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/ui/BevelLine.h"
#include "framework/ui/Font.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"

namespace {

TSpeedButton* button(TComponent* owner, TWinControl* bar, const char* name, int left, int width,
                     const AnsiString& caption) {
  auto* b = PlaceControl<TSpeedButton>(owner, bar, left, 1, width, 22);
  b->SetName(name);
  b->SetCaption(caption);
  b->SetFlat(true);
  return b;
}

BevelLine* divider(TComponent* owner, TWinControl* bar, const char* name, int left) {
  auto* bevel = PlaceControl<BevelLine>(owner, bar, left, 1, 2, 22);
  bevel->SetName(name);
  bevel->SetShape(bevelLeftLine);
  return bevel;
}

BevelLine* underline(TComponent* owner, TWinControl* form, const char* name, int top) {
  auto* bevel = PlaceControl<BevelLine>(owner, form, 0, top, 602, 2);
  bevel->SetName(name);
  bevel->SetShape(bevelTopLine);
  return bevel;
}

TMenuItem* item(TComponent* owner, TMenuItem* menu, const char* name, const AnsiString& caption,
                std::function<void()> click = {}) {
  auto* entry = new TMenuItem(owner);
  entry->SetName(name);
  entry->SetCaption(caption);
  if (click) entry->OnClick = [click](TObject*) { click(); };
  menu->Add(entry);
  return entry;
}

struct NamedColour {
  const char* caption;
  TColor colour;  // 0x00BBGGRR
};
constexpr NamedColour kColours[] = {
    {"Black", 0},           {"Maroon", 128},        {"Green", 32768},      {"Olive", 32896},
    {"Navy", 8388608},      {"Purple", 8388736},    {"Teal", 8421376},     {"Gray", 8421504},
    {"Silver", 12632256},   {"Red", 255},           {"Lime", 65280},       {"Yellow", 65535},
    {"Blue", 16711680},     {"Fuchsia", 16711935},  {"Aqua", 16776960},    {"White", 16777215}};

}  // namespace

TdcRichEditForm::TdcRichEditForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("dcRichEditForm");
  SetCaption("Edit Rich Text");
  SetClientWidth(602);
  SetClientHeight(428);
  SetKeyPreview(true);
  buildToolbars();
  buildMenu();
  buildColourMenu();
  wireButtons();
  qn::ui::showMainMenu(this, MainMenu1);
}

TdcRichEditForm::~TdcRichEditForm() = default;

void TdcRichEditForm::wireButtons() {
  const auto on = [](TSpeedButton* b, std::function<void()> action) {
    b->OnClick = [action](TObject*) { action(); };
  };
  on(NewButton, [this] { NewDocument(); });
  on(LoadButton1, [this] { LoadFile(); });
  on(SaveAsButton, [this] { SaveFileAs(); });
  on(PrintButton, [this] { PrintDocument(); });
  on(FindButton, [this] { editor_->FindDialog(); });
  on(CutButton, [this] { Cut1->Click(); });
  on(CopyButton, [this] { Copy1->Click(); });
  on(PasteButton, [this] { Paste1->Click(); });
  on(UndoButton, [this] { refreshed([this] { editor_->Undo(); }); });
  on(RedoButton, [this] { Redo1->Click(); });
  on(BoldButton, [this] { refreshed([this] { editor_->toggleStyle(&qn::ui::CharacterAttributes::bold); }); });
  on(ItalicButton, [this] { refreshed([this] { editor_->toggleStyle(&qn::ui::CharacterAttributes::italic); }); });
  on(UnderlineButton,
     [this] { refreshed([this] { editor_->toggleStyle(&qn::ui::CharacterAttributes::underline); }); });
  const auto align = [this](qn::ui::ParagraphAlignment alignment) {
    refreshed([this, alignment] {
      editor_->Edit();
      editor_->changeParagraphAttributes([alignment](qn::ui::ParagraphAttributes& p) { p.alignment = alignment; });
    });
  };
  on(LeftButton, [align] { align(qn::ui::ParagraphAlignment::Left); });
  on(CenterButton, [align] { align(qn::ui::ParagraphAlignment::Centre); });
  on(RightButton, [align] { align(qn::ui::ParagraphAlignment::Right); });
  on(BulletButton, [this] { refreshed([this] { editor_->toggleBullet(); }); });
  on(SpeedButton1, [this] {
    const TPoint below = SpeedButton1->ClientToScreen({0, SpeedButton1->Height()});
    PopupMenu1->Popup(below.X, below.Y);
  });
  FontNameCombo->OnCloseUp = [this](TObject*, bool select) {
    if (select) FontNameChosen();
  };
  FontNameCombo->OnDropDown = [this](TObject*) { FontNameCombo->Font()->SetColor(clBlack); };
  FontSizeCombo->OnCloseUp = [this](TObject*, bool) { FontSizeChosen(); };
}

void TdcRichEditForm::buildToolbars() {
  Toolbar = PlaceControl<TPanel>(this, this, 0, 0, 602, 24);
  Toolbar->SetName("Toolbar");
  Toolbar->SetBevelOuter(bvNone);
  Toolbar->SetCaption("");
  NewButton = button(this, Toolbar, "NewButton", 2, 23, "New");
  LoadButton1 = button(this, Toolbar, "LoadButton1", 25, 22, "Ld");
  SaveAsButton = button(this, Toolbar, "SaveAsButton", 47, 22, "Sv");
  ToolbarBevel1 = divider(this, Toolbar, "ToolbarBevel1", 72);
  PrintButton = button(this, Toolbar, "PrintButton", 77, 23, "Pr");
  FindButton = button(this, Toolbar, "FindButton", 100, 23, "Fd");
  Bevel1 = divider(this, Toolbar, "Bevel1", 126);
  CutButton = button(this, Toolbar, "CutButton", 131, 23, "Ct");
  CopyButton = button(this, Toolbar, "CopyButton", 154, 23, "Cp");
  PasteButton = button(this, Toolbar, "PasteButton", 177, 23, "Ps");
  Bevel2 = divider(this, Toolbar, "Bevel2", 203);
  UndoButton = button(this, Toolbar, "UndoButton", 208, 23, "Un");
  RedoButton = button(this, Toolbar, "RedoButton", 231, 23, "Re");
  UserButtonBevel = divider(this, Toolbar, "UserButtonBevel", 257);
  UserButtonBevel->SetVisible(false);
  ToolBarBevel = underline(this, this, "ToolBarBevel", 24);

  FormatBar = PlaceControl<TPanel>(this, this, 0, 26, 602, 26);
  FormatBar->SetName("FormatBar");
  FormatBar->SetBevelOuter(bvNone);
  FormatBar->SetCaption("");
  FontNameCombo = PlaceControl<TdcDBComboBox>(this, FormatBar, 4, 2, 241, 22);
  FontNameCombo->SetName("FontNameCombo");
  FontNameCombo->SetSorted(true);
  FontNameCombo->SetDropDownCount(12);
  FontSizeCombo = PlaceControl<TdcDBComboBox>(this, FormatBar, 249, 2, 50, 22);
  FontSizeCombo->SetName("FontSizeCombo");
  for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"})
    FontSizeCombo->Items()->Add(size);
  Bevel3 = divider(this, FormatBar, "Bevel3", 304);
  BoldButton = button(this, FormatBar, "BoldButton", 309, 23, "B");
  BoldButton->Font()->SetStyle({fsBold});
  ItalicButton = button(this, FormatBar, "ItalicButton", 332, 23, "I");
  ItalicButton->Font()->SetStyle({fsItalic});
  UnderlineButton = button(this, FormatBar, "UnderlineButton", 355, 23, "U");
  UnderlineButton->Font()->SetStyle({fsUnderline});
  Bevel4 = divider(this, FormatBar, "Bevel4", 381);
  LeftButton = button(this, FormatBar, "LeftButton", 386, 23, "L");
  CenterButton = button(this, FormatBar, "CenterButton", 409, 23, "C");
  RightButton = button(this, FormatBar, "RightButton", 432, 23, "R");
  for (TSpeedButton* b : {LeftButton, CenterButton, RightButton}) b->SetGroupIndex(1);
  // Each style button stays down while its style is on.
  int group = 2;
  for (TSpeedButton* b : {BoldButton, ItalicButton, UnderlineButton}) {
    b->SetGroupIndex(group++);
    b->SetAllowAllUp(true);
  }
  BulletButton = button(this, FormatBar, "BulletButton", 458, 23, "\x95");
  BulletButton->SetGroupIndex(group);
  BulletButton->SetAllowAllUp(true);
  SpeedButton1 = button(this, FormatBar, "SpeedButton1", 484, 23, "A");
  SpeedButton1->Font()->SetColor(clRed);
  SpeedButton1->Font()->SetStyle({fsBold});
  FormatBarBevel = underline(this, this, "FormatBarBevel", 52);
  RulerBevel = underline(this, this, "RulerBevel", 54);

  EditorList = PlaceControl<ListBox>(this, this, 0, 0, 0, 0);
  EditorList->SetName("EditorList");
  EditorList->SetVisible(false);
  StatusBar1 = PlaceControl<StatusBar>(this, this, 0, 409, 602, 19);
  StatusBar1->SetName("StatusBar");
  const struct {
    int width;
    TPanelBevel bevel;
  } panels[] = {{300, bvNone}, {32, bvLowered}, {32, bvLowered}, {18, bvNone}};
  for (const auto& p : panels) {
    StatusPanel* panel = StatusBar1->Panels()->Add();
    panel->SetWidth(p.width);
    panel->SetBevel(p.bevel);
  }
}

void TdcRichEditForm::buildMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* root = MainMenu1->Items();
  File1 = item(this, root, "File1", "&File");
  Load1 = item(this, File1, "Load1", "&Load", [this] { LoadFile(); });
  SaveAs1 = item(this, File1, "SaveAs1", "Save &As", [this] { SaveFileAs(); });
  FileSeparator1 = item(this, File1, "N1", "-");
  SaveExit1 = item(this, File1, "SaveExit1", "&Save and Exit", [this] { SetModalResult(mrOk); });
  FileSeparator2 = item(this, File1, "N2", "-");
  Print1 = item(this, File1, "Print1", "&Print", [this] { PrintDocument(); });
  PageSetup1 = item(this, File1, "PageSetup1", "Page Set&up", [this] { PageSetup(); });
  FileSeparator3 = item(this, File1, "N3", "-");
  Exit1 = item(this, File1, "Exit1", "E&xit", [this] { SetModalResult(mrCancel); });

  Edit1 = item(this, root, "Edit1", "&Edit", [this] { RefreshToolbarState(); });
  Undo1 = item(this, Edit1, "Undo1", "&Undo", [this] {
    undoneByMenu_ = true;
    refreshed([this] { editor_->Undo(); });
  });
  Redo1 = item(this, Edit1, "Redo1", "&Redo", [this] { refreshed([this] { editor_->Redo(); }); });
  EditSeparator1 = item(this, Edit1, "N4", "-");
  Cut1 = item(this, Edit1, "Cut1", "Cu&t", [this] { refreshed([this] { editor_->CutToClipboard(); }); });
  Copy1 = item(this, Edit1, "Copy1", "&Copy", [this] { refreshed([this] { editor_->CopyToClipboard(); }); });
  Paste1 = item(this, Edit1, "Paste1", "&Paste", [this] { refreshed([this] { editor_->PasteFromClipboard(); }); });
  Clear1 = item(this, Edit1, "Clear1", "Cle&ar", [this] { refreshed([this] { editor_->ClearSelection(); }); });
  EditSeparator2 = item(this, Edit1, "N5", "-");
  SelectAll1 = item(this, Edit1, "SelectAll1", "Select A&ll", [this] { refreshed([this] { editor_->SelectAll(); }); });
  EditSeparator3 = item(this, Edit1, "N6", "-");
  Find1 = item(this, Edit1, "Find1", "&Find", [this] { editor_->FindDialog(); });
  FindNext1 = item(this, Edit1, "FindNext1", "Find &Next", [this] { editor_->OnFind(); });
  Replace1 = item(this, Edit1, "Replace1", "R&eplace", [this] { editor_->ReplaceDialog(); });

  View1 = item(this, root, "View1", "&View");
  Toolbar1 = item(this, View1, "Toolbar1", "&Toolbar", [this] { ToggleBar(Toolbar1); });
  FormatBar1 = item(this, View1, "FormatBar1", "&Format Bar", [this] { ToggleBar(FormatBar1); });
  StatusBar2 = item(this, View1, "StatusBar1", "&Status Bar", [this] { ToggleBar(StatusBar2); });
  Ruler1 = item(this, View1, "Ruler1", "&Ruler", [this] { ToggleBar(Ruler1); });
  ViewSeparator1 = item(this, View1, "N7", "-");
  Options1 = item(this, View1, "Options1", "&Options");
  ViewSeparator1->Visible = Options1->Visible = false;

  Insert1 = item(this, root, "Insert1", "&Insert");
  InsertObject1 = item(this, Insert1, "InsertObject1", "&Object...", [this] { editor_->InsertObject(); });
  DateandTime1 = item(this, Insert1, "DateandTime1", "Date and Time");
  DateandTime1->Visible = false;
  // No embedded objects on this platform: the Insert menu never shows.
  Insert1->Visible = false;

  Format1 = item(this, root, "Format1", "F&ormat");
  Font1 = item(this, Format1, "Font1", "&Font", [this] { refreshed([this] { editor_->FontDialog(); }); });
  BulletStyle1 = item(this, Format1, "BulletStyle1", "&Bullet Style", [this] { BulletButton->Click(); });
  Paragraph1 = item(this, Format1, "Paragraph1", "&Paragraph", [this] {
    if (editor_->ParagraphDialog()) RefreshToolbarState();
  });
  Tabs1 = item(this, Format1, "Tabs1", "&Tabs", [this] { editor_->TabsDialog(); });

  Help1 = item(this, root, "Help1", "Help");
  Help1->Visible = false;
}

void TdcRichEditForm::buildColourMenu() {
  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  const auto add = [this](const AnsiString& caption, TColor colour) {
    auto* entry = new TMenuItem(this);
    entry->SetCaption(caption);
    entry->SetTag(static_cast<int>(colour));
    PopupMenu1->Items()->Add(entry);
    return entry;
  };
  for (const NamedColour& c : kColours) add(c.caption, c.colour);
  AutomaticColour = add("Automatic", 0);
  AutomaticColour->SetName("Automatic1");
}
