#pragma once
// TdcCustomDBGrid: the data-aware grid base. Each row shows one record of its data link's
// buffer window, each data column one field; the columns come from the dataset's visible fields
// or from the grid's Selected list (field, width in characters, title with '~' line breaks,
// "T" for read-only). It follows the dataset only through its link's notifications, so a move
// costs the same however large the table is: the link's window holds just the rows that fit.
#include <functional>
#include <memory>
#include <vector>

#include "datagrid/DBGridColumn.h"
#include "datagrid/DBGridOptions.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/FieldControlTypes.h"
#include "datagrid/GridDataLink.h"
#include "datagrid/ValidateEvent.h"
#include "framework/base/Exception.h"
#include "framework/base/StringList.h"
#include "framework/db/DbTypes.h"
#include "framework/base/Alignment.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/CustomGrid.h"

class TDataSource;
class TDataSet;
class TField;
class TFont;
class BitmapImage;
class TdcIButton;
class ImageStrip;
class IntervalTimer;
struct FieldControlType;

QN_EXCEPTION(EInvalidGridOperation, Exception)

using TdcLeftColChangedEvent = std::function<void(TObject* Sender, int NewLeftCol)>;
using TColWidthChangedEvent = std::function<void(TObject* Sender, int Column)>;
using TdcFieldChangedEvent = std::function<void(TObject* Sender, TField* Field)>;
using TCalcCellColorsEvent = std::function<void(TObject* Sender, TField* Field, GridCellStates State, bool Highlight,
                                                TFont* AFont, CanvasBrush& ABrush)>;
using TCalcTitleAttributesEvent = std::function<void(TObject* Sender, const AnsiString& AFieldName, TFont* AFont,
                                                     CanvasBrush& ABrush, TAlignment& ATitleAlignment)>;
using TdcDrawTitleCellEvent =
    std::function<void(TObject* Sender, Canvas& ACanvas, TField* Field, const TRect& Rect, bool& DefaultDrawing)>;
// How a title shows its image; OnCalcTitleImage may change each part.
struct TdcTitleImageAttributes {
  int ImageIndex = -1;  // none
  TAlignment Alignment = taRightJustify;
  int Margin = 3;
};
using TdcCalcTitleImageEvent =
    std::function<void(TObject* Sender, TField* Field, TdcTitleImageAttributes& TitleImageAttributes)>;
using TTitleButtonClickEvent = std::function<void(TObject* Sender, const AnsiString& AFieldName)>;
using TdcDrawDataCellEvent = std::function<void(TObject* Sender, const TRect& Rect, TField* Field, GridCellStates State)>;
using TDrawFooterCellEvent = std::function<void(TObject* Sender, Canvas& ACanvas, const TRect& FooterCellRect, TField* Field,
                                                const AnsiString& FooterText, bool& DefaultDrawing)>;

class TdcCustomDBGrid : public TCustomGrid {
  QN_CLASS(TdcCustomDBGrid, TCustomGrid)
 public:
  explicit TdcCustomDBGrid(TComponent* AOwner);
  ~TdcCustomDBGrid() override;

