#pragma once
// The smallest and largest size a control may take; 0 means no limit.
#include "framework/base/NotifyEvent.h"
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"

class TSizeConstraints : public TPersistent {
  QN_PUBLISHED_CLASS(TSizeConstraints, TPersistent)
 public:
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int Value) { set(minWidth_, Value); }
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int Value) { set(minHeight_, Value); }
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int Value) { set(maxWidth_, Value); }
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int Value) { set(maxHeight_, Value); }

  // The width and height brought inside the limits.
  int ConstrainWidth(int Width) const { return constrain(Width, minWidth_, maxWidth_); }
  int ConstrainHeight(int Height) const { return constrain(Height, minHeight_, maxHeight_); }

  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  static int constrain(int value, int min, int max);
  void set(int& field, int value);

  int minWidth_ = 0;
  int minHeight_ = 0;
  int maxWidth_ = 0;
  int maxHeight_ = 0;
};
