#pragma once
// TdcCustomRichEdit: the library's rich-text edit. Over the framework's rich edit it adds find and
// replace with one wrap around the text, a font dialog, a context menu, links that open in the
// desktop's browser, printing inside margins, loading from a stream with a plain-text fallback
// (and a first-part mode for previews), and the form data that carries an unbound control's
// content. The data-aware control (TdcDBRichEdit) fills the virtual operations for a field.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datagrid/RecordViewDialog.h"
#include "editors/PrintMargins.h"
#include "editors/RichEditStrings.h"
#include "framework/base/EnumSet.h"
#include "framework/base/Exception.h"
#include "framework/ui/RichEdit.h"

class FindReplaceDialog;
class TMenuItem;
class TPopupMenu;
class TForm;
class TSpeedButton;

// The system is short of what a load needs; the control shows its message in brackets.
QN_EXCEPTION(EOutOfResources, Exception)

enum TRichEditorOption {
  reoShowLoad, reoShowSaveAs, reoShowSaveExit, reoShowPrint, reoShowPageSetup, reoShowFormatBar, reoShowToolBar,
  reoShowStatusBar, reoShowHints, reoShowRuler, reoShowInsertObject, reoCloseOnEscape, reoFlatButtons
};
using TRichEditorOptions = EnumSet<TRichEditorOption>;
enum TRichPopupOption {
  rpoPopupEdit, rpoPopupCut, rpoPopupCopy, rpoPopupPaste, rpoPopupBold, rpoPopupItalic, rpoPopupUnderline,
  rpoPopupFont, rpoPopupBullet, rpoPopupParagraph, rpoPopupTabs, rpoPopupFind, rpoPopupReplace, rpoPopupInsertObject
};
using TRichPopupOptions = EnumSet<TRichPopupOption>;
enum TRichOleOption { reoAdjustPopupMenu, reoDisableOLE };
using TRichOleOptions = EnumSet<TRichOleOption>;
enum TRichEditWidth { rewWindowSize, rewPrinterSize };

extern const EnumerationType kRichEditorOptionType;
extern const EnumerationType kRichPopupOptionType;
extern const EnumerationType kRichOleOptionType;
extern const EnumerationType kRichEditWidthType;

using TdcRichDialogEvent = std::function<void(TObject* Sender, TForm* Form)>;
using TdcURLOpenEvent = std::function<void(TObject* Sender, const AnsiString& URL, bool& Open)>;
// Starts a program with its arguments, never through a shell; answers whether it started.
using TdcProgramStarter = std::function<bool(const std::string& program, const std::vector<std::string>& args)>;

// The form data of a control: the version always, the content only for an unbound control.
struct RichEditFormData {
  std::optional<int> version;
  // "Data": a 4-byte little-endian length, then that many bytes of rich text.
  std::optional<std::string> data;
};

class TdcCustomRichEdit : public TCustomRichEdit {
  QN_PUBLISHED_CLASS(TdcCustomRichEdit, TCustomRichEdit)
 public:
  explicit TdcCustomRichEdit(TComponent* AOwner);
  ~TdcCustomRichEdit() override;

  AnsiString EditorCaption = "Edit Rich Text";
  TdcFormPosition EditorPosition;
  // Lines the full-window editor lists at its right, beside the text, for the user to read while
  // writing; none: no list.
  std::vector<AnsiString> EditorListLines;
  TRichEditorOptions EditorOptions{reoShowSaveExit, reoShowPrint, reoShowPageSetup, reoShowFormatBar, reoShowToolBar,
                                   reoShowStatusBar, reoShowHints, reoShowRuler, reoShowInsertObject,
                                   reoCloseOnEscape, reoFlatButtons};
  TRichPopupOptions PopupOptions{rpoPopupEdit, rpoPopupCut, rpoPopupCopy, rpoPopupPaste, rpoPopupFont,
                                 rpoPopupBullet, rpoPopupParagraph, rpoPopupTabs, rpoPopupFind, rpoPopupReplace,
                                 rpoPopupInsertObject};
  // The paragraphs, each whole however the window wraps it.
  TStrings* Lines() const { return strings_.get(); }

  TRichOleOptions OleOptions() const { return oleOptions_; }
  void SetOleOptions(TRichOleOptions Value);
  TRichEditWidth EditWidth() const { return editWidth_; }
  void SetEditWidth(TRichEditWidth Value);
  TMeasurementUnits MeasurementUnits = muInches;
  TdcPrintMargins* PrintMargins() const { return printMargins_.get(); }
  void SetPrintMargins(TdcPrintMargins* Value) { printMargins_->Assign(Value); }
  AnsiString PrintJobName;
  // Buttons of the caller's that the full-window editor shows on its toolbar while it is open.
  TSpeedButton* UserSpeedButton1 = nullptr;
  TSpeedButton* UserSpeedButton2 = nullptr;
  // The vertical pixels to the inch of the screen when the control was made.
  int ScreenResolution() const { return screenDpi_; }
  // The content into Target (rich text through memory); a field not loaded yet goes straight
  // from the field into Target.
  void CopyRichTextTo(TdcCustomRichEdit* Target);
  // Lines wrap at the formatting rectangle's width (always: the window's or the printer's).

  TdcRichDialogEvent OnInitDialog, OnCloseDialog, OnCreateDialog;
  TdcURLOpenEvent OnURLOpen;

