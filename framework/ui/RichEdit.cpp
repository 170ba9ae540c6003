#include "framework/ui/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "framework/base/Stream.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Printer.h"
#include "framework/ui/RichEditLines.h"
#include "framework/ui/RichTextDocument.h"
#include "framework/ui/RichTextPages.h"
#include "framework/ui/RtfReader.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/WordBounds.h"

using qn::ui::CharacterAttributes;
using qn::ui::ParagraphAttributes;
using qn::ui::RichTextContent;

namespace {

constexpr int maxLineText = 4096;

QString toQt(const AnsiString& text) { return QString::fromStdString(qn::ansiToUtf8(text)); }
AnsiString fromQt(const QString& text) { return qn::utf8ToAnsi(text.toStdString()); }

// The text edit moves the caret, selects and shows links; it edits nothing itself (the control
// does), takes nothing from its own paste and starts no drags: drags and drops are the control's.
class RichEditWidget : public ControlWidget<QTextEdit> {
 public:
  RichEditWidget(TCustomRichEdit* edit, QWidget* parent) : ControlWidget(edit, parent), edit_(edit) {
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] { tellSelection(); });
    connect(this, &QTextEdit::selectionChanged, this, [this] { tellSelection(); });
  }
  void forget() { edit_ = nullptr; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QTextEdit::keyPressEvent(event);
        return;
      default:
        event->ignore();
    }
  }
  // The control paints nothing over the text.
  void paintEvent(QPaintEvent* event) override {
    if (edit_) {
      TCustomRichEdit* edit = edit_;
      qn::ui::guardedDeferred([&] { edit->BeforeTextPaint(); });
    }
    QTextEdit::paintEvent(event);
  }
  bool canInsertFromMimeData(const QMimeData*) const override { return false; }
  void insertFromMimeData(const QMimeData*) override {}
  void mousePressEvent(QMouseEvent* event) override {
    pressedLink_ = event->button() == Qt::LeftButton ? linkUnder(event) : QString();
    const QPoint at = event->position().toPoint();
    if (edit_ && event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
        edit_->onSelection({at.x(), at.y()})) {
      // Held on the selection: a drag once it moves far enough, a click when released first.
      dragPress_.reset(event->clone());
      return;
    }
    QTextEdit::mousePressEvent(event);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!dragPress_) {
      QTextEdit::mouseMoveEvent(event);
      return;
    }
    if ((event->position() - dragPress_->position()).manhattanLength() < QApplication::startDragDistance()) return;
    dragPress_.reset();
    if (!edit_) return;
    TCustomRichEdit* edit = edit_;
    qn::ui::guarded(edit, [&] { edit->dragSelection(); });
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (dragPress_) {
      std::unique_ptr<QMouseEvent> press = std::move(dragPress_);
      QTextEdit::mousePressEvent(press.get());
    }
    QString link = event->button() == Qt::LeftButton ? linkUnder(event) : QString();
    bool clicked = !link.isEmpty() && link == pressedLink_;
    pressedLink_.clear();
    QTextEdit::mouseReleaseEvent(event);
    if (clicked && edit_) {
      TCustomRichEdit* edit = edit_;
      qn::ui::guarded(edit, [&] { edit->linkClicked(link); });
    }
  }

 private:
  QString linkUnder(QMouseEvent* event) const {
    if (!edit_) return {};
    QPoint at = event->position().toPoint();
    QTextCursor under = cursorForPosition(at);
    // The character under the pointer, not the caret place nearest it.
    if (cursorRect(under).left() > at.x() && under.position() > 0) under.movePosition(QTextCursor::PreviousCharacter);
    return edit_->linkAt(under.position());
  }

  void tellSelection() {
    if (!edit_) return;
    TCustomRichEdit* edit = edit_;
    qn::ui::guarded(edit, [&] { edit->selectionMoved(); });
  }

  TCustomRichEdit* edit_;
  QString pressedLink_;
  std::unique_ptr<QMouseEvent> dragPress_;
};

}  // namespace

