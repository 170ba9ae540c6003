#pragma once
// TCustomGrid: the base of every grid of the program. Cells in columns and rows, fixed columns at
// the left and fixed rows at the top that never scroll, a current cell, scrolling by whole cells,
// column sizing and moving by the mouse, keyboard moves, and a slot for an in-place editor over the
// current cell. It paints itself through its canvas, one cell at a time through DrawCell, and only
// the cells inside the area being painted. Its scroll bars are its own children and it alone sets
// their ranges, so a descendant may give the vertical bar a range of its own (a position in a
// dataset rather than a row number) and answer its moves itself.
//
// Bad sizes leave the grid as it was: negative counts or sizes and fixed counts not below the
// count raise EInvalidOperation; a column or row index outside the grid raises EListError.
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "framework/ui/GridAxis.h"
#include "framework/ui/SelfPaintedControl.h"

class QScrollBar;
class IntervalTimer;
class TInplaceEdit;

enum GridOption {
  gridFixedVerticalLines,
  gridFixedHorizontalLines,
  gridVerticalLines,
  gridHorizontalLines,
  gridColumnSizing,
  gridColumnMoving,
  gridTabs,
  gridRowSelect,
  gridEditing,
  gridAlwaysShowEditor,
  gridThumbTracking,
};
using GridOptions = EnumSet<GridOption>;
extern const EnumerationType kGridOptionType;

// What DrawCell is told about the cell it paints.
enum GridCellState { cellSelected, cellFocused, cellFixed };
using GridCellStates = EnumSet<GridCellState>;

enum GridScrollBars { scrollBarsNone, scrollBarsHorizontal, scrollBarsVertical, scrollBarsBoth };
extern const EnumerationType kGridScrollBarsType;

// What the mouse is doing to the grid.
enum class GridMouseState { normal, selecting, sizingColumn, movingColumn };

// The moves a scroll bar asks for.
enum class ScrollAction { lineUp, lineDown, pageUp, pageDown, thumbTrack, thumbPosition, top, bottom };

struct GridCoord {
  int column = 0;
  int row = 0;
  friend bool operator==(const GridCoord&, const GridCoord&) = default;
};

using GridColumnMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TCustomGrid : public SelfPaintedControl {
  QN_PUBLISHED_CLASS(TCustomGrid, SelfPaintedControl)
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int columnCount() const { return columns_.count(); }
  void setColumnCount(int Value);
  int rowCount() const { return rows_.count(); }
  void setRowCount(int Value);
  int FixedCols() const { return columns_.fixedCount(); }
  void SetFixedCols(int Value);
  int fixedRowCount() const { return rows_.fixedCount(); }
  void setFixedRowCount(int Value);

  int columnWidth(int Index) const;
  void setColumnWidth(int Index, int Value);
  int rowHeight(int Index) const;
  void setRowHeight(int Index, int Value);
  int defaultColumnWidth() const { return columns_.defaultSize(); }
  void setDefaultColumnWidth(int Value);
  int defaultRowHeight() const { return rows_.defaultSize(); }
  void setDefaultRowHeight(int Value);
  // The width of the grid lines between cells.
  int lineWidth() const { return lineWidth_; }
  void setLineWidth(int Value);
  TColor fixedColour() const { return fixedColour_; }
  void setFixedColour(TColor Value);

  GridOptions Options() const { return options_; }
  void SetOptions(GridOptions Value);
  GridScrollBars scrollBars() const { return scrollBars_; }
  void setScrollBars(GridScrollBars Value);

  // The current cell. Setting it scrolls it into view.
  int Col() const { return current_.column; }
  void SetCol(int Value) { moveCurrentCell(Value, current_.row, true); }
  int Row() const { return current_.row; }
  void SetRow(int Value) { moveCurrentCell(current_.column, Value, true); }
  // Makes another cell current (kept inside the scrolled cells); scrolls only when asked. A
  // shown editor stores its text first (what the store raises keeps the cell), then follows or
  // hides.
  void moveCurrentCell(int ACol, int ARow, bool ScrollIntoView = false);

  // The scroll origin: the first column and row shown after the fixed ones.
  int firstScrollColumn() const { return columns_.firstScroll(); }
  void setFirstScrollColumn(int Value) { setScrollOrigin(Value, rows_.firstScroll()); }
  int firstScrollRow() const { return rows_.firstScroll(); }
  void setFirstScrollRow(int Value) { setScrollOrigin(columns_.firstScroll(), Value); }
  void setScrollOrigin(int AColumn, int ARow);
  // Scrolled columns (rows) wholly inside the client area.
  int fullyVisibleColumns() const;
  int fullyVisibleRows() const;

  // Whether Tab stops on a column; every column does until told otherwise.
  bool columnTakesTab(int Index) const;
  void setColumnTakesTab(int Index, bool Value);

  // A cell's rectangle in client coordinates, grid lines excluded; empty when the cell is not on
  // screen.
  TRect cellBounds(int ACol, int ARow) const;
  // The cell under a client point; nullopt ("no cell") outside the cells.
  std::optional<GridCoord> cellAtPoint(TPoint Point) const;
  // The column whose right-hand line lies under the point, where a press starts sizing it; -1
  // elsewhere.
  int columnSizeHit(TPoint Point) const;
  GridMouseState mouseState() const { return mouseState_; }

  // Moves a column (with its width and tab stop) to another place; columnMoved hears of it.
  void moveColumnTo(int FromIndex, int ToIndex);
  // Moves the pixels of an area of the client by whole pixels (a descendant scrolling its cells
  // by itself) and marks the uncovered strip for painting.
  void scrollCells(const TRect& Area, int DX, int DY);

  // Mark cells for the next paint.
  void repaintCell(int ACol, int ARow);
  void repaintRow(int ARow);
  void repaintColumn(int ACol);
  void repaintAll() { Invalidate(); }

  // Whether the grid fills each cell with its colour before DrawCell; a descendant that paints
  // every pixel of its cells switches it off. The brush holds the cell's colour either way.
  bool defaultCellFilling() const { return defaultCellFilling_; }
  void setDefaultCellFilling(bool Value) { defaultCellFilling_ = Value; }

  // The in-place editor over the current cell.
  bool cellEditorShown() const;
  // Shows the editor with the current cell's text, when the grid allows editing and CanEdit
  // agrees; the focus goes into it when the grid had it. Answers whether it is shown.
  bool showCellEditor();
  // Stores a changed text, gives the focus back to the grid and hides the editor; a refused
  // store or exit keeps it shown.
  void hideCellEditor();
  // Reads the current cell's text into the editor again and puts it over the cell.
  void refreshCellEditor();
  TInplaceEdit* cellEditor() const { return editor_; }

  // The vertical scroll bar: a descendant with a range of its own sets it here after the base
  // has laid it out (see updateVerticalScrollBar).
  void setVerticalScrollRange(int Minimum, int Maximum);
  void setVerticalScrollPosition(int Value);
  int verticalScrollPosition() const;
  std::pair<int, int> verticalScrollRange() const;

  TRect ClientRect() const override;
  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  bool MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  // The current cell shows whether the grid has the focus.
  void DoEnter() override;
  void DoExit() override;

  // Called by the editor: a key it does not edit with (Up, Down, Page Up and Down, Tab, Enter,
  // Escape) goes to the grid's KeyDown. Answers whether the grid took it.
  bool cellEditorKey(WORD& Key, TShiftState Shift);
  // Called by the editor as it loses the focus: stores a changed text once.
  void storeCellEditor();
  // Called by the editor for a typed character.
  bool cellEditorAcceptsKey(char Key) { return cellEditAcceptsKey(Key); }
  // Called by the editor before each change the user makes in it.
  bool cellEditorMayModify() { return CanEdit(); }

  TNotifyEvent OnScrollOriginChanged;
  TNotifyEvent OnColumnWidthsChanged;
  GridColumnMovedEvent OnColumnMoved;

 protected:
  // Paints one cell inside ARect (client coordinates, grid lines excluded) on canvas(), whose
  // brush holds the cell's colour and whose font is the grid's. The base paints nothing.
  virtual void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState);
  void Paint() override;
  virtual TInplaceEdit* makeCellEditor();
  void WindowCreated() override;
  void BoundsChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

  // Told after a change; the base calls the event.
  virtual void columnMoved(int FromIndex, int ToIndex);
  virtual void columnWidthsChanged();
  virtual void scrollOriginChanged();

  // The editing questions the base asks. CanEdit: may the current cell be edited now (asked
  // before the editor is shown and before each change the user makes in it); the base agrees.
  virtual bool CanEdit() { return true; }
  virtual bool cellEditAcceptsKey(char Key) { return true; }
  virtual AnsiString cellEditText(int ACol, int ARow) { return {}; }
  virtual void storeCellEditText(int ACol, int ARow, const AnsiString& Value) {}
  virtual AnsiString cellEditMask(int ACol, int ARow) { return {}; }
  // 0: no limit.
  virtual int cellEditMaxLength() { return 0; }

  // A move asked for by the vertical scroll bar; the base scrolls the rows. Position is the
  // bar's for the thumb moves.
  virtual void VerticalScroll(ScrollAction Action, int Position);
  // Lays the vertical bar out for the rows; a descendant with a range of its own overrides it.
  virtual void updateVerticalScrollBar();
  // Each tick of the grid's timer while the mouse holds a cell and lies outside the cells: the
  // base moves the current cell one step towards it.
  virtual void timerTick();
  IntervalTimer* gridTimer() const { return timer_; }

 private:
  void repaintCurrent();
  void checkColumn(int Index) const;
  void checkRow(int Index) const;
  // The client extent the scrolled cells may use, after the fixed ones.
  int scrollableWidth() const;
  int scrollableHeight() const;
  // The grid lines around a cell, client coordinates; the segments are filled with the brush.
  void paintLines(Canvas& canvas, const TRect& area, int firstColumn, int lastColumn, int firstRow, int lastRow);
  void paintCell(Canvas& canvas, int column, int row, const TRect& rect, bool gridFocused);
  GridCellStates stateOf(int column, int row, bool gridFocused) const;
  // The scroll origin that brings a cell wholly into view.
  int originShowing(const GridAxis& axis, int index, int available) const;
  void scrollIntoView(int column, int row);
  // Scrolls the pixels for an origin change that leaves part of the cells on screen.
  void shiftForOrigin(int oldColumn, int oldRow);
  void layoutScrollBars();
  void updateHorizontalScrollBar();
  void verticalBarAction(std::optional<ScrollAction> move);
  void horizontalBarAction(std::optional<ScrollAction> move);
  void placeCellEditor();
  void tabMove(bool Forward);
  // Moves the focus to the next control of the form outside the grid.
  void leaveGrid(bool Forward);
  void pageMove(int direction);
  bool allowsEditor() const;
  // What setting a count or fixed count would leave; raises before anything changes.
  static void checkCounts(int count, int fixed, const char* fixedMessage);

  GridAxis columns_;
  GridAxis rows_;
  std::vector<bool> noTab_;  // columns Tab skips; grown on demand
  int lineWidth_ = 1;
  TColor fixedColour_ = clBtnFace;
  GridOptions options_;
  GridScrollBars scrollBars_ = scrollBarsBoth;
  GridCoord current_;
  bool defaultCellFilling_ = true;

  GridMouseState mouseState_ = GridMouseState::normal;
  int sizingColumn_ = -1;
  int sizingStartX_ = 0;
  int sizingStartWidth_ = 0;
  int movingColumn_ = -1;
  TPoint lastMouse_;
  IntervalTimer* timer_ = nullptr;

  TInplaceEdit* editor_ = nullptr;
  GridCoord editing_;  // the cell the editor was filled from

  QPointer<QScrollBar> verticalBar_;
  QPointer<QScrollBar> horizontalBar_;
};
