#pragma once
// How a RichTextContent lives in a Qt text document, and back. Every attribute the content holds
// travels in the formats as our own property as well as in what Qt draws with (font, colour,
// margins, a bulleted list), so reading a document back gives exactly what was put in, whatever
// Qt rounds on screen. Lengths in twips become pixels at the given resolution.
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

#include "framework/ui/RichTextContent.h"

namespace qn::ui {

QTextCharFormat charFormatOf(const CharacterAttributes& attributes, int dotsPerInch);
// Text formats without our properties (none should exist) read as the defaults.
CharacterAttributes attributesOf(const QTextCharFormat& format, const CharacterAttributes& defaults);
// The format of the run's characters: a kept destination rides on its object character, which
// shows nothing.
QTextCharFormat runFormatOf(const TextRun& run, int dotsPerInch);

QTextBlockFormat blockFormatOf(const ParagraphAttributes& attributes, int dotsPerInch);
ParagraphAttributes paragraphAttributesOf(const QTextBlock& block);
// Gives the block the attributes, bullet included.
void applyParagraphAttributes(QTextCursor cursor, const ParagraphAttributes& attributes, int dotsPerInch);

// A document's text as it shows: without the object characters of kept destinations.
QString shownText(QString text);

// Replaces the cursor's selection by the content; the cursor ends after it. Each paragraph of
// the content that ends in a break gives its attributes to the paragraph it ends; the last one
// keeps the attributes of the paragraph it joins unless that paragraph was empty.
void insertRichText(QTextCursor& cursor, const RichTextContent& content, int dotsPerInch);

// The content between two positions of the document.
RichTextContent richTextOf(const QTextDocument& document, int from, int to, const CharacterAttributes& defaults);

}  // namespace qn::ui
