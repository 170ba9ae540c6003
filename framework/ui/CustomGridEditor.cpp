// The in-place editor over the grid's current cell.
#include "framework/ui/CustomGrid.h"
#include "framework/ui/Focus.h"
#include "framework/ui/InplaceEdit.h"
#include "framework/ui/SafeDispatch.h"

bool TCustomGrid::allowsEditor() const { return options_.Contains(gridEditing) && !options_.Contains(gridRowSelect); }

bool TCustomGrid::cellEditorShown() const { return editor_ && editor_->Visible(); }

TInplaceEdit* TCustomGrid::makeCellEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::showCellEditor() {
  if (!allowsEditor() || columnCount() == 0 || rowCount() == 0 || current_.column < FixedCols() || current_.row < fixedRowCount())
    return false;
  if (!CanEdit()) return false;
  if (!editor_) editor_ = makeCellEditor();
  const bool gridHadFocus = Focused();
  if (!editor_->Visible()) {
    refreshCellEditor();
    editor_->Show();
    repaintCell(current_.column, current_.row);
  }
  if (gridHadFocus) editor_->SetFocus();
  return true;
}

void TCustomGrid::refreshCellEditor() {
  if (!editor_) return;
  editing_ = current_;
  editor_->SetEditMask(cellEditMask(current_.column, current_.row));
  editor_->SetMaxLength(cellEditMaxLength());
  editor_->SetText(cellEditText(current_.column, current_.row));
  editor_->SelectAll();
  placeCellEditor();
}

void TCustomGrid::placeCellEditor() {
  if (!editor_) return;
  const TRect cell = cellBounds(editing_.column, editing_.row);
  if (cell.IsEmpty()) {
    // Scrolled out of view: kept, out of sight, until its cell comes back.
    editor_->SetBounds(-editor_->Width() - 8, 0, editor_->Width(), editor_->Height());
    return;
  }
  const TRect client = ClientRect();
  editor_->SetBounds(cell.Left, cell.Top, std::min(cell.Right, client.Right) - cell.Left, std::min(cell.Bottom, client.Bottom) - cell.Top);
}

void TCustomGrid::storeCellEditor() {
  if (!cellEditorShown() || !editor_->Modified()) return;
  storeCellEditText(editing_.column, editing_.row, editor_->Text());
  editor_->SetModified(false);
}

void TCustomGrid::hideCellEditor() {
  if (!cellEditorShown()) return;
  if (editor_->Focused()) {
    // The editor's exit stores the text; a refusal leaves the focus, and the editor, where they are.
    qn::ui::moveFocus(this);
    if (editor_->Focused()) return;
  } else {
    storeCellEditor();
  }
  editor_->Hide();
  repaintCell(editing_.column, editing_.row);
}

void TCustomGrid::repaintCurrent() {
  if (options_.Contains(gridRowSelect)) repaintRow(current_.row);
  else repaintCell(current_.column, current_.row);
}

void TCustomGrid::DoEnter() {
  SelfPaintedControl::DoEnter();
  repaintCurrent();
}

void TCustomGrid::DoExit() {
  SelfPaintedControl::DoExit();
  repaintCurrent();
  if (!cellEditorShown() || options_.Contains(gridAlwaysShowEditor)) return;
  // The move that runs this exit is still under way; the editor goes once the focus has left.
  qn::ui::postCall(this, [this] {
    if (cellEditorShown() && !editor_->Focused() && !Focused()) {
      storeCellEditor();
      editor_->Hide();
      repaintCell(editing_.column, editing_.row);
    }
  });
}
