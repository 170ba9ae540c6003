#include "framework/ui/RichTextToPlainText.h"

#include "framework/ui/RtfReader.h"

namespace qn::ui {

AnsiString RichTextToPlainText(std::string_view richText) {
  if (auto content = RtfReader().read(richText)) return content->plainText();
  return RichTextContent::fromPlainText(richText, CharacterAttributes{}).plainText();
}

}  // namespace qn::ui
