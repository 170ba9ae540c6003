#include "framework/ui/SizeConstraints.h"

void TSizeConstraints::PublishProperties(PropertyPublisher<TSizeConstraints>& publish) {
  publish.Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
  publish.Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
  publish.Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
  publish.Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
}

int TSizeConstraints::constrain(int value, int min, int max) {
  if (max > 0 && value > max) value = max;
  if (min > 0 && value < min) value = min;
  return value;
}

void TSizeConstraints::set(int& field, int value) {
  if (value < 0) value = 0;
  if (field == value) return;
  field = value;
  if (OnChange) OnChange(this);
}

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TSizeConstraints*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  minWidth_ = other->minWidth_;
  minHeight_ = other->minHeight_;
  maxWidth_ = other->maxWidth_;
  maxHeight_ = other->maxHeight_;
  if (OnChange) OnChange(this);
}
