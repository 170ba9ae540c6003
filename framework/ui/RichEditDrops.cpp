// Dragging text out of the rich edit and dropping text into it.
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "framework/ui/HandlerCall.h"
#include "framework/ui/RichEdit.h"

using qn::ui::DropEffect;
using qn::ui::DropEffects;
using qn::ui::RichTextContent;

void TCustomRichEdit::SetAcceptDrops(bool Value) {
  acceptDrops_ = Value;
  if (QTextEdit* edit = textEdit()) qn::ui::setWindowTakesDrops(edit, Value);
}

int TCustomRichEdit::positionAt(TPoint point) const {
  QTextEdit* edit = textEdit();
  return edit ? edit->cursorForPosition({point.X, point.Y}).position() : SelStart();
}

bool TCustomRichEdit::onSelection(TPoint point) const {
  QTextCursor c = cursor();
  if (!c.hasSelection()) return false;
  const int at = positionAt(point);
  return at >= c.selectionStart() && at < c.selectionEnd();
}

DropEffect TCustomRichEdit::dropEffectAt(int position, TShiftState shift, DropEffects allowed, bool fromSelf) {
  if (ReadOnly()) return DropEffect::none;
  DropEffect effect = allowed.Contains(DropEffect::move) ? DropEffect::move : DropEffect::copy;
  qn::ui::callHandler(OnDropEffect, this, shift, allowed, effect);
  if (!allowed.Contains(effect)) return DropEffect::none;
  if (fromSelf) {
    // Onto the dragged text itself nothing would change.
    QTextCursor c = cursor();
    const bool inside = effect == DropEffect::move
                            ? position >= c.selectionStart() && position <= c.selectionEnd()
                            : position > c.selectionStart() && position < c.selectionEnd();
    if (inside) return DropEffect::none;
  }
  return effect;
}

DropEffect TCustomRichEdit::textDragOver(TPoint point, TShiftState shift, DropEffects allowed, bool fromSelf) {
  return dropEffectAt(positionAt(point), shift, allowed, fromSelf);
}

DropEffect TCustomRichEdit::textDropped(const AnsiString& text, TPoint point, TShiftState shift, DropEffects allowed,
                                        bool fromSelf) {
  const int position = positionAt(point);
  const DropEffect effect = dropEffectAt(position, shift, allowed, fromSelf);
  if (effect == DropEffect::none) return effect;
  if (fromSelf) {
    if (!dropSelectionAt(position, effect == DropEffect::move)) return DropEffect::none;
    droppedOnSelf_ = true;
    return effect;
  }
  // From elsewhere (a link has nothing to link to here: its text is inserted) in the attributes
  // at the drop point, as typed text would be.
  SetSelStart(position);
  const AnsiString kept = withinMaxLength(text);
  if (kept.empty() || !replaceSelectionWithText(kept, true)) return DropEffect::none;
  selectRange(position, SelStart());
  return effect;
}

bool TCustomRichEdit::dropSelectionAt(int position, bool move) {
  QTextCursor c = cursor();
  const int from = c.selectionStart();
  const int to = c.selectionEnd();
  if (!ProtectChange(position, position) || (move && !ProtectChange(from, to))) return false;
  const RichTextContent moved = content(from, to);
  const int length = to - from;
  if (!move) {
    if (MaxLength() > 0 && TextLength() + length > MaxLength()) return false;
    replaceAllowedRange(position, position, moved, true);
    selectRange(position, position + length);
    return true;
  }
  // One step to undo: the later range changes first, so the earlier position still holds.
  QTextCursor step(document());
  step.beginEditBlock();
  if (position > to) {
    replaceAllowedRange(position, position, moved, true);
    replaceAllowedRange(from, to, RichTextContent{}, true);
    position -= length;
  } else {
    replaceAllowedRange(from, to, RichTextContent{}, true);
    replaceAllowedRange(position, position, moved, true);
  }
  step.endEditBlock();
  selectRange(position, position + length);
  return true;
}

void TCustomRichEdit::selectRange(int from, int to) {
  SetSelStart(from);
  SetSelLength(to - from);
}

void TCustomRichEdit::dragSelection() {
  QTextCursor c = cursor();
  if (!c.hasSelection()) return;
  const int from = c.selectionStart();
  const int to = c.selectionEnd();
  DropEffects allowed{DropEffect::copy};
  if (!ReadOnly()) allowed.Include(DropEffect::move);
  droppedOnSelf_ = false;
  const DropEffect effect = qn::ui::runTextDrag({this, SelText(), allowed});
  // A move onto another control leaves the removal to the source.
  if (effect == DropEffect::move && !droppedOnSelf_) replaceRange(from, to, RichTextContent{}, true);
  droppedOnSelf_ = false;
}
