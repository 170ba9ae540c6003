#include "framework/ui/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <QSpinBox>
#include <utility>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/DialogSupport.h"
#include "framework/ui/FontConversion.h"

FontChoice FontChoice::of(const TFont& font) {
  return {font.Name(), font.Size(), font.Style(), font.Color(), font.Charset()};
}

void FontChoice::applyTo(TFont& font) const {
  TFont changed;
  changed.Assign(&font);
  changed.SetName(name);
  changed.SetSize(size);
  changed.SetStyle(style);
  changed.SetColor(color);
  changed.SetCharset(charset);
  font.Assign(&changed);
}

namespace qn::ui {
namespace {

FontDialogPresenter& presenter() {
  static FontDialogPresenter current;
  return current;
}

struct NamedColor {
  const char* name;
  TColor color;
};

constexpr NamedColor kColors[] = {
    {"Black", clBlack},   {"Maroon", clMaroon}, {"Green", clGreen},     {"Olive", clOlive},
    {"Navy", clNavy},     {"Purple", clPurple}, {"Teal", clTeal},       {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},       {"Lime", clLime},       {"Yellow", clYellow},
    {"Blue", clBlue},     {"Fuchsia", clFuchsia}, {"Aqua", clAqua},     {"White", clWhite},
};

std::optional<FontChoice> runQtFontDialog(const FontDialogRequest& request) {
  QDialog dialog(dialogOwner("font dialog"));
  dialog.setWindowTitle("Font");
  auto* layout = new QFormLayout(&dialog);

  auto* faces = new QListWidget(&dialog);
  for (const AnsiString& family : installedFontFamilies()) faces->addItem(screenText(family));
  const auto current = faces->findItems(installedFamilyFor(request.font.name), Qt::MatchFixedString);
  // The face stays as the program named it unless the user picks another.
  QListWidgetItem* initialFace = current.isEmpty() ? nullptr : current.front();
  if (initialFace) faces->setCurrentItem(initialFace);
  layout->addRow("&Font:", faces);

  auto* size = new QSpinBox(&dialog);
  size->setRange(1, 1638);
  size->setValue(request.font.size);
  layout->addRow("&Size:", size);

  const std::pair<TFontStyle, const char*> styleBoxes[] = {
      {fsBold, "&Bold"}, {fsItalic, "&Italic"}, {fsUnderline, "&Underline"}, {fsStrikeOut, "Stri&keout"}};
  std::vector<std::pair<TFontStyle, QCheckBox*>> styles;
  for (const auto& [style, caption] : styleBoxes) {
    auto* box = new QCheckBox(caption, &dialog);
    box->setChecked(request.font.style.Contains(style));
    layout->addRow(box);
    styles.emplace_back(style, box);
  }

  auto* colors = new QComboBox(&dialog);
  for (const NamedColor& c : kColors) colors->addItem(c.name, QVariant::fromValue(c.color));
  const int shown = colors->findData(QVariant::fromValue(request.font.color));
  if (shown < 0) colors->insertItem(0, "Custom", QVariant::fromValue(request.font.color));
  colors->setCurrentIndex(shown < 0 ? 0 : shown);
  layout->addRow("&Color:", colors);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;

  FontChoice choice = request.font;
  if (faces->currentItem() && faces->currentItem() != initialFace) choice.name = typedText(faces->currentItem()->text());
  choice.size = size->value();
  choice.style = {};
  for (const auto& [style, box] : styles)
    if (box->isChecked()) choice.style.Include(style);
  choice.color = colors->currentData().value<TColor>();
  return choice;
}

}  // namespace

std::optional<FontChoice> showFontDialog(const FontDialogRequest& request) {
  ModalServiceScope modal;
  FontDialogPresenter show = presenter();
  return show ? show(request) : runQtFontDialog(request);
}

FontDialogPresenter setFontDialogPresenter(FontDialogPresenter next) { return std::exchange(presenter(), std::move(next)); }

}  // namespace qn::ui
