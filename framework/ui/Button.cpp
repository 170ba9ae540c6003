#include "framework/ui/Button.h"

#include <QPushButton>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/Form.h"
#include "framework/ui/VirtualKeys.h"

void TButton::PublishProperties(PropertyPublisher<TButton>& publish) {
  publish.String("Caption", &TButton::Caption, &TButton::SetCaption);
  publish.Boolean("Default", &TButton::Default, &TButton::SetDefault);
  publish.Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel);
  publish.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(Left(), Top(), 75, 25);
}

void TButton::SetDefault(bool Value) {
  default_ = Value;
  if (auto* button = static_cast<QPushButton*>(widgetIfAny())) button->setDefault(Value);
}

void TButton::Click() {
  if (modalResult_ != mrNone) {
    if (auto* form = dynamic_cast<TForm*>(GetParentForm(this))) form->SetModalResult(modalResult_);
  }
  TWinControl::Click();
}

void TButton::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (Key != ' ') return;
  Key = 0;
  Click();
}

QWidget* TButton::MakeWidget(QWidget* parentWidget) {
  auto* button = new ControlWidget<QPushButton>(this, parentWidget);
  // Our key route and mouse route decide what presses the button; Qt's own default-button
  // handling would press it a second time.
  button->setAutoDefault(false);
  return button;
}

void TButton::WindowCreated() {
  TWinControl::WindowCreated();
  auto* button = static_cast<QPushButton*>(widgetIfAny());
  button->setText(QString::fromStdString(qn::ansiToUtf8(text_)));
  button->setDefault(default_);
}

void TButton::TextChanged() {
  if (auto* button = static_cast<QPushButton*>(widgetIfAny())) button->setText(QString::fromStdString(qn::ansiToUtf8(text_)));
  TWinControl::TextChanged();
}

namespace qn::ui {

namespace {

TButton* findButton(const TWinControl* parent, bool (TButton::*wanted)() const) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    if (auto* button = dynamic_cast<TButton*>(child); button && (button->*wanted)() && button->Showing() && button->Enabled())
      return button;
    if (auto* container = dynamic_cast<TWinControl*>(child)) {
      if (TButton* found = findButton(container, wanted)) return found;
    }
  }
  return nullptr;
}

}  // namespace

bool pressDialogButton(FormBase* form, WORD Key) {
  TButton* button = nullptr;
  if (Key == VK_RETURN) {
    button = dynamic_cast<TButton*>(form->ActiveControl());
    if (!button) button = findButton(form, &TButton::Default);
  } else if (Key == VK_ESCAPE) {
    button = findButton(form, &TButton::Cancel);
  }
  if (!button) return false;
  button->Click();
  return true;
}

}  // namespace qn::ui
