#pragma once
// What a borrowed lookup control offers the record view: reading its bound record's display text
// again. The lookup combo implements it; the record view reaches it without naming its class.

class DisplayRefresh {
 public:
  virtual ~DisplayRefresh() = default;
  virtual void RefreshDisplayValue() = 0;
};