void TCustomRichEdit::PublishProperties(PropertyPublisher<TCustomRichEdit>& publish) {
  publish.Boolean("HideSelection", &TCustomRichEdit::HideSelection, &TCustomRichEdit::SetHideSelection);
  publish.Boolean("PlainText", &TCustomRichEdit::PlainText, &TCustomRichEdit::SetPlainText);
  publish.Boolean("WantTabs", &TCustomRichEdit::WantTabs, &TCustomRichEdit::SetWantTabs);
  publish.Event("OnSelectionChange", &TCustomRichEdit::OnSelectionChange, &TCustomRichEdit::OnSelectionChange);
}

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), document_(std::make_unique<QTextDocument>()), lines_(std::make_unique<RichEditLines>(this)) {
  SetAutoSelect(false);
  TCustomEdit::SetScrollBars(ssBoth);
  SetBounds(Left(), Top(), 185, 89);
  document_->setUndoRedoEnabled(true);
}

TCustomRichEdit::~TCustomRichEdit() {
  if (auto* widget = dynamic_cast<RichEditWidget*>(widgetIfAny())) {
    widget->forget();
    widget->setDocument(nullptr);
  }
}

QTextEdit* TCustomRichEdit::textEdit() const { return qobject_cast<QTextEdit*>(widgetIfAny()); }

QTextDocument* TCustomRichEdit::document() const { return document_.get(); }

int TCustomRichEdit::dotsPerInch() const { return Screen->PixelsPerInch(); }

void TCustomRichEdit::SetScrollBars(TScrollStyle Value) {
  TCustomEdit::SetScrollBars(Value);
  applyScrollBars();
}

void TCustomRichEdit::applyScrollBars() {
  QTextEdit* edit = textEdit();
  if (!edit) return;
  const TScrollStyle style = ScrollBars();
  const auto policy = [](bool shown) { return shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; };
  edit->setVerticalScrollBarPolicy(policy(style == ssVertical || style == ssBoth));
  edit->setHorizontalScrollBarPolicy(policy(style == ssHorizontal || style == ssBoth));
}

QWidget* TCustomRichEdit::MakeWidget(QWidget* parentWidget) { return new RichEditWidget(this, parentWidget); }

void TCustomRichEdit::WindowCreated() {
  TWinControl::WindowCreated();
  QTextEdit* edit = textEdit();
  edit->setDocument(document_.get());
  edit->setFrameShape(BorderStyle() != bsNone ? QFrame::StyledPanel : QFrame::NoFrame);
  SetHideSelection(hideSelection_);
  applyScrollBars();
  qn::ui::setWindowTakesDrops(edit, acceptDrops_);
  if (!formattingRect_.IsEmpty()) setEditRect(formattingRect_);
  markLinks();
  QTextCursor c(document_.get());
  c.setPosition(std::min(selStart_, TextLength()));
  c.setPosition(std::min(selStart_ + selLength_, TextLength()), QTextCursor::KeepAnchor);
  edit->setTextCursor(c);
}

void TCustomRichEdit::WindowDestroying() {
  if (QTextEdit* edit = textEdit()) {
    selStart_ = SelStart();
    selLength_ = SelLength();
    static_cast<RichEditWidget*>(edit)->forget();
    edit->setDocument(nullptr);
  }
  TWinControl::WindowDestroying();
}

QTextCursor TCustomRichEdit::cursor() const {
  if (QTextEdit* edit = textEdit()) return edit->textCursor();
  QTextCursor c(document_.get());
  c.setPosition(std::min(selStart_, TextLength()));
  c.setPosition(std::min(selStart_ + selLength_, TextLength()), QTextCursor::KeepAnchor);
  return c;
}

int TCustomRichEdit::TextLength() const { return document_->characterCount() - 1; }

int TCustomRichEdit::SelStart() const { return cursor().selectionStart(); }

int TCustomRichEdit::SelLength() const {
  QTextCursor c = cursor();
  return c.selectionEnd() - c.selectionStart();
}

void TCustomRichEdit::SetSelStart(int Value) {
  typingAttributes_.reset();
  selStart_ = std::clamp(Value, 0, TextLength());
  selLength_ = 0;
  if (QTextEdit* edit = textEdit()) {
    QTextCursor c(document_.get());
    c.setPosition(selStart_);
    edit->setTextCursor(c);
  }
}

