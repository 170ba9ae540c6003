#pragma once
// The rich-text edit: paragraphs of formatted text over a Qt text document. As in the one-line
// edit, the control carries out every change itself (typed characters, Backspace and Delete,
// Enter, paste, cut, committed input-method text, undo and changes by code); the widget only
// shows, moves the caret and selects. A change that touches protected text asks OnProtectChange
// first, which may refuse it.
//
// A press on the selection moved past the drag distance drags the selected text (a move, or a
// copy from a read-only control). Asked to (SetAcceptDrops), the control takes dropped text as a
// change of its own, at the character under the pointer; OnDropEffect chooses copy, move or link
// from the shift keys (without it: move where allowed, else copy). A move within the control is
// one step to undo.
//
// Positions count characters with one for each paragraph break; Text joins paragraphs with
// carriage return and line feed. Text is Windows-1252 outside, UTF-8 only in the widget. The
// edit's selection, undo, clipboard and line members answer for the rich text, also when called
// through the edit.
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "framework/base/Strings.h"
#include "framework/ui/Edit.h"
#include "framework/ui/RichTextContent.h"
#include "framework/ui/RtfReader.h"
#include "framework/ui/TextDrag.h"

class QTextEdit;
class QTextDocument;
class QTextCursor;
class TStream;

using TRichEditProtectChangeEvent = std::function<void(TObject* Sender, int StartPos, int EndPos, bool& AllowChange)>;
// Effect holds the control's choice on entry; set it to none to refuse the drop.
using TRichEditDropEffectEvent =
    std::function<void(TObject* Sender, TShiftState Shift, qn::ui::DropEffects Allowed, qn::ui::DropEffect& Effect)>;
using TRichEditLinkEvent = std::function<void(TObject* Sender, const AnsiString& Link)>;

class TCustomRichEdit : public TCustomEdit, public qn::ui::TextDropTarget {
  QN_PUBLISHED_CLASS(TCustomRichEdit, TCustomEdit)
 public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  // The paragraphs; changing one keeps the formatting of the others.
  TStrings* Lines() const { return lines_.get(); }