  TDataSource* DataSource() const { return link_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  TdcGridDataLink& DataLink() const { return *link_; }

  TdcDBGridOptions DBOptions() const { return dbOptions_; }
  void SetDBOptions(TdcDBGridOptions Value);
  TdcDBGridKeyOptions KeyOptions() const { return keyOptions_; }
  void SetKeyOptions(TdcDBGridKeyOptions Value) { keyOptions_ = Value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value) { readOnly_ = Value; }
  bool UseTFields() const { return useTFields_; }
  void SetUseTFields(bool Value);
  bool EditCalculated() const { return editCalculated_; }
  void SetEditCalculated(bool Value);
  // The column list; change it, then call LayoutColumns.
  TStrings& Selected() { return selected_; }

  TFont* TitleFont() const { return titleFont_.get(); }
  void SetTitleFont(TFont* Value);
  int TitleLines() const { return titleLines_; }
  void SetTitleLines(int Value);
  int RowHeightPercent() const { return rowHeightPercent_; }
  void SetRowHeightPercent(int Value);
  int FooterHeight() const { return footerHeight_; }
  void SetFooterHeight(int Value);
  bool ShowVertScrollBar() const { return showVertScrollBar_; }
  void SetShowVertScrollBar(bool Value);
  int IndicatorWidth() const { return indicatorWidth_; }
  // The button over the top-left cell; the indicator column becomes its width less 1.
  TdcIButton* IndicatorButton() const { return indicatorButton_; }
  void SetIndicatorButton(TdcIButton* Value);
  void IndicatorButtonResized();
  // How far below the title cell's top its text starts (lower when the button makes the row taller).
  int TitleTextOffset() const { return titleTextOffset_; }

  int GetFieldCount() const { return link_->FieldCount(); }
  TField* GetFields(int Index) const { return link_->Fields(Index); }
  // The current data column (the base grid's column less the indicator).
  int SelectedIndex() const { return Col() - indicatorOffset_; }
  virtual void SetSelectedIndex(int Index);
  TField* SelectedField() const { return GetFields(SelectedIndex()); }
  TdcColumn& ColumnByName(const AnsiString& FieldName);
  TdcColumn& ColumnByIndex(int Index);
  int GetColWidths(int Index) const { return columnWidth(Index); }
  // Sets a base-grid column's width without writing it back to the fields or Selected.
  void SetColWidths(int Index, int Width);
  // Rows of records the grid shows at once.
  int VisibleRowCount() const { return visibleRows_; }
  int TitleOffset() const { return titleOffset_; }
  int IndicatorOffset() const { return indicatorOffset_; }
  // The footer band's rectangle in client coordinates; empty without dgShowFooter.
  virtual TRect GetFooterRect() const;
  // Marks a client rectangle for the next paint.
  void invalidateArea(const TRect& Area);

  virtual void LayoutColumns();
  virtual void UpdateLayout();
  void UpdateRowCount();
  void UpdateActive();
  virtual void UpdateFooter();
  virtual void Scroll(int Distance);
  virtual void CheckRowChanged();
  virtual void UpdateData();
  // One record on or back, as the scroll bar's line moves and the arrow keys ask.
  void NextRecord();
  void PriorRecord();
  // The text a data cell shows: the field's display text here; the published grid reads memos,
  // rich text and the values its cell controls map.
  virtual AnsiString GetCellText(TField* Field);
  // The marks of the visible rows, kept by the published grid; nothing here.
  virtual void RefreshSelectedMarks() {}
  // The indicator glyphs every grid shares; nullptr while no grid lives.
  enum IndicatorKind { indicatorBrowse, indicatorEdit, indicatorInsert };
  static const BitmapImage* IndicatorBitmap(IndicatorKind Kind);

  TNotifyEvent OnRowChanged;
  TNotifyEvent OnCellChanged;
  TNotifyEvent OnTopRowChanged;
  TdcLeftColChangedEvent OnLeftColChanged;
  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TColWidthChangedEvent OnColWidthChanged;
  TdcFieldChangedEvent OnFieldChanged;
  TNotifyEvent OnUpdateFooter;

  // ---- drawing ----
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool Value) { defaultDrawing_ = Value; }
  TColor TitleColor() const { return titleColor_; }
  void SetTitleColor(TColor Value);
  TAlignment TitleAlignment() const { return titleAlignment_; }
  void SetTitleAlignment(TAlignment Value);
  bool TitleButtons() const { return titleButtons_; }
  void SetTitleButtons(bool Value);
  TIndicatorColorType IndicatorColor() const { return indicatorColor_; }
  void SetIndicatorColor(TIndicatorColorType Value);
  TColor FooterColor() const { return footerColor_; }
  void SetFooterColor(TColor Value);
  TColor FooterCellColor() const { return footerCellColor_; }
  void SetFooterCellColor(TColor Value);
  // The canvas cells are painted on: the drag image's while it is being made, else the grid's.
  Canvas& GetPaintCanvas();
  // How far below the grid's top the image of a dragged column follows the mouse.
  int DragVertOffset() const { return dragVertOffset_; }
  void SetDragVertOffset(int Value) { dragVertOffset_ = Value; }
  TdcMultiSelectOptions MultiSelectOptions() const { return multiSelectOptions_; }
  void SetMultiSelectOptions(TdcMultiSelectOptions Value) { multiSelectOptions_ = Value; }
  // Whether a column drag is under way (the mouse has moved far enough from the press).
  bool ColumnDragStarted() const;
  // Text in a cell (the free function of the same name).
  void DrawEditTextInRect(Canvas& ACanvas, const TRect& Rect, int Margin, unsigned Flags, TAlignment Alignment,
                          const AnsiString& Text, int TopOffset);
  // Images of the "ImageIndex" cells and of the titles; not owned, nullptr for none.
  ImageStrip* ImageList() const { return imageList_; }
  void SetImageList(ImageStrip* Value);
  ImageStrip* TitleImageList() const { return titleImageList_; }
  void SetTitleImageList(ImageStrip* Value);
  // The field's ControlType line (type and params); in this base the dataset's list.
  virtual FieldControlType GetControlType(TField* Field);
  // A 10 x 10 check box in the middle of the cell Rect; Col is the grid column.
  virtual void DrawCheckBox(const TRect& Rect, int Col, bool Checked, int Row);
  // Row counted in data rows.
  virtual bool HighlightCell(int DataCol, int DataRow, GridCellStates State, const AnsiString& Text);
  virtual TColor GetGridColor() { return Color(); }