  // ---- the virtual operations, in their order ----
  virtual bool GetReadOnly() { return TCustomEdit::ReadOnly(); }
  virtual void SetReadOnly(bool Value) { TCustomEdit::SetReadOnly(Value); }
  virtual void Edit() {}
  virtual void UpdateField() {}
  virtual bool IsLoaded() { return true; }
  virtual TField* GetField() { return nullptr; }
  virtual void DoURLOpen(const AnsiString& URL, bool& Open);
  using TCustomRichEdit::FindText;
  // Options: bit 0 whole word, bit 1 match case. Forward only.
  virtual int FindText(const AnsiString& Text, int StartPos, int Options, int Length);
  // Rich text, or plain text in plain-text mode; rich text that fails is read again as plain
  // text. FirstPartOnly: only the opening paragraph of the stream's first 2,048 bytes.
  // EOutOfResources "Failed to Load Stream" when neither form can be read.
  virtual void LoadFromStream(TStream& Stream, bool FirstPartOnly, bool Selection);
  // Embedded objects do not exist here: nothing is inserted.
  virtual bool InsertObject();
  virtual bool Execute();
  virtual void FindDialog();
  virtual void ReplaceDialog();
  virtual void FontDialog();
  // Answer whether the user confirmed.
  virtual bool ParagraphDialog();
  virtual bool TabsDialog();
  virtual void OnFind();
  virtual void OnReplace();
  virtual void DoInitDialog(TForm* Form);
  virtual void DoCloseDialog(TForm* Form);
  virtual void DoCreateDialog(TForm* Form);

  // ---- form data ----
  int RichEditVersion() const { return version(); }
  // A change on a control with a window makes the window again.
  void SetRichEditVersion(int Value);
  RichEditFormData WriteFormData();
  // Before the data the version is 1: data without a version gives the classic control.
  void ReadFormData(const RichEditFormData& Data);

  // ---- find and replace ----
  FindReplaceDialog* FindDialogObject() const { return findDialog_; }
  FindReplaceDialog* ReplaceDialogObject() const { return replaceDialog_; }
  // Searches with the dialog's options from the caret on, wrapping once; replacing first when
  // Replace. Answers whether it found (and selected) a match.
  bool SearchLoop(FindReplaceDialog* Dialog, bool Replace, bool All);

  // ---- printing and paragraphs ----
  // 1 Letter, 3 Tabloid, 5 Legal, 7 Executive, 8 A3, 9 A4, 11 A5, 13 B5; others keep the
  // printer's paper.
  int PaperSize() const { return paperSize_; }
  void SetPaperSize(int Value);
  // The margins' rectangle on the printer's page, in twips from the printable area's corner.
  TRect MarginRect() const;
  void Print(const AnsiString& Caption);
  // Mask bits: 0x01 alignment, 0x02 numbering, 0x04 offset, 0x08 right indent, 0x10 start indent,
  // 0x20 tab stops, 0x40 space before, 0x80 space after, 0x100 line spacing.
  void SetParagraph(int Mask, const AnsiString& Alignment, int LineSpacingRule, int SpaceBefore, int SpaceAfter,
                    int LineSpacing, const int* Tabs, int TabCount, int StartIndent, int RightIndent, int Offset,
                    bool Bullet);
  void GetParagraphIndents(int& StartIndent, int& RightIndent, int& Offset);
  // The formatting rectangle for the edit width; renewed when the window is made, resized or
  // the paper changes.
  TRect FormattingRect();
  void UpdateFormattingRect();

  // ---- the context menu ----
  TPopupMenu* RichPopupMenu() const { return popup_; }
  // Sets captions, visibility, enabling and states as they are now (run before the menu opens).
  void PreparePopup();
  // The selection's style on when its first character lacks it, else off.
  void toggleStyle(bool qn::ui::CharacterAttributes::*Member);
  // A bullet on the paragraphs when the first has none (indenting its text), else off.
  void toggleBullet();

  // Replaces how links are opened; answers the one replaced. Empty: the system's starter.
  static TdcProgramStarter setLinkOpener(TdcProgramStarter opener);

  void linkClicked(const QString& link) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 protected:
  void FontChanged() override;
  void BoundsChanged() override;
  void WindowCreated() override;
  // The content is a field's: no form data carries it.
  virtual bool HasFieldBinding() const { return false; }
  // The selection's text fit to preset a find: without line breaks; else the last find text.
  AnsiString presetFindText() const;

  bool loading_ = false;  // set while content is loaded: no change handling

 private:
  FindReplaceDialog* makeDialog(bool Replace);
  void openFindReplace(FindReplaceDialog*& Dialog, bool Replace);
  void buildPopup();
  TMenuItem* addItem(TRichPopupOption Option, const AnsiString& Caption, std::function<void()> Click);

  std::unique_ptr<TdcRichEditStrings> strings_;
  TRichOleOptions oleOptions_;
  TRichEditWidth editWidth_ = rewWindowSize;
  std::unique_ptr<TdcPrintMargins> printMargins_;
  int paperSize_ = 1;
  int screenDpi_;
  static constexpr int kInset = 3;
  TRect sentRect_;

  AnsiString lastFindText_;
  bool wrapped_ = false;
  int wrapStop_ = 0;
  bool savedHideSelection_ = true;
  FindReplaceDialog* findDialog_ = nullptr;
  FindReplaceDialog* replaceDialog_ = nullptr;

  TPopupMenu* popup_ = nullptr;
  std::vector<std::pair<int, TMenuItem*>> popupItems_;  // option (-1: separator), item
};