void TCustomRichEdit::SetSelLength(int Value) {
  typingAttributes_.reset();
  int start = SelStart();
  selStart_ = start;
  selLength_ = std::clamp(Value, 0, TextLength() - start);
  if (QTextEdit* edit = textEdit()) {
    QTextCursor c(document_.get());
    c.setPosition(start);
    c.setPosition(start + selLength_, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
  }
}

void TCustomRichEdit::SelectAll() {
  SetSelStart(0);
  SetSelLength(TextLength());
}

AnsiString TCustomRichEdit::SelText() const {
  QTextCursor c = cursor();
  return content(c.selectionStart(), c.selectionEnd()).plainText();
}

void TCustomRichEdit::SetSelText(const AnsiString& Value) { replaceSelectionWithText(Value, false); }

AnsiString TCustomRichEdit::GetText() const { return content(0, TextLength()).plainText(); }

void TCustomRichEdit::SetTextValue(const AnsiString& Value) {
  if (!replaceRange(0, TextLength(), RichTextContent::fromPlainText(Value, defaultAttributes_), false)) return;
  // A new text as a whole: nothing of the rich text loaded before is saved with it.
  documentDestinations_.clear();
  fonts_.clear();
}

RichTextContent TCustomRichEdit::content(int from, int to) const {
  return qn::ui::richTextOf(*document_, from, to, defaultAttributes_);
}

bool TCustomRichEdit::touchesProtected(int from, int to) const {
  auto protectedAt = [this](int position) {
    if (position < 0 || position >= TextLength()) return false;
    RichTextContent one = content(position, position + 1);
    return !one.paragraphs[0].runs.empty() && one.paragraphs[0].runs[0].attributes.protectedText;
  };
  if (from == to) return protectedAt(from - 1) && protectedAt(from);
  RichTextContent range = content(from, to);
  for (const auto& paragraph : range.paragraphs) {
    for (const auto& run : paragraph.runs) {
      if (run.attributes.protectedText) return true;
    }
  }
  return false;
}

bool TCustomRichEdit::ProtectChange(int StartPos, int EndPos) {
  if (!touchesProtected(StartPos, EndPos)) return true;
  bool allow = true;
  qn::ui::callHandler(OnProtectChange, this, StartPos, EndPos, allow);
  return allow;
}

bool TCustomRichEdit::replaceRange(int from, int to, const RichTextContent& replacement, bool byUser) {
  if (!ProtectChange(from, to)) return false;
  replaceAllowedRange(from, to, replacement, byUser);
  return true;
}

void TCustomRichEdit::replaceAllowedRange(int from, int to, const RichTextContent& replacement, bool byUser) {
  typingAttributes_.reset();
  QTextCursor c(document_.get());
  c.setPosition(from);
  c.setPosition(to, QTextCursor::KeepAnchor);
  qn::ui::insertRichText(c, replacement, dotsPerInch());
  selStart_ = c.position();
  selLength_ = 0;
  if (QTextEdit* edit = textEdit()) edit->setTextCursor(c);
  SetModified(byUser);
  markLinks();
  Change();
}

bool TCustomRichEdit::replaceSelectionWithText(const AnsiString& text, bool byUser) {
  QTextCursor c = cursor();
  // New text takes the attributes at the caret: those of the character before it.
  CharacterAttributes attributes = selectionAttributes();
  return replaceRange(c.selectionStart(), c.selectionEnd(), RichTextContent::fromPlainText(text, attributes), byUser);
}

CharacterAttributes TCustomRichEdit::selectionAttributes() const {
  QTextCursor c = cursor();
  int at = c.selectionStart();
  if (!c.hasSelection()) {
    if (typingAttributes_) return *typingAttributes_;
    // Typing continues the character before the caret; at a paragraph's start, the one after.
    if (!c.atBlockStart()) --at;
  }
  for (const auto& paragraph : content(at, at + 1).paragraphs) {
    if (!paragraph.runs.empty()) return paragraph.runs[0].attributes;
  }
  return defaultAttributes_;
}

void TCustomRichEdit::changeSelectionAttributes(const std::function<void(CharacterAttributes&)>& change) {
  QTextCursor c = cursor();
  if (!c.hasSelection()) {
    CharacterAttributes attributes = selectionAttributes();
    change(attributes);
    typingAttributes_ = attributes;
    return;
  }
  int from = c.selectionStart();
  int to = c.selectionEnd();
  if (!ProtectChange(from, to)) return;
  RichTextContent range = content(from, to);
  c.beginEditBlock();
  int position = from;
  for (size_t p = 0; p < range.paragraphs.size(); ++p) {
    if (p > 0) ++position;  // the paragraph break
    for (auto& run : range.paragraphs[p].runs) {
      int length = QString::fromStdString(run.text).size();
      change(run.attributes);
      QTextCursor part(document_.get());
      part.setPosition(position);
      part.setPosition(position + length, QTextCursor::KeepAnchor);
      part.setCharFormat(qn::ui::runFormatOf(run, dotsPerInch()));
      position += length;
    }
  }
  c.endEditBlock();
  SetModified(true);
  Change();
}

ParagraphAttributes TCustomRichEdit::paragraphAttributes() const {
  ParagraphAttributes attributes = qn::ui::paragraphAttributesOf(document_->findBlock(SelStart()));
  if (version_ < 2) {
    attributes.spaceBefore = attributes.spaceAfter = attributes.lineSpacing = attributes.lineSpacingRule = 0;
  }
  return attributes;
}

void TCustomRichEdit::changeParagraphAttributes(const std::function<void(ParagraphAttributes&)>& change) {
  QTextCursor c = cursor();
  QTextBlock first = document_->findBlock(c.selectionStart());
  QTextBlock last = document_->findBlock(c.selectionEnd());
  QTextCursor edit(document_.get());
  edit.beginEditBlock();
  for (QTextBlock block = first; block.isValid(); block = block.next()) {
    ParagraphAttributes attributes = qn::ui::paragraphAttributesOf(block);
    ParagraphAttributes changed = attributes;
    change(changed);
    // The first version of the control knows no paragraph spacing.
    if (version_ < 2) {
      changed.spaceBefore = attributes.spaceBefore;
      changed.spaceAfter = attributes.spaceAfter;
      changed.lineSpacingRule = attributes.lineSpacingRule;
      changed.lineSpacing = attributes.lineSpacing;
    }
    if (changed.tabs.size() > static_cast<size_t>(qn::ui::maxTabStops)) changed.tabs.resize(qn::ui::maxTabStops);
    edit.setPosition(block.position());
    qn::ui::applyParagraphAttributes(edit, changed, dotsPerInch());
    if (block == last) break;
  }
  edit.endEditBlock();
  SetModified(true);
  Change();
}

void TCustomRichEdit::setVersion(int Value) { version_ = Value < 2 ? 1 : 2; }

void TCustomRichEdit::setDefaultAttributes(const CharacterAttributes& Value) { defaultAttributes_ = Value; }

void TCustomRichEdit::SetHideSelection(bool Value) {
  hideSelection_ = Value;
  QTextEdit* edit = textEdit();
  if (!edit) return;
  QPalette palette = edit->palette();
  QPalette standard = edit->style()->standardPalette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   Value ? palette.color(QPalette::Inactive, QPalette::Base) : standard.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   Value ? palette.color(QPalette::Inactive, QPalette::Text)
                         : standard.color(QPalette::Active, QPalette::HighlightedText));
  edit->setPalette(palette);
}