  TCalcCellColorsEvent OnCalcCellColors;
  TCalcTitleAttributesEvent OnCalcTitleAttributes;
  TdcDrawTitleCellEvent OnDrawTitleCell;
  TdcDrawDataCellEvent OnDrawDataCell;
  TDrawFooterCellEvent OnDrawFooterCell;
  TdcCalcTitleImageEvent OnCalcTitleImage;
  TTitleButtonClickEvent OnTitleButtonClick;
  // Fired by the in-place editor, the Sender, after each change of its text.
  TdcValidateEvent OnCheckValue;

  TRect ClientRect() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 protected:
  friend class TdcGridDataLink;

  virtual void DefineFieldMap();
  virtual void SetColumnAttributes();
  virtual void LinkActive(bool Value);
  // Filled by the grid that mounts cell controls.
  virtual bool HasCellControl(int DataColumn) { return false; }
  virtual void HideCustomControl() {}
  // A column made read-only by the "T" of its Selected line.
  bool readOnlyFlag(int DataColumn) const;
  // Entering a column (OnColEnter, then the cell change) and leaving one (OnColExit).
  virtual void ColEnter();
  virtual void ColExit();
  virtual void DoTopRowChanged();
  virtual void DoRowChanged();
  virtual void DoCellChanged();
  virtual void DoFieldChanged(TField* Field);
  virtual void DoUpdateFooter();

  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override;
  void Paint() override;
  virtual void DoCalcCellColors(TField* Field, GridCellStates State, bool Highlight, CanvasBrush& Brush, TFont* Font);
  virtual void DoCalcTitleAttributes(const AnsiString& FieldName, TFont* Font, CanvasBrush& Brush, TAlignment& Alignment);
  virtual void DoDrawTitleCell(Canvas& ACanvas, TField* Field, const TRect& Rect, bool& Default);
  void DoDrawDataCell(const TRect& Rect, TField* Field, GridCellStates State);
  virtual void DoCalcTitleImage(TField* Field, TdcTitleImageAttributes& Attributes);
  // The 3-D edges of a painted cell, once per cell; the pen keeps its colour.
  void DrawCellEdges(int ACol, int ARow, const TRect& Rect);
  // Whether the record in the link's active buffer carries a multi-select mark; the marks belong
  // to the published grid.
  virtual bool ActiveRecordMarked() { return false; }
  // Multi-select marks of the current record; the published grid keeps them.
  virtual void SelectRecord() {}
  virtual void UnselectRecord() {}
  virtual void UnselectAll() {}
  // The record a Shift range starts from; anchorReplaced_ tells that SelectRecord has just set it.
  TBookmarkStr shiftAnchor_;
  bool anchorReplaced_ = false;
  // While a Tab (or a press on another row) carries the current cell to another record: no
  // immediate repaint, no editor shown on the way.
  bool tabMove_ = false;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void timerTick() override;
  // What the painting of the current cell has found so far.
  struct CellPaintFlags {
    bool highlighted = false;
    bool focusRectDrawn = false;
    bool edgesDrawn = false;
    bool brushStayedWhite = false;
  };
  CellPaintFlags cellFlags_;
  virtual void DoTitleButtonClick(const AnsiString& FieldName);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The pressed title cell (column, row), -1 when none.
  GridCoord pressedTitle_{-1, -1};
  TPoint titlePressPoint_{};
  void WindowCreated() override;
  void BoundsChanged() override;
  void Loaded() override;
  void FontChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoExit() override;
  void columnMoved(int FromIndex, int ToIndex) override;
  void columnWidthsChanged() override;
  void scrollOriginChanged() override;
  bool CanEdit() override;
  TInplaceEdit* makeCellEditor() override;
  bool cellEditAcceptsKey(char Key) override;
  AnsiString cellEditText(int ACol, int ARow) override;
  void storeCellEditText(int ACol, int ARow, const AnsiString& Value) override;
  AnsiString cellEditMask(int ACol, int ARow) override;
  int cellEditMaxLength() override;
  void VerticalScroll(ScrollAction Action, int Position) override;
  void updateVerticalScrollBar() override;

