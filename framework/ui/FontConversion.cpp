#include "framework/ui/FontConversion.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "framework/base/TextCompare.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/Screen.h"

namespace qn::ui {

namespace {

const QString sansFamily = QStringLiteral("Liberation Sans");
const QString monoFamily = QStringLiteral("Liberation Mono");
const QString serifFamily = QStringLiteral("Liberation Serif");

// The families the program's forms and reports name, and what stands in for each here.
const std::array<std::pair<const char*, const QString*>, 9> familyTable{{
    {"MS Sans Serif", &sansFamily},
    {"MS Serif", &serifFamily},
    {"System", &sansFamily},
    {"Arial", &sansFamily},
    {"Helvetica", &sansFamily},
    {"Courier New", &monoFamily},
    {"Courier", &monoFamily},
    {"Times New Roman", &serifFamily},
    {"Times", &serifFamily},
}};

}  // namespace

QString installedFamilyFor(const AnsiString& name, TFontPitch pitch) {
  for (const auto& [known, family] : familyTable)
    if (SameText(name, known)) return *family;
  const QString wanted = QString::fromStdString(qn::ansiToUtf8(name));
  for (const QString& family : QFontDatabase::families())
    if (family.compare(wanted, Qt::CaseInsensitive) == 0) return family;
  return pitch == fpFixed ? monoFamily : sansFamily;
}

int fontPixelSize(const TFont& font, int dotsPerInch) {
  if (font.GivenSize()) return std::max(1, static_cast<int>(std::lround(std::abs(*font.GivenSize()) * dotsPerInch / 72.0)));
  const int pixels = std::abs(font.Height());
  const int given = font.PixelsPerInch() > 0 ? font.PixelsPerInch() : dotsPerInch;
  return std::max(1, static_cast<int>(std::lround(static_cast<double>(pixels) * dotsPerInch / given)));
}

QFont qtFont(const TFont& font, int dotsPerInch) {
  QFont result(installedFamilyFor(font.Name(), font.Pitch()));
  result.setPixelSize(fontPixelSize(font, dotsPerInch));
  result.setBold(font.Style().Contains(fsBold));
  result.setItalic(font.Style().Contains(fsItalic));
  result.setUnderline(font.Style().Contains(fsUnderline));
  result.setStrikeOut(font.Style().Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) result.setFixedPitch(true);
  // The program's text was laid out by a platform that does not kern: widths and pixels follow it.
  result.setKerning(false);
  return result;
}

void applyFontToWidget(QWidget* widget, const TFont& font) {
  widget->setFont(qtFont(font, Screen->PixelsPerInch()));
  QPalette palette = widget->palette();
  const QColor color = qtColor(font.Color());
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  palette.setColor(QPalette::ButtonText, color);
  widget->setPalette(palette);
}

std::vector<AnsiString> installedFontFamilies() {
  std::vector<AnsiString> families;
  for (const QString& family : QFontDatabase::families()) families.push_back(qn::utf8ToAnsi(family.toStdString()));
  return families;
}

}  // namespace qn::ui
