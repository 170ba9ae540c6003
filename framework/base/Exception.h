#pragma once
// The root of the system's exceptions: a TObject with a message. Handlers show the message;
// EAbort and its kind are silent.
#include <exception>

#include "framework/base/Object.h"

class Exception : public TObject, public std::exception {
  QN_CLASS(Exception, TObject)
 public:
  explicit Exception(AnsiString message) : message_(std::move(message)) {}

  const AnsiString& Message() const { return message_; }
  void SetMessage(AnsiString message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  AnsiString message_;
};
