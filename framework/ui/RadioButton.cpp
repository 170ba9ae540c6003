#include "framework/ui/RadioButton.h"

#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// The circle shows the control's state; the control alone changes it, and Qt's own grouping of
// sibling buttons stays out of the way.
class RadioWidget : public ControlWidget<QRadioButton> {
 public:
  RadioWidget(TWinControl* control, QWidget* parent) : ControlWidget(control, parent) { setAutoExclusive(false); }

 protected:
  void nextCheckState() override {}
};

}  // namespace

void RadioButton::PublishProperties(PropertyPublisher<RadioButton>& publish) {
  publish.String("Caption", &RadioButton::Caption, &RadioButton::SetCaption);
  publish.Boolean("Checked", &RadioButton::Checked, &RadioButton::SetChecked);
  publish.Enumeration("Alignment", kAlignmentType, &RadioButton::Alignment, &RadioButton::SetAlignment);
}

RadioButton::RadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(Left(), Top(), 113, 17);
}

void RadioButton::SetChecked(bool Value) {
  if (Value == checked_) return;
  checked_ = Value;
  showChecked();
  if (!Value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      if (auto* other = dynamic_cast<RadioButton*>(parent->Controls(i)); other && other != this) other->SetChecked(false);
    }
  }
  qn::ui::callHandler(OnClick, this);
}

void RadioButton::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  if (QWidget* w = widgetIfAny()) w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void RadioButton::Click() { SetChecked(true); }

void RadioButton::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (Key != ' ') return;
  Key = 0;
  Click();
}

TWantedKeys RadioButton::WantedKeys() const { return {wkArrows}; }

void RadioButton::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  const bool back = Key == VK_LEFT || Key == VK_UP;
  if (!(back || Key == VK_RIGHT || Key == VK_DOWN) || !Parent()) return;
  Key = 0;
  std::vector<RadioButton*> set;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    if (auto* button = dynamic_cast<RadioButton*>(Parent()->Controls(i)); button && button->Visible() && button->Enabled())
      set.push_back(button);
  }
  const auto self = std::find(set.begin(), set.end(), this);
  if (self == set.end() || set.size() < 2) return;
  const std::size_t here = static_cast<std::size_t>(self - set.begin());
  RadioButton* next = set[(here + (back ? set.size() - 1 : 1)) % set.size()];
  ControlRef nextRef(next);
  next->SetFocus();
  if (nextRef && next->Focused()) next->SetChecked(true);
}

QWidget* RadioButton::MakeWidget(QWidget* parentWidget) { return new RadioWidget(this, parentWidget); }

void RadioButton::showChecked() {
  if (auto* circle = static_cast<QRadioButton*>(widgetIfAny())) circle->setChecked(checked_);
}

void RadioButton::WindowCreated() {
  TWinControl::WindowCreated();
  static_cast<QRadioButton*>(widgetIfAny())->setText(QString::fromStdString(qn::ansiToUtf8(text_)));
  SetAlignment(alignment_);
  showChecked();
}

void RadioButton::TextChanged() {
  if (auto* circle = static_cast<QRadioButton*>(widgetIfAny())) circle->setText(QString::fromStdString(qn::ansiToUtf8(text_)));
  TWinControl::TextChanged();
}