bool TCustomRichEdit::CanUndo() const { return document_->isUndoAvailable(); }
bool TCustomRichEdit::CanRedo() const { return document_->isRedoAvailable(); }

void TCustomRichEdit::Undo() {
  if (ReadOnly() || !CanUndo()) return;
  document_->undo();
  SetModified(true);
  Change();
}

void TCustomRichEdit::Redo() {
  if (ReadOnly() || !CanRedo()) return;
  document_->redo();
  SetModified(true);
  Change();
}

void TCustomRichEdit::ClearUndo() { document_->clearUndoRedoStacks(); }

bool TCustomRichEdit::CanPaste() const { return Clipboard::HasText(); }

void TCustomRichEdit::CopyToClipboard() {
  if (SelLength() == 0 || !BeforeClipboard(caCopy)) return;
  Clipboard::SetAsText(SelText());
  AfterClipboard(caCopy);
}

void TCustomRichEdit::CutToClipboard() {
  if (ReadOnly() || SelLength() == 0 || !BeforeClipboard(caCut)) return;
  AnsiString text = SelText();
  QTextCursor c = cursor();
  if (!replaceRange(c.selectionStart(), c.selectionEnd(), RichTextContent{}, true)) return;
  Clipboard::SetAsText(text);
  AfterClipboard(caCut);
}

