#include "framework/ui/CheckBox.h"

#include <QCheckBox>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"

const EnumerationType kCheckBoxStateType{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};

namespace {

// The box shows the control's state; the control alone changes it.
class CheckBoxWidget : public ControlWidget<QCheckBox> {
 public:
  using ControlWidget::ControlWidget;

 protected:
  void nextCheckState() override {}
};

}  // namespace

void CheckBox::PublishProperties(PropertyPublisher<CheckBox>& publish) {
  publish.String("Caption", &CheckBox::Caption, &CheckBox::SetCaption);
  publish.Enumeration("State", kCheckBoxStateType, &CheckBox::State, &CheckBox::SetState);
  publish.Boolean("Checked", &CheckBox::Checked, &CheckBox::SetChecked);
  publish.Boolean("AllowGrayed", &CheckBox::AllowGrayed, &CheckBox::SetAllowGrayed);
  publish.Enumeration("Alignment", kAlignmentType, &CheckBox::Alignment, &CheckBox::SetAlignment);
}

CheckBox::CheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(Left(), Top(), 97, 17);
}

void CheckBox::SetState(TCheckBoxState Value) {
  if (Value == state_) return;
  state_ = Value;
  showState();
  qn::ui::callHandler(OnClick, this);
}

void CheckBox::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  if (QWidget* w = widgetIfAny()) w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void CheckBox::Click() {
  switch (state_) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
  }
}

void CheckBox::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (Key != ' ') return;
  Key = 0;
  Click();
}

QWidget* CheckBox::MakeWidget(QWidget* parentWidget) { return new CheckBoxWidget(this, parentWidget); }

void CheckBox::showState() {
  auto* box = static_cast<QCheckBox*>(widgetIfAny());
  if (!box) return;
  box->setTristate(state_ == cbGrayed || allowGrayed_);
  box->setCheckState(state_ == cbChecked ? Qt::Checked : state_ == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CheckBox::WindowCreated() {
  TWinControl::WindowCreated();
  static_cast<QCheckBox*>(widgetIfAny())->setText(QString::fromStdString(qn::ansiToUtf8(text_)));
  SetAlignment(alignment_);
  showState();
}

void CheckBox::TextChanged() {
  if (auto* box = static_cast<QCheckBox*>(widgetIfAny())) box->setText(QString::fromStdString(qn::ansiToUtf8(text_)));
  TWinControl::TextChanged();
}
