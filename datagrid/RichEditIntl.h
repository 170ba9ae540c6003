#pragma once
// The rich-text editor's default texts: hints, lock-key captions, menus and dialogs.
#include <memory>

#include "datagrid/LibraryTexts.h"
#include "framework/base/AnsiString.h"
#include "framework/base/PublishedProperties.h"

// Captions of the rich-text editor's main menu.
class TdcRichEditMenuLabels : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcRichEditMenuLabels, LibraryTexts)
 public:
  AnsiString FileCaption = "&File";
  AnsiString LoadCaption = "&Load";
  AnsiString SaveAsCaption = "Save &As";
  AnsiString SaveExitCaption = "&Save and Exit";
  AnsiString PrintCaption = "&Print";
  AnsiString PageSetupCaption = "Page Set&up";
  AnsiString ExitCaption = "E&xit";
  AnsiString EditCaption = "&Edit";
  AnsiString UndoCaption = "&Undo";
  AnsiString CutCaption = "Cu&t";
  AnsiString CopyCaption = "&Copy";
  AnsiString PasteCaption = "&Paste";
  AnsiString ClearCaption = "Cle&ar";
  AnsiString SelectallCaption = "Select A&ll";
  AnsiString FindCaption = "&Find";
  AnsiString FindNextCaption = "Find &Next";
  AnsiString ReplaceCaption = "R&eplace";
  AnsiString InsertObjectCaption = "&Object...";
  AnsiString ViewCaption = "&View";
  AnsiString ToolbarCaption = "&Toolbar";
  AnsiString FormatBarCaption = "&Format Bar";
  AnsiString ViewStatusBarCaption = "&Status Bar";
  AnsiString OptionsCaption = "&Options";
  AnsiString FormatCaption = "F&ormat";
  AnsiString FontCaption = "&Font";
  AnsiString BulletStyleCaption = "&Bullet Style";
  AnsiString ParagraphCaption = "&Paragraph";
  AnsiString TabsCaption = "&Tabs";
  AnsiString HelpCaption = "Help";
};

// Captions of the rich-text editor's popup menu.
class TdcRichEditPopupMenuLabels : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcRichEditPopupMenuLabels, LibraryTexts)
 public:
  AnsiString EditCaption = "&Edit";
  AnsiString ViewCaption = "&View";
  AnsiString CutCaption = "Cu&t";
  AnsiString CopyCaption = "&Copy";
  AnsiString PasteCaption = "&Paste";
  AnsiString FontCaption = "&Font";
  AnsiString BulletStyleCaption = "&Bullet Style";
  AnsiString BoldCaption = "B&old";
  AnsiString ItalicCaption = "&Italic";
  AnsiString UnderlineCaption = "&Underline";
  AnsiString ParagraphCaption = "P&aragraph";
  AnsiString TabsCaption = "&Tabs";
  AnsiString FindCaption = "Fin&d";
  AnsiString ReplaceCaption = "&Replace";
  AnsiString InsertObjectCaption = "&Insert &Object...";
};

// Captions and hints of the rich-text editor's paragraph dialog.
class TdcRichEditParagraphDlg : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcRichEditParagraphDlg, LibraryTexts)
 public:
  AnsiString ParagraphDlgCaption = "Paragraph";
  AnsiString IndentationGroupBoxCaption = "Indentation";
  AnsiString LeftEditHint = "Left Indentation";
  AnsiString RightEditHint = "Right Indentation";
  AnsiString FirstLineEditHint = "First Line of Paragraph Indentation";
  AnsiString AlignmentHint = "Changes Alignment of Paragraph";
  AnsiString LeftEditCaption = "Left:";
  AnsiString RightEditCaption = "Right:";
  AnsiString FirstLineEditCaption = "First line:";
  AnsiString SpacingGroupCaption = "Spacing";
  AnsiString BeforeParagraphCaption = "&Before";
  AnsiString AfterParagraphCaption = "Aft&er";
  AnsiString WithinParagraphCaption = "Li&ne Spacing";
  AnsiString WithinParagraphAtCaption = "&At";
  AnsiString AlignmentCaption = "Alignment";
  AnsiString AlignLeft = "Left";
  AnsiString AlignRight = "Right";
  AnsiString AlignCenter = "Center";
};