void TCustomRichEdit::PasteFromClipboard() {
  if (ReadOnly() || !CanPaste() || !BeforeClipboard(caPaste)) return;
  if (replaceSelectionWithText(withinMaxLength(Clipboard::AsText()), true)) AfterClipboard(caPaste);
}

AnsiString TCustomRichEdit::withinMaxLength(const AnsiString& inserted) const {
  if (MaxLength() <= 0) return inserted;
  // A line break counts once, as a paragraph break does in the text's positions.
  const int room = std::max(0, MaxLength() - (TextLength() - SelLength()));
  AnsiString kept;
  int used = 0;
  for (size_t i = 0; i < inserted.size() && used < room; ++i, ++used) {
    kept += inserted[i];
    if (inserted[i] == '\r' && i + 1 < inserted.size() && inserted[i + 1] == '\n') kept += inserted[++i];
  }
  return kept;
}

void TCustomRichEdit::deleteBackward(bool WholeWord) { deleteToward(true, WholeWord); }

void TCustomRichEdit::deleteForward(bool WholeWord) { deleteToward(false, WholeWord); }

void TCustomRichEdit::deleteToward(bool backward, bool wholeWord) {
  if (ReadOnly()) return;
  QTextCursor c = cursor();
  int from = c.selectionStart();
  int to = c.selectionEnd();
  if (from == to) {
    const QTextDocument* document = document_.get();
    const qn::ui::BlankAt blankAt = [document](int position) {
      const QChar character = document->characterAt(position);
      return character == u' ' || character == u'\t' || character == QChar::ParagraphSeparator ||
             character == QChar::LineSeparator;
    };
    if (backward) {
      if (from == 0) return;
      from = wholeWord ? qn::ui::wordStartBefore(blankAt, from) : from - 1;
    } else {
      if (to >= TextLength()) return;
      to = wholeWord ? qn::ui::wordEndAfter(blankAt, TextLength(), to) : to + 1;
    }
  }
  replaceRange(from, to, RichTextContent{}, true);
}

TWantedKeys TCustomRichEdit::WantedKeys() const {
  TWantedKeys keys{wkArrows, wkReturn};
  if (WantTabs()) keys.Include(wkTab);
  return keys;
}

void TCustomRichEdit::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  const char character = Key;
  if (character == 0) return;
  Key = 0;  // the control types it; the widget gets nothing
  if (ReadOnly()) return;
  if (character == '\b') {
    deleteBackward(GetKeyState(VK_CONTROL) < 0);
  } else if (character == '\r') {
    if (!withinMaxLength("\r").empty()) replaceSelectionWithText("\r", true);
  } else if (character == '\t') {
    if (WantTabs()) replaceSelectionWithText("\t", true);
  } else if (static_cast<unsigned char>(character) >= 32 && character != 127) {
    AnsiString typed = withinMaxLength(AnsiString(1, character));
    if (!typed.empty()) replaceSelectionWithText(typed, true);
  }
}

void TCustomRichEdit::SetAutoURLDetect(bool Value) {
  autoUrlDetect_ = Value;
  markLinks();
}

void TCustomRichEdit::markLinks() {
  // Links are shown, not stored: they change neither the text nor its formats, and are no step
  // to undo.
  links_.clear();
  if (autoUrlDetect_) {
    static const QRegularExpression link(R"((?:https?://|ftp://|mailto:|www\.)[^\s<>"]+)",
                                         QRegularExpression::CaseInsensitiveOption);
    for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
      auto matches = link.globalMatch(block.text());
      while (matches.hasNext()) {
        auto match = matches.next();
        links_.push_back({block.position() + static_cast<int>(match.capturedStart()),
                          block.position() + static_cast<int>(match.capturedEnd()), match.captured()});
      }
    }
  }
  QTextEdit* edit = textEdit();
  if (!edit) return;
  QList<QTextEdit::ExtraSelection> shown;
  for (const Link& link : links_) {
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(document_.get());
    selection.cursor.setPosition(link.start);
    selection.cursor.setPosition(link.end, QTextCursor::KeepAnchor);
    selection.format.setFontUnderline(true);
    selection.format.setForeground(QBrush(Qt::blue));
    shown.append(selection);
  }
  edit->setExtraSelections(shown);
}