 private:
  bool linkActive() const { return link_->Active(); }
  // Whether the shown editor's text fails its field's mask while the record is changed: then the
  // text is selected and the dataset's OnInvalidValue told, or, without one, an error raised.
  bool editorTextRefused();
  TDataSet* dataSet() const;
  bool browsing() const;
  bool editingState() const;
  int textWidthIn(TFont* font, const AnsiString& text);
  int textHeightIn(TFont* font, const AnsiString& text);
  void setRowHeights();
  void rebuildColumns();
  // The Selected line of a data column when the columns come from Selected; empty otherwise.
  std::vector<AnsiString> selectedTokens(int DataColumn) const;
  void invalidateRow(int Row);
  void invalidateEditorIfStale();
  void repaintAfterMove();
  // Takes the current bookmark of ds in place of remembered; true when it names another record.
  static bool replaceBookmark(TDataSet* ds, TBookmarkStr& remembered);
  void titleFontChanged();
  bool followingParentFont_ = false;
  void applyBaseOptions();
  // What the data link passes on.
  void editingChanged();
  void recordChanged(TField* Field);
  void writeEditText();
  // A shown editor's changed text becomes the text to write.
  void takeEditorText();
  // The footer band's height below the rows, 0 without dgShowFooter.
  int footerExtent() const;
  // Whole data rows the client holds below the titles.
  int rowsThatFit() const;
  // Rows a record moves by, in pixels.
  int rowPitch() const;
  // Painting, one kind of cell each.
  void drawTitleCell(Canvas& c, int ACol, int ARow, const TRect& rect);
  void drawTitleButtonEdges(Canvas& c, const TRect& rect, bool pressed);
  void drawIndicatorCell(Canvas& c, int ARow, const TRect& rect);
  void drawIndicatorGlyph(Canvas& c, const TRect& rect, const BitmapImage& glyph);
  void drawDataCell(Canvas& c, int ACol, int ARow, const TRect& rect, GridCellStates state);
  unsigned dataTextFlags(const TRect& rect);
  // Cells of the ControlType kinds; false when the field is not one of them.
  bool drawCellKind(Canvas& c, int ACol, int ARow, const TRect& rect, GridCellStates state);
  // The background every cell kind starts from; answers whether the cell is highlighted.
  bool paintCellKindBackground(Canvas& c, TField* field, int ACol, const TRect& rect, GridCellStates state);
  void drawCheckBoxCell(Canvas& c, TField* field, const AnsiString& params, int ACol, int ARow, const TRect& rect,
                        GridCellStates state);
  void drawBitmapCell(Canvas& c, TField* field, const AnsiString& params, int ACol, int ARow, const TRect& rect,
                      GridCellStates state);
  void drawImageIndexCell(Canvas& c, TField* field, const AnsiString& params, int ACol, const TRect& rect,
                          GridCellStates state);
  // The field whose blob holds the picture of a bitmap cell; nullptr when there is none.
  TField* imageFieldOf(TField* field);
  void drawTitleImage(Canvas& c, const TRect& rect, const TdcTitleImageAttributes& image, TRect& textRect);
  // Mouse presses.
  void pressTitle(GridCoord cell, int X, int Y);
  void pressDataCell(GridCoord cell, TShiftState Shift);
  void pressForMultiSelect(GridCoord cell, TShiftState Shift, TMouseButton Button);
  // The column-drag loop: from a title press until the button comes up, the capture goes or the
  // program is told to end.
  void runColumnDrag(GridCoord cell, int X, int Y);
  void startColumnDrag();
  void moveColumnDrag(int X);
  void columnDragTick();
  void dropColumn(int X, int Y);
  void invalidateDragImage();
  GridCoord dragCell_{-1, -1};  // the title pressed for a drag, -1 when none
  TPoint dragPress_{};
  bool dragStarted_ = false;
  int dragX_ = 0;  // where the image's left edge is
  bool dragRight_ = true;
  std::unique_ptr<BitmapImage> dragImage_;
  IntervalTimer* dragTimer_ = nullptr;
  bool dragImageBuilding_ = false;
  int dragVertOffset_ = 15;
  TdcMultiSelectOptions multiSelectOptions_;
  // A press in a data cell holds the mouse: beyond the rows the grid scrolls.
  bool selectingByMouse_ = false;
  TPoint mouseAt_{};
  bool activeControlOfForm() const;
  void paintFooter();
  // Keys.
  void baseKeyDown(WORD& Key, TShiftState Shift);
  void downRecord();
  void tabMoveAcrossRecords(bool Forward);
  void deleteRecordByKey();
  void drawFooterCell(Canvas& c, const TRect& rect, int DataCol);

