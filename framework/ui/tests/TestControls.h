#pragma once
// Small controls the framework tests drive: an edit over QLineEdit (text kept across a remade
// window, a change handler fired by the line edit's signal), a combo over QComboBox, a container,
// a windowless clickable control and a form, with a log of the handlers they run.
#include <QComboBox>
#include <QLineEdit>
#include <string>
#include <vector>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/SafeDispatch.h"

namespace qn::ui::testing {

using Log = std::vector<std::string>;

class TTestEdit : public TWinControl {
  QN_CLASS(TTestEdit, TWinControl)
 public:
  explicit TTestEdit(TComponent* owner, TWinControl* parent = nullptr, const char* name = nullptr) : TWinControl(owner) {
    if (name) SetName(name);
    SetTabStop(true);
    SetBounds(0, 0, 80, 20);
    if (parent) SetParent(parent);
  }
  QLineEdit* lineEdit() { return static_cast<QLineEdit*>(Window()); }

  TWantedKeys wanted;
  TWantedKeys WantedKeys() const override { return wanted; }
  TNotifyEvent OnChange;
  int wheelSteps = 0;
  bool MouseWheel(TShiftState, int WheelDelta, TPoint) override {
    wheelSteps += WheelDelta / 120;
    return true;
  }
  // What the edit shows, read from its widget when it has one.
  AnsiString GetText() const override {
    if (auto* w = static_cast<QLineEdit*>(widgetIfAny())) return w->text().toStdString();
    return text_;
  }
  int selectionStart = 0;

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override {
    auto* edit = new ControlWidget<QLineEdit>(this, parentWidget);
    QObject::connect(edit, &QLineEdit::textChanged, [this] {
      qn::ui::guarded(this, [this] {
        qn::ui::callHandler(OnChange, this);
      });
    });
    return edit;
  }
  void SetTextValue(const AnsiString& Value) override {
    text_ = Value;
    auto* w = static_cast<QLineEdit*>(widgetIfAny());
    if (!w) return;
    qn::ui::CallbackExceptionCarrier carrier;
    w->setText(QString::fromStdString(Value));
    carrier.rethrow();
  }
  void WindowCreated() override {
    TWinControl::WindowCreated();
    auto* w = static_cast<QLineEdit*>(widgetIfAny());
    const QSignalBlocker quiet(w);
    w->setText(QString::fromStdString(text_));
    w->setCursorPosition(selectionStart);
  }
  void WindowDestroying() override {
    auto* w = static_cast<QLineEdit*>(widgetIfAny());
    text_ = w->text().toStdString();
    selectionStart = w->cursorPosition();
    TWinControl::WindowDestroying();
  }
};

class TTestCombo : public TWinControl {
  QN_CLASS(TTestCombo, TWinControl)
 public:
  explicit TTestCombo(TComponent* owner, TWinControl* parent) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 80, 20);
    SetParent(parent);
  }
  QComboBox* combo() { return static_cast<QComboBox*>(Window()); }

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override {
    auto* combo = new ControlWidget<QComboBox>(this, parentWidget);
    combo->addItems({"one", "two", "three"});
    return combo;
  }
};

class TTestPanel : public TWinControl {
  QN_CLASS(TTestPanel, TWinControl)
 public:
  explicit TTestPanel(TComponent* owner, TWinControl* parent, const char* name = nullptr) : TWinControl(owner) {
    if (name) SetName(name);
    SetBounds(0, 0, 200, 100);
    SetParent(parent);
  }
};

// A control without a window (a speed button).
class TTestGraphic : public TControl {
  QN_CLASS(TTestGraphic, TControl)
 public:
  explicit TTestGraphic(TComponent* owner, TWinControl* parent) : TControl(owner) {
    SetBounds(150, 150, 30, 20);
    SetParent(parent);
  }
};

class TTestForm : public FormBase {
  QN_CLASS(TTestForm, FormBase)
 public:
  explicit TTestForm(TComponent* owner = nullptr) : FormBase(owner) { SetBounds(100, 100, 400, 300); }
  std::vector<std::string> dialogKeys;
  bool DialogKey(WORD Key, TShiftState) override {
    dialogKeys.push_back(std::to_string(Key));
    return false;
  }
};

}  // namespace qn::ui::testing
