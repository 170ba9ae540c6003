#include "spell/CaptionWidth.h"

#include <QImage>

#include "framework/ui/Canvas.h"

int captionWidth(TFont* font, const AnsiString& caption) {
  AnsiString shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  QImage scratch(1, 1, QImage::Format_RGB32);
  Canvas canvas(&scratch);
  canvas.SetFont(font);
  return canvas.textWidth(shown);
}
