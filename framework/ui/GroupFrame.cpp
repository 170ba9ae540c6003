#include "framework/ui/GroupFrame.h"

#include <QGroupBox>
#include <algorithm>

#include "framework/ui/ControlWidget.h"
#include "framework/ui/CodePageFont.h"

void GroupFrame::PublishProperties(PropertyPublisher<GroupFrame>& publish) {
  publish.String("Caption", &GroupFrame::Caption, &GroupFrame::SetCaption);
}

GroupFrame::GroupFrame(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(Left(), Top(), 185, 105); }

TRect GroupFrame::ClientRect() const {
  const int captionHeight = qn::ui::CodePageFont::of(*Font(), Screen->PixelsPerInch())->metrics().height();
  const int inset = 2;
  return {inset, captionHeight + inset, std::max(inset, Width() - inset), std::max(captionHeight + inset, Height() - inset)};
}

QWidget* GroupFrame::MakeWidget(QWidget* parentWidget) { return new ControlWidget<QGroupBox>(this, parentWidget); }

void GroupFrame::WindowCreated() {
  TWinControl::WindowCreated();
  static_cast<QGroupBox*>(widgetIfAny())->setTitle(QString::fromStdString(qn::ansiToUtf8(text_)));
}

void GroupFrame::TextChanged() {
  if (auto* box = static_cast<QGroupBox*>(widgetIfAny())) box->setTitle(QString::fromStdString(qn::ansiToUtf8(text_)));
  TWinControl::TextChanged();
}

void GroupFrame::FontChanged() {
  TWinControl::FontChanged();
  AlignControls();
}
