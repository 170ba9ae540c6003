#pragma once
// TextGrid: a grid that holds a text and an object per cell and shows the texts. Texts are the
// system's single-byte strings, shown through the one conversion. Its editor shows a cell's text
// for selecting and copying; made writable (setEditorReadOnly(false)) it stores what is typed
// back into the cell. Cell storage grows only for rows that hold something, so a long grid of
// mostly empty rows stays small. A moved column takes its texts along.
#include <vector>

#include "framework/ui/CustomGrid.h"

class TextGrid : public TCustomGrid {
  QN_CLASS(TextGrid, TCustomGrid)
 public:
  explicit TextGrid(TComponent* AOwner);
  ~TextGrid() override;

  // Outside the grid: EListError.
  AnsiString cellText(int ACol, int ARow) const;
  void setCellText(int ACol, int ARow, const AnsiString& Value);
  TObject* cellObject(int ACol, int ARow) const;
  void setCellObject(int ACol, int ARow, TObject* Value);
  // One column's (row's) texts from the first row (column); setting fills from the start and
  // leaves the rest.
  std::vector<AnsiString> columnTexts(int ACol) const;
  void setColumnTexts(int ACol, const std::vector<AnsiString>& Texts);
  std::vector<AnsiString> rowTexts(int ARow) const;
  void setRowTexts(int ARow, const std::vector<AnsiString>& Texts);

  bool editorReadOnly() const { return editorReadOnly_; }
  void setEditorReadOnly(bool Value);

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override;
  void columnMoved(int FromIndex, int ToIndex) override;
  TInplaceEdit* makeCellEditor() override;
  bool cellEditAcceptsKey(char Key) override { return !editorReadOnly_; }
  AnsiString cellEditText(int ACol, int ARow) override { return cellText(ACol, ARow); }
  void storeCellEditText(int ACol, int ARow, const AnsiString& Value) override;

 private:
  struct Cell {
    AnsiString text;
    TObject* object = nullptr;
  };
  using CellRow = std::vector<Cell>;
  void check(int ACol, int ARow) const;
  const Cell* find(int ACol, int ARow) const;
  Cell& at(int ACol, int ARow);

  std::vector<std::unique_ptr<CellRow>> rows_;
  bool editorReadOnly_ = true;
};
