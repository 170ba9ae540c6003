#pragma once
// The font dialog: face, size, style and colour of a font, as a service the program answers with
// a Qt dialog and tests with a script (framework/ui/testing). The character set is carried
// through unchanged.
#include <functional>
#include <optional>

#include "framework/base/AnsiString.h"
#include "framework/ui/Font.h"

struct FontChoice {
  AnsiString name;
  int size = 8;  // points
  TFontStyles style;
  TColor color = clWindowText;
  TFontCharset charset = DEFAULT_CHARSET;

  static FontChoice of(const TFont& font);
  // Name, size, style, colour and character set onto font, in one change.
  void applyTo(TFont& font) const;
  bool operator==(const FontChoice&) const = default;
};

// Which fonts the dialog offers: the screen's, or only those the printer has too. A page is drawn
// with the screen's fonts here, so both offer the same families.
enum class FontDialogDevices { screen, screenAndPrinter };

struct FontDialogRequest {
  FontChoice font;
  FontDialogDevices devices = FontDialogDevices::screen;
};

// nullopt: the user cancelled.
using FontDialogPresenter = std::function<std::optional<FontChoice>(const FontDialogRequest&)>;

namespace qn::ui {

std::optional<FontChoice> showFontDialog(const FontDialogRequest& request);
// Put presenter in charge; answers the one replaced. Empty: the Qt dialog again.
FontDialogPresenter setFontDialogPresenter(FontDialogPresenter presenter);

}  // namespace qn::ui
