#include "framework/ui/RichTextContent.h"

#include <cmath>
#include <ostream>
#include <string_view>

namespace qn::ui {

namespace {
const std::string lineSeparator = "\xE2\x80\xA8";
}

std::ostream& operator<<(std::ostream& out, const FontName& name) { return out << name.str(); }

AnsiString RichTextContent::plainText() const {
  std::string utf8;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) utf8 += "\r\n";
    for (const TextRun& run : paragraphs[i].runs) {
      if (!run.destination.empty()) continue;
      size_t from = 0;
      for (size_t at = run.text.find(lineSeparator); at != std::string::npos; at = run.text.find(lineSeparator, from)) {
        utf8.append(run.text, from, at - from);
        utf8 += "\r\n";
        from = at + lineSeparator.size();
      }
      utf8.append(run.text, from);
    }
  }
  return utf8ToAnsi(utf8);
}

RichTextContent RichTextContent::fromPlainText(std::string_view ansi, const CharacterAttributes& attributes) {
  RichTextContent content;
  size_t start = 0;
  for (size_t i = 0; i <= ansi.size(); ++i) {
    if (i < ansi.size() && ansi[i] != '\r' && ansi[i] != '\n') continue;
    appendText(content.paragraphs.back(), attributes, ansiToUtf8(ansi.substr(start, i - start)));
    if (i == ansi.size()) break;
    if (ansi[i] == '\r' && i + 1 < ansi.size() && ansi[i + 1] == '\n') ++i;
    content.paragraphs.emplace_back();
    start = i + 1;
  }
  return content;
}

int pixelHeight(const CharacterAttributes& attributes, int dotsPerInch) {
  return static_cast<int>(std::lround(attributes.halfPoints * dotsPerInch / 144.0));
}

int halfPointsForHeight(int pixels, int dotsPerInch) {
  return dotsPerInch > 0 ? static_cast<int>(std::lround(pixels * 144.0 / dotsPerInch)) : 0;
}

void appendText(RichParagraph& paragraph, const CharacterAttributes& attributes, const std::string& utf8) {
  if (utf8.empty()) return;
  if (!paragraph.runs.empty() && paragraph.runs.back().destination.empty() && paragraph.runs.back().attributes == attributes) {
    paragraph.runs.back().text += utf8;
    return;
  }
  paragraph.runs.push_back(TextRun{attributes, utf8, {}});
}

void appendDestination(RichParagraph& paragraph, const CharacterAttributes& attributes, std::string rtf) {
  paragraph.runs.push_back(TextRun{attributes, std::string(keptDestinationCharacter), std::move(rtf)});
}

}  // namespace qn::ui
