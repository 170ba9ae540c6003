#pragma once
// EComponentError: what the component model raises when a component is misused (a name that is
// invalid or taken within its owner, an ownership that would loop, a class that is not registered).
#include "framework/base/Exception.h"

class EComponentError : public Exception {
  QN_CLASS(EComponentError, Exception)
 public:
  using Exception::Exception;
};