QString TCustomRichEdit::linkAt(int position) const {
  for (const Link& link : links_) {
    if (position >= link.start && position < link.end) return link.target;
  }
  return {};
}

void TCustomRichEdit::linkClicked(const QString& link) { qn::ui::callHandler(OnLinkClick, this, fromQt(link)); }

void TCustomRichEdit::selectionMoved() {
  typingAttributes_.reset();
  if (QTextEdit* edit = textEdit()) {
    selStart_ = edit->textCursor().selectionStart();
    selLength_ = edit->textCursor().selectionEnd() - selStart_;
  }
  qn::ui::callHandler(OnSelectionChange, this);
}

// The line operations lay the text out in the window, making it when it is missing.
int TCustomRichEdit::LineCount() {
  Window();
  int count = 0;
  for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
    count += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
  }
  return count;
}

int TCustomRichEdit::LineStart(int Line) {
  Window();
  if (Line < 0) return -1;
  for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
    int lines = std::max(1, block.layout()->lineCount());
    if (Line < lines) return block.position() + (block.layout()->lineCount() > 0 ? block.layout()->lineAt(Line).textStart() : 0);
    Line -= lines;
  }
  return -1;
}

int TCustomRichEdit::LineOfChar(int Index) {
  Window();
  int line = 0;
  for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
    QTextLayout* layout = block.layout();
    if (Index < block.position() + block.length() || !block.next().isValid()) {
      if (layout->lineCount() == 0) return line;
      QTextLine found = layout->lineForTextPosition(std::clamp(Index - block.position(), 0, block.length() - 1));
      return line + (found.isValid() ? found.lineNumber() : layout->lineCount() - 1);
    }
    line += std::max(1, layout->lineCount());
  }
  return line;
}

AnsiString TCustomRichEdit::lineText(int line) {
  int start = LineStart(line);
  if (start < 0) return "";
  QTextBlock block = document_->findBlock(start);
  int next = LineStart(line + 1);
  bool endsParagraph = next < 0 || document_->findBlock(next) != block;
  int end = endsParagraph ? block.position() + block.length() - 1 : next;
  QString shown = qn::ui::shownText(block.text().mid(start - block.position(), end - start));
  shown.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  AnsiString text = fromQt(shown);
  if (endsParagraph && block.next().isValid()) text += "\r\n";
  if (text.size() > static_cast<size_t>(maxLineText)) text.resize(maxLineText);
  return text;
}

TPoint TCustomRichEdit::PositionOfChar(int Index) {
  Window();
  QTextEdit* edit = textEdit();
  QTextCursor c(document_.get());
  c.setPosition(std::clamp(Index, 0, TextLength()));
  QRect r = edit->cursorRect(c);
  QPoint inWidget = edit->viewport()->mapTo(edit, r.topLeft());
  return Point(inWidget.x(), inWidget.y());
}

qreal TCustomRichEdit::lineTop(int line) {
  const int position = LineStart(line);
  const QTextBlock block = document_->findBlock(position);
  const QTextLine shown = block.layout()->lineForTextPosition(position - block.position());
  return document_->documentLayout()->blockBoundingRect(block).top() + (shown.isValid() ? shown.y() : 0);
}

int TCustomRichEdit::FirstVisibleLine() {
  Window();
  const int top = textEdit()->verticalScrollBar()->value();
  const int count = LineCount();
  int line = 0;
  while (line + 1 < count && lineTop(line + 1) <= top) ++line;
  return line;
}

void TCustomRichEdit::ScrollLines(int Lines) {
  Window();
  const int target = std::clamp(FirstVisibleLine() + Lines, 0, LineCount() - 1);
  textEdit()->verticalScrollBar()->setValue(static_cast<int>(std::ceil(lineTop(target))));
}

