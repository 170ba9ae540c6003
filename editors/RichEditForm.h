#pragma once
// TdcRichEditForm: the full-window rich-text editor a rich edit opens on its content (Execute).
// Under its menu bar lie a toolbar, a format bar with font name and size, the caller's ruler,
// the editing control the caller puts there ("RichEdit1") and a status bar; the caller's editor
// options choose which of them and which commands show. The form borrows the application's hint
// handler while it shows (the hint goes to the status bar) and the caller's two user buttons,
// which it puts on its toolbar and gives back on closing.
#include <functional>

#include "framework/ui/Form.h"

class BevelLine;
class ListBox;
class Canvas;
class StatusBar;
class TdcCustomRichEdit;
class TdcDBComboBox;
class TdcRulerPanel;
class TMainMenu;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSpeedButton;

class TdcRichEditForm : public TForm {
  QN_CLASS(TdcRichEditForm, TForm)
 public:
  explicit TdcRichEditForm(TComponent* AOwner);
  ~TdcRichEditForm() override;

  // The caller, its ruler and the control on this form it edits with; set before showing.
  void setEditor(TdcCustomRichEdit* Caller, TdcCustomRichEdit* Editor, TdcRulerPanel* Ruler);
  TdcCustomRichEdit* Caller() const { return caller_; }
  TdcCustomRichEdit* Editor() const { return editor_; }
  TdcRulerPanel* Ruler() const { return ruler_; }

  // ---- components, as the form's resource names them ----
  TPanel* Toolbar;
  TSpeedButton *NewButton, *LoadButton1, *SaveAsButton, *PrintButton, *FindButton, *CutButton, *CopyButton,
      *UndoButton, *PasteButton, *RedoButton;
  BevelLine *ToolbarBevel1, *Bevel1, *Bevel2, *UserButtonBevel, *ToolBarBevel;
  TPanel* FormatBar;
  TSpeedButton *BoldButton, *UnderlineButton, *ItalicButton, *LeftButton, *CenterButton, *RightButton, *BulletButton,
      *SpeedButton1;
  BevelLine *Bevel3, *Bevel4, *FormatBarBevel, *RulerBevel;
  TdcDBComboBox *FontNameCombo, *FontSizeCombo;
  StatusBar* StatusBar1;
  // The caller's EditorListLines, at the right of the text; hidden when it has none.
  ListBox* EditorList;
  TMainMenu* MainMenu1;
  TMenuItem *File1, *Load1, *SaveAs1, *FileSeparator1, *SaveExit1, *FileSeparator2, *Print1, *PageSetup1,
      *FileSeparator3, *Exit1;
  TMenuItem *Edit1, *Undo1, *Redo1, *EditSeparator1, *Cut1, *Copy1, *Paste1, *Clear1, *EditSeparator2, *SelectAll1,
      *EditSeparator3, *Find1, *FindNext1, *Replace1;
  TMenuItem *View1, *Toolbar1, *FormatBar1, *StatusBar2, *Ruler1, *ViewSeparator1, *Options1;
  TMenuItem *Insert1, *InsertObject1, *DateandTime1;
  TMenuItem *Format1, *Font1, *BulletStyle1, *Paragraph1, *Tabs1;
  TMenuItem* Help1;
  TPopupMenu* PopupMenu1;
  TMenuItem* AutomaticColour;

  // ---- what the commands and the keys run ----
  void RefreshToolbarState();
  void RefreshLockPanels();
  void LayoutForm();
  void NewDocument();
  void LoadFile();
  void SaveFileAs();
  void PrintDocument();
  void PageSetup();
  void SetColour(TColor Colour);
  void ToggleBar(TMenuItem* Item);
  void FontNameChosen();
  void FontSizeChosen();

  bool CloseQuery() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

 protected:
  void DoShow() override;
  void DoClose(TCloseAction& Action) override;
  void BoundsChanged() override;

 private:
  void buildToolbars();
  void buildMenu();
  void buildColourMenu();
  void wireButtons();
  void applyOptions();
  void applyTexts();
  void borrowUserButtons();
  void returnUserButtons();
  // Runs a toolbar or menu command on the control, refreshing the toolbar after it.
  void refreshed(const std::function<void()>& command);
  void measureColourItem(TMenuItem* Item, Canvas& ACanvas, int& Width, int& Height);
  void drawColourItem(TMenuItem* Item, Canvas& ACanvas, TRect Rect, bool Selected);

  TdcCustomRichEdit* caller_ = nullptr;
  TdcCustomRichEdit* editor_ = nullptr;
  TdcRulerPanel* ruler_ = nullptr;
  bool shown_ = false;
  bool resizing_ = false;
  bool undoneByMenu_ = false;  // Ctrl+Z's press already undid through the menu
  TNotifyEvent savedHintHandler_;
  TWinControl* userButtonParents_[2] = {nullptr, nullptr};
};