// Captions and hints of the rich-text editor's tab dialog.
class TdcRichEditTabDlg : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcRichEditTabDlg, LibraryTexts)
 public:
  AnsiString TabDlgCaption = "Tab";
  AnsiString TabGroupBoxCaption = "&Tab Stop Position";
  AnsiString SetTabButtonCaption = "Set";
  AnsiString ClearTabButtonCaption = "Clear";
  AnsiString ClearAllButtonCaption = "Clear All";
  AnsiString TabPositionEditHint = "Tab Position Edit Box";
  AnsiString ListBoxHint = "List of tabs and their positions";
  AnsiString SetButtonHint = "Set a new tab position";
  AnsiString ClearButtonHint = "Clear the selected tab position";
  AnsiString ClearAllButtonHint = "Clear all the tabs";
};

// The rich-text editor's toolbar and menu hints ("title | description"), its lock-key captions,
// and the texts of its menus and dialogs.
class TdcDBRichEditIntl : public LibraryTexts {
  QN_PUBLISHED_CLASS(TdcDBRichEditIntl, LibraryTexts)
 public:
  AnsiString FontNameComboHint = "Font | Changes the font of the selection";
  AnsiString FontSizeComboHint = "Font Size | Changes the font size of the selection";
  AnsiString NewButtonHint = "New | Creates a new document";
  AnsiString LoadButtonHint = "Load | Load from file";
  AnsiString SaveAsButtonHint = "Save As | Save to file";
  AnsiString PrintButtonHint = "Print | Prints the active document";
  AnsiString FindButtonHint = "Find | Finds the specified text";
  AnsiString CutButtonHint = "Cut | Cuts the selection and puts it on the Clipboard";
  AnsiString CopyButtonHint = "Copy | Copies the selection and puts it on the Clipboard";
  AnsiString UndoButtonHint = "Undo | Reverses the last action";
  AnsiString PasteButtonHint = "Paste | Inserts Clipboard contents";
  AnsiString BoldButtonHint = "Bold | Makes the selection bold (toggle)";
  AnsiString UnderlineButtonHint = "Underline | Formats the selection with a continuous underline (toggle)";
  AnsiString ItalicButtonHint = "Italic | Makes the selection italic (toggle)";
  AnsiString LeftButtonHint = "Align Left | Left-justifies paragraph (toggle)";
  AnsiString CenterButtonHint = "Center | Center-justifies paragraph (toggle)";
  AnsiString RightButtonHint = "Align Right | Right-justifies paragraph (toggle)";
  AnsiString BulletButtonHint = "Bullets | Inserts a bullet on this line (toggle)";
  AnsiString SaveExitHint = "Save And Exit | Saves changes and exits editor";
  AnsiString PageSetupHint = "Page Setup | Changes page layout settings";
  AnsiString ExitHint = "Exit";
  AnsiString ClearHint = "Erases the Selection";
  AnsiString SelectAllHint = "Selects all of the text";
  AnsiString FindNextHint = "Repeats the last find";
  AnsiString ReplaceHint = "Replaces specific text with different text";
  AnsiString InsertObjectHint = "Inserts new embedded object";
  AnsiString ToolbarHint = "Shows or hides the toolbar";
  AnsiString FormatBarHint = "Shows or hides the format bar";
  AnsiString ViewStatusBarHint = "Shows or hides the status bar";
  AnsiString OptionsHint = "Sets options";
  AnsiString FontHint = "Selects font for current selection";
  AnsiString ParagraphHint = "Formats current or selected paragraph(s)";
  AnsiString TabsHint = "Sets tabs";
  AnsiString CAPLockCaption = "CAP";
  AnsiString NUMLockCaption = "NUM";
  TdcRichEditMenuLabels* MenuLabels() const { return menuLabels_.get(); }
  TdcRichEditPopupMenuLabels* PopupMenuLabels() const { return popupMenuLabels_.get(); }
  TdcRichEditParagraphDlg* ParagraphDialog() const { return paragraphDialog_.get(); }
  TdcRichEditTabDlg* TabDialog() const { return tabDialog_.get(); }

 private:
  const std::unique_ptr<TdcRichEditMenuLabels> menuLabels_ = std::make_unique<TdcRichEditMenuLabels>();
  const std::unique_ptr<TdcRichEditPopupMenuLabels> popupMenuLabels_ = std::make_unique<TdcRichEditPopupMenuLabels>();
  const std::unique_ptr<TdcRichEditParagraphDlg> paragraphDialog_ = std::make_unique<TdcRichEditParagraphDlg>();
  const std::unique_ptr<TdcRichEditTabDlg> tabDialog_ = std::make_unique<TdcRichEditTabDlg>();
};