  std::unique_ptr<TdcGridDataLink> link_;
  TdcDBGridOptions dbOptions_ = kDefaultDBGridOptions;
  TdcDBGridKeyOptions keyOptions_{dgAllowDelete, dgAllowInsert};
  bool readOnly_ = false;
  bool useTFields_ = true;
  bool editCalculated_ = false;
  bool showVertScrollBar_ = true;
  StringList selected_;
  std::unique_ptr<TFont> titleFont_;
  bool titleFontFollows_ = true;  // ParentFont of the title font
  int titleLines_ = 1;
  int rowHeightPercent_ = 100;
  int footerHeight_ = 0;
  int indicatorWidth_ = 11;
  TdcIButton* indicatorButton_ = nullptr;
  int titleTextOffset_ = 2;
  bool defaultDrawing_ = true;
  TColor titleColor_ = clBtnFace;
  TAlignment titleAlignment_ = taLeftJustify;
  bool titleButtons_ = false;
  TIndicatorColorType indicatorColor_ = icBlack;
  TColor footerColor_ = clBtnFace;
  TColor footerCellColor_ = clBtnFace;
  ImageStrip* imageList_ = nullptr;
  ImageStrip* titleImageList_ = nullptr;

  std::vector<std::unique_ptr<TdcColumn>> columns_;
  TdcColumn standBy_{this, AnsiString()};

  int titleOffset_ = 1;
  int indicatorOffset_ = 1;
  int visibleRows_ = 0;
  int lastIndicatedRow_ = -1;
  AnsiString editText_;
  TBookmarkStr rowBookmark_;
  TBookmarkStr footerBookmark_;
  bool footerDirty_ = false;
  bool inLayout_ = false;
  bool inRowCount_ = false;
  bool sizing_ = false;
  bool inColExit_ = false;
  bool colEnterPending_ = false;
  bool suppressCellChanged_ = false;
  int lastEnteredColumn_ = -1;
  int leftColumn_ = -1;
  std::vector<int> laidWidths_;  // widths as the layout set them, to find the column the user sized
};
