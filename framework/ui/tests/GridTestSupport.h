#pragma once
// What the grid tests share: a text grid that records the cells it draws and the texts it stores,
// and a shown, active form holding it beside an ordinary edit.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "framework/ui/Edit.h"
#include "framework/ui/InplaceEdit.h"
#include "framework/ui/TextGrid.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {

class TRecordingGrid : public TextGrid {
  QN_CLASS(TRecordingGrid, TextGrid)
 public:
  explicit TRecordingGrid(TComponent* owner) : TextGrid(owner) {}

  std::map<std::pair<int, int>, int> drawn;  // (column, row) -> times drawn
  std::vector<std::string> stored;           // "column,row=text" per store
  bool editable = true;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override {
    ++drawn[{ACol, ARow}];
    TextGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  bool CanEdit() override { return editable; }
  void storeCellEditText(int ACol, int ARow, const AnsiString& Value) override {
    stored.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Value);
    TextGrid::storeCellEditText(ACol, ARow, Value);
  }
};

// A form with the grid first in tab order and an edit after it; the grid has the focus.
class GridFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    form->SetBounds(100, 100, 500, 400);
    grid = new TRecordingGrid(form);
    grid->SetName("grid");
    grid->SetParent(form);
    other = new TEdit(form);
    other->SetName("other");
    other->SetBounds(10, 340, 100, 24);
    other->SetParent(form);
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    grid->SetFocus();
  }
  void TearDown() override { delete form; }

  // A key pressed and released where the focus is, through the key route.
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid->Window();
    QTest::keyClick(target, k, m);
  }
  void setOption(GridOption option, bool on) {
    GridOptions options = grid->Options();
    if (on) options.Include(option);
    else options.Exclude(option);
    grid->SetOptions(options);
  }
  // Each character goes where the focus is when it is typed (the first may open an editor).
  void type(const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClick(QApplication::focusWidget(), *c);
  }

  void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* widget = grid->Window();
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }
  void press(QPoint at) { mouse(QEvent::MouseButtonPress, at, Qt::LeftButton); }
  void moveTo(QPoint at) { mouse(QEvent::MouseMove, at, Qt::LeftButton); }
  void release(QPoint at) { mouse(QEvent::MouseButtonRelease, at, Qt::NoButton); }

  TTestForm* form = nullptr;
  TRecordingGrid* grid = nullptr;
  TEdit* other = nullptr;
};

}  // namespace qn::ui::testing
