#include "framework/ui/RichEditLines.h"

#include <QTextBlock>
#include <QTextDocument>
#include <string>

#include "framework/base/Exception.h"
#include "framework/base/ListIndex.h"
#include "framework/base/Stream.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RichTextDocument.h"

void RichEditLines::check(int index, int count) const {
  CheckListIndex(index, count);
}

int RichEditLines::Count() const {
  QTextDocument* document = edit_->document();
  int blocks = document->blockCount();
  return document->lastBlock().length() == 1 ? blocks - 1 : blocks;
}

AnsiString RichEditLines::Get(int index) const {
  check(index, Count());
  return qn::utf8ToAnsi(qn::ui::shownText(edit_->document()->findBlockByNumber(index).text()).toStdString());
}

void RichEditLines::Put(int index, const AnsiString& s) {
  check(index, Count());
  QTextBlock block = edit_->document()->findBlockByNumber(index);
  // The new text takes the attributes of the paragraph's first character.
  qn::ui::RichParagraph first = edit_->content(block.position(), block.position() + 1).paragraphs[0];
  qn::ui::RichTextContent text =
      qn::ui::RichTextContent::fromPlainText(s, first.runs.empty() ? edit_->defaultAttributes() : first.runs[0].attributes);
  text.paragraphs[0].attributes = qn::ui::paragraphAttributesOf(block);
  edit_->replaceRange(block.position(), block.position() + block.length() - 1, text, false);
}

void RichEditLines::InsertObject(int index, const AnsiString& s, TObject*) {
  int count = Count();
  if (index != count) check(index, count);
  QTextDocument* document = edit_->document();
  qn::ui::RichTextContent text = qn::ui::RichTextContent::fromPlainText(s, edit_->defaultAttributes());
  if (index < count) {
    // The new paragraph goes before the line, which keeps its place and formatting.
    text.paragraphs.emplace_back();
    int at = document->findBlockByNumber(index).position();
    edit_->replaceRange(at, at, text, false);
    return;
  }
  // After the last line: a break before it when the last paragraph holds text, a break after it
  // when the text ended with one. An empty line always takes a break after it: a last empty
  // paragraph is no line, so without one the line would not be there.
  const bool endsWithText = document->lastBlock().length() > 1;
  if (endsWithText) text.paragraphs.insert(text.paragraphs.begin(), qn::ui::RichParagraph{});
  if ((!endsWithText && count > 0) || s.empty()) text.paragraphs.emplace_back();
  int end = document->characterCount() - 1;
  edit_->replaceRange(end, end, text, false);
}

void RichEditLines::Delete(int index) {
  check(index, Count());
  QTextDocument* document = edit_->document();
  QTextBlock block = document->findBlockByNumber(index);
  int from = block.position();
  int to = from + block.length();
  if (!block.next().isValid()) {
    // The last paragraph takes the break before it along.
    to = from + block.length() - 1;
    from = std::max(0, from - 1);
  }
  edit_->replaceRange(from, to, qn::ui::RichTextContent{}, false);
}

void RichEditLines::Clear() { edit_->SetText(""); }

void RichEditLines::LoadFromStream(TStream& stream) {
  const int64_t start = stream.Position();
  if (edit_->loadFromStream(stream) || edit_->PlainText()) return;
  stream.SetPosition(start);
  edit_->SetPlainText(true);
  try {
    edit_->loadFromStream(stream);
  } catch (...) {
    edit_->SetPlainText(false);
    throw;
  }
  edit_->SetPlainText(false);
}

void RichEditLines::SaveToStream(TStream& stream) const { edit_->saveToStream(stream); }
