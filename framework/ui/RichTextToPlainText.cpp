#include "framework/ui/RichTextToPlainText.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/base/MemoryStream.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RtfReader.h"

namespace qn::ui {

AnsiString RichTextToPlainText(std::string_view richText) {
  if (auto content = RtfReader().read(richText)) return content->plainText();
  return RichTextContent::fromPlainText(richText, CharacterAttributes{}).plainText();
}

}  // namespace qn::ui

void RichTextToPlainText(TComponent* Owner, char* Buffer, int Length, TStream* Stream, TCustomRichEdit* RichEdit) {
  if (!Buffer || Length <= 0) return;
  std::unique_ptr<MemoryStream> ownStream;
  if (!Stream) {
    ownStream = std::make_unique<MemoryStream>();
    Stream = ownStream.get();
  }
  std::unique_ptr<TRichEdit> ownEdit;
  if (!RichEdit) {
    ownEdit = std::make_unique<TRichEdit>(Owner);
    RichEdit = ownEdit.get();
  }
  const size_t stored = strnlen(Buffer, static_cast<size_t>(Length));
  Stream->SetSize(0);
  Stream->WriteBuffer(Buffer, static_cast<int64_t>(stored));
  Stream->SetPosition(0);
  RichEdit->Lines()->LoadFromStream(*Stream);
  const AnsiString plain = RichEdit->Text();
  const size_t kept = std::min(plain.size(), static_cast<size_t>(Length) - 1);
  std::memcpy(Buffer, plain.data(), kept);
  Buffer[kept] = '\0';
}
