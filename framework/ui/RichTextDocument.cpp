#include "framework/ui/RichTextDocument.h"

#include <QTextDocument>
#include <QTextList>
#include <cmath>

#include "framework/ui/FontConversion.h"

namespace qn::ui {

namespace {

enum Property {
  fontName = QTextFormat::UserProperty + 1,
  charset,
  pitch,
  halfPoints,
  automaticColor,
  protectedText,
  paragraphAttributes,
  keptDestination,
};

// The object kind of a kept destination's character: no handler draws it, so it takes no room.
constexpr int keptObject = QTextFormat::UserObject + 1;

int pixels(int twips, int dotsPerInch) { return static_cast<int>(std::lround(twips * static_cast<double>(dotsPerInch) / 1440.0)); }

QColor qtColor(TColor color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// The paragraph's own attributes ride in one property as a list of numbers.
QList<int> packed(const ParagraphAttributes& a) {
  QList<int> values{static_cast<int>(a.alignment), a.firstIndent, a.leftIndent,      a.rightIndent, a.spaceBefore,
                    a.spaceAfter,                   a.lineSpacingRule, a.lineSpacing, a.list,        a.listLevel};
  for (int tab : a.tabs) values.append(tab);
  return values;
}

ParagraphAttributes unpacked(const QList<int>& values) {
  ParagraphAttributes a;
  if (values.size() < 10) return a;
  a.alignment = static_cast<ParagraphAlignment>(values[0]);
  a.firstIndent = values[1];
  a.leftIndent = values[2];
  a.rightIndent = values[3];
  a.spaceBefore = values[4];
  a.spaceAfter = values[5];
  a.lineSpacingRule = values[6];
  a.lineSpacing = values[7];
  a.list = values[8];
  a.listLevel = values[9];
  for (qsizetype i = 10; i < values.size(); ++i) a.tabs.push_back(values[i]);
  return a;
}

}  // namespace

QTextCharFormat charFormatOf(const CharacterAttributes& a, int dotsPerInch) {
  QTextCharFormat format;
  format.setProperty(fontName, QByteArray::fromStdString(a.name));
  format.setProperty(charset, a.charset);
  format.setProperty(pitch, static_cast<int>(a.pitch));
  format.setProperty(halfPoints, a.halfPoints);
  format.setProperty(automaticColor, a.automaticColor);
  format.setProperty(protectedText, a.protectedText);
  TFontPitch fontPitch = a.pitch == FontPitch::Fixed ? fpFixed : a.pitch == FontPitch::Variable ? fpVariable : fpDefault;
  format.setFontFamilies(QStringList{installedFamilyFor(a.name, fontPitch)});
  format.setProperty(QTextFormat::FontPixelSize, std::max(1, pixelHeight(a, dotsPerInch)));
  format.setFontWeight(a.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(a.italic);
  format.setFontUnderline(a.underline);
  format.setFontStrikeOut(a.strikeOut);
  if (a.automaticColor) {
    format.setForeground(QBrush(Qt::black));
  } else {
    format.setForeground(QBrush(qtColor(a.color)));
  }
  return format;
}

CharacterAttributes attributesOf(const QTextCharFormat& format, const CharacterAttributes& defaults) {
  CharacterAttributes a = defaults;
  if (!format.hasProperty(fontName)) return a;
  a.name = format.property(fontName).toByteArray().toStdString();
  a.charset = format.intProperty(charset);
  a.pitch = static_cast<FontPitch>(format.intProperty(pitch));
  a.halfPoints = format.intProperty(halfPoints);
  a.automaticColor = format.boolProperty(automaticColor);
  a.protectedText = format.boolProperty(protectedText);
  a.bold = format.fontWeight() >= QFont::Bold;
  a.italic = format.fontItalic();
  a.underline = format.fontUnderline();
  a.strikeOut = format.fontStrikeOut();
  if (!a.automaticColor) {
    QColor c = format.foreground().color();
    a.color = c.red() | (c.green() << 8) | (c.blue() << 16);
  } else {
    a.color = clBlack;
  }
  return a;
}

QTextCharFormat runFormatOf(const TextRun& run, int dotsPerInch) {
  QTextCharFormat format = charFormatOf(run.attributes, dotsPerInch);
  if (!run.destination.empty()) {
    format.setObjectType(keptObject);
    format.setProperty(keptDestination, QByteArray::fromStdString(run.destination));
  }
  return format;
}

QTextBlockFormat blockFormatOf(const ParagraphAttributes& a, int dotsPerInch) {
  QTextBlockFormat format;
  format.setProperty(paragraphAttributes, QVariant::fromValue(packed(a)));
  format.setAlignment(a.alignment == ParagraphAlignment::Centre  ? Qt::AlignHCenter
                      : a.alignment == ParagraphAlignment::Right ? Qt::AlignRight
                                                                 : Qt::AlignLeft);
  // Qt adds a step of indent to a paragraph taken out of a list; ours are all in margins.
  format.setIndent(0);
  format.setLeftMargin(pixels(a.leftIndent, dotsPerInch));
  format.setRightMargin(pixels(a.rightIndent, dotsPerInch));
  format.setTextIndent(pixels(a.firstIndent, dotsPerInch));
  format.setTopMargin(pixels(a.spaceBefore, dotsPerInch));
  format.setBottomMargin(pixels(a.spaceAfter, dotsPerInch));
  QList<QTextOption::Tab> tabs;
  for (int tab : a.tabs) tabs.append(QTextOption::Tab(pixels(tab, dotsPerInch), QTextOption::LeftTab));
  format.setTabPositions(tabs);
  switch (a.lineSpacingRule) {
    case 1: format.setLineHeight(150, QTextBlockFormat::ProportionalHeight); break;
    case 2: format.setLineHeight(200, QTextBlockFormat::ProportionalHeight); break;
    case 3: format.setLineHeight(pixels(a.lineSpacing, dotsPerInch), QTextBlockFormat::MinimumHeight); break;
    case 4: format.setLineHeight(pixels(a.lineSpacing, dotsPerInch), QTextBlockFormat::FixedHeight); break;
    case 5: format.setLineHeight(a.lineSpacing * 5, QTextBlockFormat::ProportionalHeight); break;
    default: format.setLineHeight(100, QTextBlockFormat::SingleHeight); break;
  }
  return format;
}

ParagraphAttributes paragraphAttributesOf(const QTextBlock& block) {
  ParagraphAttributes a = unpacked(block.blockFormat().property(paragraphAttributes).value<QList<int>>());
  a.bullet = block.textList() != nullptr;
  return a;
}

void applyParagraphAttributes(QTextCursor cursor, const ParagraphAttributes& attributes, int dotsPerInch) {
  // Merged, not set: the block format also holds the block's list membership.
  cursor.mergeBlockFormat(blockFormatOf(attributes, dotsPerInch));
  QTextBlock block = cursor.block();
  QTextList* list = block.textList();
  if (attributes.bullet && !list) {
    // Join the bulleted paragraph before, as one list, or start a list of its own.
    QTextBlock previous = block.previous();
    if (previous.isValid() && previous.textList()) {
      previous.textList()->add(block);
    } else {
      QTextListFormat bullets;
      bullets.setStyle(QTextListFormat::ListDisc);
      cursor.createList(bullets);
    }
  } else if (!attributes.bullet && list) {
    list->remove(block);
  }
  cursor.mergeBlockFormat(blockFormatOf(attributes, dotsPerInch));
}

QString shownText(QString text) {
  text.remove(QChar::ObjectReplacementCharacter);
  return text;
}

void insertRichText(QTextCursor& cursor, const RichTextContent& content, int dotsPerInch) {
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  // A paragraph mark carries its paragraph's attributes: a paragraph of the content that ends in
  // one gives them to the paragraph it ends; the content's last paragraph has none and takes
  // the attributes of the paragraph it joins, unless it fills a paragraph of its own.
  const ParagraphAttributes target = paragraphAttributesOf(cursor.block());
  const size_t last = content.paragraphs.size() - 1;
  for (size_t p = 0; p <= last; ++p) {
    const RichParagraph& paragraph = content.paragraphs[p];
    if (p > 0) {
      cursor.insertBlock();
      applyParagraphAttributes(cursor, target, dotsPerInch);
    }
    const bool emptyTarget = cursor.block().length() == 1;
    for (const TextRun& run : paragraph.runs) {
      cursor.insertText(QString::fromStdString(run.text), runFormatOf(run, dotsPerInch));
    }
    // An empty paragraph brings no attributes into one that holds text.
    const bool bringsAttributes = p < last ? !paragraph.runs.empty() || emptyTarget : emptyTarget;
    if (bringsAttributes) applyParagraphAttributes(cursor, paragraph.attributes, dotsPerInch);
  }
  cursor.endEditBlock();
}

RichTextContent richTextOf(const QTextDocument& document, int from, int to, const CharacterAttributes& defaults) {
  RichTextContent content;
  content.paragraphs.clear();
  for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to; block = block.next()) {
    RichParagraph paragraph;
    paragraph.attributes = paragraphAttributesOf(block);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      QTextFragment fragment = it.fragment();
      int start = std::max(from, fragment.position());
      int end = std::min(to, fragment.position() + fragment.length());
      if (start >= end) continue;
      const QTextCharFormat format = fragment.charFormat();
      if (format.hasProperty(keptDestination)) {
        // Equal kept destinations side by side share one fragment, a character each.
        const std::string rtf = format.property(keptDestination).toByteArray().toStdString();
        for (int i = start; i < end; ++i) appendDestination(paragraph, attributesOf(format, defaults), rtf);
        continue;
      }
      QString text = fragment.text().mid(start - fragment.position(), end - start);
      appendText(paragraph, attributesOf(format, defaults), text.toStdString());
    }
    content.paragraphs.push_back(std::move(paragraph));
  }
  if (content.paragraphs.empty()) content.paragraphs.emplace_back();
  return content;
}

}  // namespace qn::ui
