#pragma once
// TdcFieldOperators: the three words of the filter dialog's value syntax. The words must differ
// from one another; a setter that makes two of them equal (without regard to case) warns the user
// but keeps the value, as the user may be on the way to changing the other one.
#include "framework/base/Persistent.h"

class TdcFieldOperators : public TPersistent {
  QN_CLASS(TdcFieldOperators, TPersistent)
 public:
  const AnsiString& OrChar() const { return orChar_; }
  void SetOrChar(const AnsiString& Value) { set(orChar_, Value); }
  const AnsiString& AndChar() const { return andChar_; }
  void SetAndChar(const AnsiString& Value) { set(andChar_, Value); }
  const AnsiString& NullChar() const { return nullChar_; }
  void SetNullChar(const AnsiString& Value) { set(nullChar_, Value); }

  void Assign(TPersistent* Source) override;

 private:
  void set(AnsiString& word, const AnsiString& Value);

  AnsiString orChar_ = "or";
  AnsiString andChar_ = "and";
  AnsiString nullChar_ = "null";
};
