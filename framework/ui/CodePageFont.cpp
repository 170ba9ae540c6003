#include "framework/ui/CodePageFont.h"

#include <QGlyphRun>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

#include "framework/base/AnsiString.h"
#include "framework/ui/FontConversion.h"

namespace qn::ui {

namespace {

// The fonts of a run are few (a form's, its titles', a report's): each made once. Entries no
// canvas holds any more go once the table grows past its bound.
constexpr std::size_t kKeptFonts = 64;

}  // namespace

CodePageFont::CodePageFont(const QFont& font) : font_(font), metrics_(font), raw_(QRawFont::fromFont(font)) {
  decorated_ = font.underline() || font.strikeOut() || font.overline();
  if (!raw_.isValid()) return;
  QString characters;
  for (int c = 0; c < 256; ++c) characters += QChar(c);
  // Bytes 0x80 to 0x9F of the code page stand for characters beyond Latin-1.
  std::vector<char16_t> beyond;
  for (int byte = 0x80; byte <= 0x9F; ++byte) {
    const QString shown = QString::fromStdString(qn::ansiToUtf8(std::string(1, static_cast<char>(byte))));
    if (shown.size() == 1 && shown[0].unicode() > 0xFF) beyond.push_back(shown[0].unicode());
  }
  for (char16_t c : beyond) characters += QChar(c);
  const QList<quint32> indexes = raw_.glyphIndexesForString(characters);
  if (indexes.size() != characters.size()) return;
  const QList<QPointF> advances = raw_.advancesForGlyphIndexes(indexes);
  for (int i = 0; i < characters.size(); ++i) {
    const Glyph glyph{indexes[i], advances[i].x()};
    if (i < 256) latin1_[i] = glyph;
    else beyondLatin1_.emplace_back(beyond[i - 256], glyph);
  }
}

CodePageFont::Key CodePageFont::Key::of(const TFont& font, int dotsPerInch) {
  return {font.Name(), font.Pitch(), font.Style(), fontPixelSize(font, dotsPerInch)};
}

std::shared_ptr<const CodePageFont> CodePageFont::of(const TFont& font, int dotsPerInch) {
  static std::mutex guard;
  static std::vector<std::pair<Key, std::shared_ptr<const CodePageFont>>> made;
  const Key key = Key::of(font, dotsPerInch);
  const std::lock_guard<std::mutex> lock(guard);
  for (const auto& [madeFor, shared] : made)
    if (madeFor == key) return shared;
  if (made.size() >= kKeptFonts) std::erase_if(made, [](const auto& entry) { return entry.second.use_count() == 1; });
  auto shared = std::make_shared<const CodePageFont>(qtFont(font, dotsPerInch));
  made.emplace_back(key, shared);
  return shared;
}

const CodePageFont::Glyph* CodePageFont::glyphOf(QChar c) const {
  if (c.unicode() <= 0xFF) return &latin1_[c.unicode()];
  for (const auto& [character, glyph] : beyondLatin1_)
    if (character == c.unicode()) return &glyph;
  return nullptr;
}

int CodePageFont::width(const QString& text) const {
  qreal sum = 0;
  for (QChar c : text) {
    const Glyph* glyph = glyphOf(c);
    if (!glyph || glyph->index == 0) return metrics_.horizontalAdvance(text);
    sum += glyph->advance;
  }
  return qRound(sum);
}

void CodePageFont::draw(QPainter& painter, QPoint origin, const QString& text, bool glyphRows) const {
  QList<quint32> indexes;
  QList<QPointF> positions;
  if (glyphRows && !decorated_) {
    indexes.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (QChar c : text) {
      const Glyph* glyph = glyphOf(c);
      if (!glyph || glyph->index == 0) break;
      indexes.push_back(glyph->index);
      positions.emplace_back(x, 0);
      x += glyph->advance;
    }
  }
  if (indexes.size() != text.size()) {
    painter.setFont(font_);
    painter.drawText(origin, text);
    return;
  }
  if (indexes.empty()) return;
  QGlyphRun run;
  run.setRawFont(raw_);
  run.setGlyphIndexes(indexes);
  run.setPositions(positions);
  painter.drawGlyphRun(origin, run);
}

}  // namespace qn::ui
