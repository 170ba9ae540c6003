#pragma once
// The root of the system's exceptions: a TObject with a message, and the kinds the system and its
// framework raise. Handlers show the message; EAbort and its kind are silent.
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

// Declares an exception class Self, a direct descendant of Parent with Parent's constructor.
#define QN_EXCEPTION(Self, Parent) \
  class Self : public Parent {     \
    QN_CLASS(Self, Parent)         \
   public:                         \
    using Parent::Parent;          \
  };

// Silent: the application's handler shows nothing for it. It still carries a message, which
// some callers read to learn why an operation stopped.
QN_EXCEPTION(EAbort, Exception)
QN_EXCEPTION(EDatabaseError, Exception)
QN_EXCEPTION(EInvalidOperation, Exception)
// Text that is not a number, date or time; a format that does not fit its arguments.
QN_EXCEPTION(EConvertError, Exception)
// A failed read, write or open of a file, with the operating system's error code.
class EInOutError : public Exception {
  QN_CLASS(EInOutError, Exception)
 public:
  EInOutError(AnsiString message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};
// An index outside a list, a string list or a bit set; an operation a list refuses.
QN_EXCEPTION(EListError, Exception)
QN_EXCEPTION(EOutOfMemory, Exception)
// Floating-point failures; EOverflow: a result too large for the form it must take.
QN_EXCEPTION(EMathError, Exception)
QN_EXCEPTION(EOverflow, EMathError)
// A stream that could not read or write all that was asked.
QN_EXCEPTION(EStreamError, Exception)
// A file stream whose file could not be opened or created.
QN_EXCEPTION(EFOpenError, EStreamError)

// Raises EAbort with the message "Operation aborted": ends the current operation silently.
[[noreturn]] void Abort();
