#include "framework/ui/FormBase.h"

#include <QApplication>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/Focus.h"

FormBase::FormBase(TComponent* AOwner) : TWinControl(AOwner) {
  // A form shows only when told.
  SetVisible(false);
}

FormBase::~FormBase() = default;

void FormBase::SetActiveControl(TWinControl* Value) {
  if (Value == activeControl_) return;
  if (Value && !ContainsControl(Value)) return;
  if (Value && Active()) {
    Value->SetFocus();
    return;
  }
  setActiveControlQuietly(Value);
}

void FormBase::setActiveControlQuietly(TWinControl* Value) {
  if (Value == activeControl_) return;
  if (activeControl_) RemoveFreeNotification(activeControl_);
  activeControl_ = Value;
  if (activeControl_) FreeNotification(activeControl_);
}

bool FormBase::Active() const { return qn::ui::activeForm() == this; }

void FormBase::focusNextControl(bool GoForward) {
  if (TWinControl* next = FindNextControl(activeControl_, GoForward, true)) qn::ui::moveFocus(next);
}

QWidget* FormBase::MakeWidget(QWidget* parentWidget) {
  auto* widget = new ControlWidget<QWidget>(this, parentWidget);
  if (!parentWidget) widget->setAttribute(Qt::WA_DeleteOnClose, false);
  return widget;
}

void FormBase::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == activeControl_) activeControl_ = nullptr;
  TWinControl::Notification(AComponent, Operation);
}

FormBase* GetParentForm(const TControl* Control) {
  const TControl* top = Control;
  while (top && top->Parent()) top = top->Parent();
  return dynamic_cast<FormBase*>(const_cast<TControl*>(top));
}