  int SelStart() const override;
  void SetSelStart(int Value) override;
  int SelLength() const override;
  void SetSelLength(int Value) override;
  AnsiString SelText() const override;
  // Replaces the selection (a change by code).
  void SetSelText(const AnsiString& Value) override;
  void SelectAll() override;
  int TextLength() const;

  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool Value);
  // The text's scroll bars, each shown when the text needs it; both until told otherwise.
  using TCustomEdit::ScrollBars;
  void SetScrollBars(TScrollStyle Value);
  // In plain-text mode streams are read and written as plain text.
  bool PlainText() const { return plainText_; }
  void SetPlainText(bool Value) { plainText_ = Value; }
  using TCustomEdit::SetWantTabs;
  using TCustomEdit::WantTabs;
  // 1 or 2. Paragraph spacing (before, after, line spacing) is honoured only by version 2.
  int version() const { return version_; }
  void setVersion(int Value);

  // What new text gets where nothing else says.
  const qn::ui::CharacterAttributes& defaultAttributes() const { return defaultAttributes_; }
  void setDefaultAttributes(const qn::ui::CharacterAttributes& Value);
  // Of the selection's first character, or of what typing at the caret would insert.
  qn::ui::CharacterAttributes selectionAttributes() const;
  // Changes every run of the selection, or without one, what typing at the caret inserts until
  // the caret moves.
  void changeSelectionAttributes(const std::function<void(qn::ui::CharacterAttributes&)>& change);
  // Of the paragraph holding the selection's start.
  qn::ui::ParagraphAttributes paragraphAttributes() const;
  // Changes every paragraph the selection touches.
  void changeParagraphAttributes(const std::function<void(qn::ui::ParagraphAttributes&)>& change);

  bool CanUndo() const override;
  bool CanRedo() const;
  void Undo() override;
  void Redo() override;
  void ClearUndo() override;
  // Text on the clipboard can be pasted; an image cannot (there are no metafiles to embed here).
  bool CanPaste() const;
  void CutToClipboard() override;
  void CopyToClipboard() override;
  void PasteFromClipboard() override;

  // Links in the text are marked and a click on one (press and release on it) tells OnLinkClick.
  bool AutoURLDetect() const { return autoUrlDetect_; }
  void SetAutoURLDetect(bool Value);

  // Lines as the text is wrapped in the window (they depend on its width); positions count a
  // paragraph break as one.
  int LineCount() override;
  int LineOfChar(int Index) override;
  int LineStart(int Line) override;
  TPoint PositionOfChar(int Index) override;
  int FirstVisibleLine() override;
  void ScrollLines(int Lines) override;
  // A line's text, with carriage return and line feed when it ends a paragraph that another
  // follows; at most 4096 bytes.
  AnsiString lineText(int line);
  // Where text is laid out in the client area; its width is the width lines wrap at.
  TRect editRect() const;
  void setEditRect(const TRect& Value) override;

  // Looks forward from start through length characters (-1: to the end) for text; answers
  // where it begins, or -1. A match never spans a paragraph break.
  int FindText(const AnsiString& Text, int StartPos, int Length, bool WholeWord, bool MatchCase) const;

  // Reads the stream's rest as rich text (plain text in plain-text mode), replacing everything or
  // only the selection. Answers false and changes nothing when the rich text is damaged or the
  // change is refused. What the text does not show is kept and saved again: pictures and the like
  // as characters of the text (deleted with them), list definitions and the numbers of the fonts
  // with the whole text (replaced by a load of everything, added to by a load of the selection,
  // dropped when Text is set). The rich text may be only a text's first part (see RtfReader).
  bool loadFromStream(TStream& Stream, bool SelectionOnly = false,
                      qn::ui::RtfReader::Part Part = qn::ui::RtfReader::Part::Whole);
  void saveToStream(TStream& Stream, bool SelectionOnly = false) const;

  // Printing: the page rectangle in twips (empty: the whole page).
  TRect PageRect() const { return pageRect_; }
  void SetPageRect(const TRect& Value) { pageRect_ = Value; }
  // Prints the whole text as one document on the printer.
  void Print(const AnsiString& Caption);

  // The document the widget shows (for printing and tests).
  QTextDocument* document() const;
  qn::ui::RichTextContent content(int from, int to) const;

  bool AcceptDrops() const { return acceptDrops_; }
  void SetAcceptDrops(bool Value);
  bool acceptsTextDrops() const override { return acceptDrops_; }
  qn::ui::DropEffect textDragOver(TPoint point, TShiftState shift, qn::ui::DropEffects allowed, bool fromSelf) override;
  qn::ui::DropEffect textDropped(const AnsiString& text, TPoint point, TShiftState shift, qn::ui::DropEffects allowed,
                                 bool fromSelf) override;
  // Whether a press at the point (the widget's text area) lies on the selection, where it starts a drag.
  bool onSelection(TPoint point) const;
  // Drags the selection to its drop and removes it after a move elsewhere.
  void dragSelection();

  TNotifyEvent OnSelectionChange;
  TRichEditProtectChangeEvent OnProtectChange;
  TRichEditDropEffectEvent OnDropEffect;
  TRichEditLinkEvent OnLinkClick;

  void KeyPress(char& Key) override;
  TWantedKeys WantedKeys() const override;

  // Told by the widget; a control that opens links does so after OnLinkClick.
  virtual void linkClicked(const QString& link);
  // The link the character at the position belongs to; empty for none.
  QString linkAt(int position) const;
  void selectionMoved();
  // Told by the widget just before it paints the text (a control that loads lazily loads here).
  virtual void BeforeTextPaint() {}

 protected:
  // Whether the range may change; asks OnProtectChange when it touches protected text.
  virtual bool ProtectChange(int StartPos, int EndPos);

  AnsiString GetText() const override;
  void SetTextValue(const AnsiString& Value) override;
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void WindowDestroying() override;
  void deleteBackward(bool WholeWord) override;
  void deleteForward(bool WholeWord) override;

 private:
  friend class RichEditLines;
  QTextEdit* textEdit() const;
  QTextCursor cursor() const;
  int dotsPerInch() const;
  // The top of a line in the document, where the vertical scroll bar counts.
  qreal lineTop(int line);
  bool touchesProtected(int from, int to) const;
  // Replaces [from, to) by the content when allowed; byUser sets Modified, else clears it.
  bool replaceRange(int from, int to, const qn::ui::RichTextContent& content, bool byUser);
  // The same, already allowed.
  void replaceAllowedRange(int from, int to, const qn::ui::RichTextContent& content, bool byUser);
  // The character position nearest the point of the widget's text area.
  int positionAt(TPoint point) const;
  // What a drop at the position would do; none when it is refused.
  qn::ui::DropEffect dropEffectAt(int position, TShiftState shift, qn::ui::DropEffects allowed, bool fromSelf);
  // Moves or copies the selection to the position, one step to undo; false when refused.
  bool dropSelectionAt(int position, bool move);
  void selectRange(int from, int to);
  // Typed or pasted text in the attributes at the caret.
  bool replaceSelectionWithText(const AnsiString& text, bool byUser);
  // Deletes the selection, else from the caret to the position the caret's range reaches.
  void deleteToward(bool backward, bool wholeWord);
  // What of the text fits in place of the selection under MaxLength (0: no limit).
  AnsiString withinMaxLength(const AnsiString& inserted) const;
  void markLinks();
  void applyScrollBars();

  std::unique_ptr<QTextDocument> document_;  // kept while there is no window
  std::unique_ptr<TStrings> lines_;
  // Of the rich text loaded, written again on saving.
  std::vector<std::string> documentDestinations_;
  std::vector<qn::ui::FontTableEntry> fonts_;
  qn::ui::CharacterAttributes defaultAttributes_;
  std::optional<qn::ui::CharacterAttributes> typingAttributes_;
  bool hideSelection_ = true;
  bool plainText_ = false;
  int version_ = 2;
  bool autoUrlDetect_ = false;
  bool acceptDrops_ = false;
  bool droppedOnSelf_ = false;
  struct Link {
    int start;
    int end;
    QString target;
  };
  std::vector<Link> links_;
  TRect pageRect_;
  TRect formattingRect_;
  int selStart_ = 0;  // kept while there is no window
  int selLength_ = 0;
};

class TRichEdit : public TCustomRichEdit {
  QN_CLASS(TRichEdit, TCustomRichEdit)
 public:
  explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