TRect TCustomRichEdit::editRect() const {
  if (!formattingRect_.IsEmpty()) return formattingRect_;
  QTextEdit* edit = textEdit();
  if (!edit) return {};
  QRect r = edit->viewport()->geometry();
  return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TCustomRichEdit::setEditRect(const TRect& Value) {
  formattingRect_ = Value;
  QTextEdit* edit = textEdit();
  if (!edit) return;
  edit->setLineWrapMode(QTextEdit::FixedPixelWidth);
  edit->setLineWrapColumnOrWidth(Value.Width());
}

int TCustomRichEdit::FindText(const AnsiString& Text, int StartPos, int Length, bool WholeWord, bool MatchCase) const {
  QString sought = toQt(Text);
  if (sought.isEmpty() || StartPos < 0 || StartPos > TextLength()) return -1;
  int limit = Length < 0 ? TextLength() : std::min(TextLength(), StartPos + Length);
  QTextDocument::FindFlags flags;
  if (MatchCase) flags |= QTextDocument::FindCaseSensitively;
  if (WholeWord) flags |= QTextDocument::FindWholeWords;
  QTextCursor from(document_.get());
  from.setPosition(StartPos);
  QTextCursor found = document_->find(sought, from, flags);
  if (found.isNull() || found.selectionEnd() > limit) return -1;
  return found.selectionStart();
}

bool TCustomRichEdit::loadFromStream(TStream& Stream, bool SelectionOnly, qn::ui::RtfReader::Part Part) {
  std::string bytes(static_cast<size_t>(std::max<int64_t>(0, Stream.Size() - Stream.Position())), '\0');
  bytes.resize(static_cast<size_t>(Stream.Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  RichTextContent loaded;
  if (plainText_) {
    loaded = RichTextContent::fromPlainText(bytes, SelectionOnly ? selectionAttributes() : defaultAttributes_);
  } else if (auto read = qn::ui::RtfReader(defaultAttributes_).read(bytes, Part)) {
    loaded = std::move(*read);
  } else {
    return false;
  }
  if (!SelectionOnly) {
    if (!replaceRange(0, TextLength(), loaded, false)) return false;
    documentDestinations_ = std::move(loaded.documentDestinations);
    fonts_ = std::move(loaded.fonts);
    return true;
  }
  QTextCursor c = cursor();
  if (!replaceRange(c.selectionStart(), c.selectionEnd(), loaded, false)) return false;
  for (std::string& destination : loaded.documentDestinations) {
    if (std::find(documentDestinations_.begin(), documentDestinations_.end(), destination) == documentDestinations_.end()) {
      documentDestinations_.push_back(std::move(destination));
    }
  }
  // A font under a number the text already gives another is numbered anew when written.
  for (qn::ui::FontTableEntry& font : loaded.fonts) {
    auto sameNumber = [&](const qn::ui::FontTableEntry& held) { return held.number == font.number; };
    if (std::none_of(fonts_.begin(), fonts_.end(), sameNumber)) fonts_.push_back(std::move(font));
  }
  return true;
}

void TCustomRichEdit::saveToStream(TStream& Stream, bool SelectionOnly) const {
  QTextCursor c = cursor();
  RichTextContent saved = SelectionOnly ? content(c.selectionStart(), c.selectionEnd()) : content(0, TextLength());
  saved.documentDestinations = documentDestinations_;
  saved.fonts = fonts_;
  std::string bytes = plainText_ ? saved.plainText() : qn::ui::RtfWriter().write(saved);
  Stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TCustomRichEdit::Print(const AnsiString& Caption) {
  TPrinter* printer = Printer();
  printer->SetTitle(Caption);
  printer->BeginDoc();
  try {
    const int dpiX = printer->XResolution();
    const int dpiY = printer->YResolution();
    TRect page = pageRect_;
    if (page.IsEmpty()) page = Rect(0, 0, printer->PageWidth() * 1440 / dpiX, printer->PageHeight() * 1440 / dpiY);
    qn::ui::RichTextPages pages(*document_, page);
    // Measure first, then print page by page up to where measuring ended.
    int measured = 0;
    for (int next = pages.pageEnd(0); next > measured; next = pages.pageEnd(measured)) {
      measured = next;
      if (measured >= pages.length()) break;
    }
    for (int from = 0;;) {
      int next = pages.render(*printer->PagePainter(), dpiX, dpiY, from);
      if (next <= from || next >= measured) break;
      printer->NewPage();
      from = next;
    }
    printer->EndDoc();
  } catch (...) {
    if (printer->Printing()) printer->Abort();
    throw;
  }
}
