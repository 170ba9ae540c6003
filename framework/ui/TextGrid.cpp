#include "framework/ui/TextGrid.h"

#include "framework/base/Exception.h"
#include "framework/ui/InplaceEdit.h"

TextGrid::TextGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
  // The text is drawn on the cell's colour in one step.
  setDefaultCellFilling(false);
}

TextGrid::~TextGrid() = default;

void TextGrid::check(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= columnCount() || ARow < 0 || ARow >= rowCount())
    throw EListError("Grid index out of range (" + std::to_string(ACol) + ", " + std::to_string(ARow) + ")");
}

const TextGrid::Cell* TextGrid::find(int ACol, int ARow) const {
  check(ACol, ARow);
  if (ARow >= static_cast<int>(rows_.size()) || !rows_[static_cast<size_t>(ARow)]) return nullptr;
  const CellRow& row = *rows_[static_cast<size_t>(ARow)];
  return ACol < static_cast<int>(row.size()) ? &row[static_cast<size_t>(ACol)] : nullptr;
}

TextGrid::Cell& TextGrid::at(int ACol, int ARow) {
  check(ACol, ARow);
  if (ARow >= static_cast<int>(rows_.size())) rows_.resize(static_cast<size_t>(ARow) + 1);
  auto& row = rows_[static_cast<size_t>(ARow)];
  if (!row) row = std::make_unique<CellRow>();
  if (ACol >= static_cast<int>(row->size())) row->resize(static_cast<size_t>(ACol) + 1);
  return (*row)[static_cast<size_t>(ACol)];
}

AnsiString TextGrid::cellText(int ACol, int ARow) const {
  const Cell* cell = find(ACol, ARow);
  return cell ? cell->text : AnsiString();
}

void TextGrid::setCellText(int ACol, int ARow, const AnsiString& Value) {
  at(ACol, ARow).text = Value;
  repaintCell(ACol, ARow);
}

TObject* TextGrid::cellObject(int ACol, int ARow) const {
  const Cell* cell = find(ACol, ARow);
  return cell ? cell->object : nullptr;
}

void TextGrid::setCellObject(int ACol, int ARow, TObject* Value) { at(ACol, ARow).object = Value; }

std::vector<AnsiString> TextGrid::columnTexts(int ACol) const {
  std::vector<AnsiString> texts;
  for (int r = 0; r < rowCount(); ++r) texts.push_back(cellText(ACol, r));
  return texts;
}

void TextGrid::setColumnTexts(int ACol, const std::vector<AnsiString>& Texts) {
  if (ACol < 0 || ACol >= columnCount() || static_cast<int>(Texts.size()) > rowCount())
    throw EListError("Grid column texts out of range (" + std::to_string(ACol) + ")");
  for (size_t r = 0; r < Texts.size(); ++r) setCellText(ACol, static_cast<int>(r), Texts[r]);
}

std::vector<AnsiString> TextGrid::rowTexts(int ARow) const {
  std::vector<AnsiString> texts;
  for (int c = 0; c < columnCount(); ++c) texts.push_back(cellText(c, ARow));
  return texts;
}

void TextGrid::setRowTexts(int ARow, const std::vector<AnsiString>& Texts) {
  if (ARow < 0 || ARow >= rowCount() || static_cast<int>(Texts.size()) > columnCount())
    throw EListError("Grid row texts out of range (" + std::to_string(ARow) + ")");
  for (size_t c = 0; c < Texts.size(); ++c) setCellText(static_cast<int>(c), ARow, Texts[c]);
}

void TextGrid::setEditorReadOnly(bool Value) {
  editorReadOnly_ = Value;
  if (cellEditor()) cellEditor()->SetReadOnly(Value);
}

void TextGrid::DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) {
  const Cell* cell = find(ACol, ARow);
  canvas().drawTextClipped(ARect, ARect.Left + 2, ARect.Top + 2, cell ? cell->text : AnsiString());
  TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TextGrid::columnMoved(int FromIndex, int ToIndex) {
  for (auto& row : rows_) {
    if (!row) continue;
    const size_t needed = static_cast<size_t>(std::max(FromIndex, ToIndex)) + 1;
    if (row->size() < needed) row->resize(needed);
    Cell moved = std::move((*row)[static_cast<size_t>(FromIndex)]);
    row->erase(row->begin() + FromIndex);
    row->insert(row->begin() + ToIndex, std::move(moved));
  }
  TCustomGrid::columnMoved(FromIndex, ToIndex);
}

TInplaceEdit* TextGrid::makeCellEditor() {
  TInplaceEdit* editor = TCustomGrid::makeCellEditor();
  editor->SetReadOnly(editorReadOnly_);
  return editor;
}

void TextGrid::storeCellEditText(int ACol, int ARow, const AnsiString& Value) {
  if (!editorReadOnly_) setCellText(ACol, ARow, Value);
}
