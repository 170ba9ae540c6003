#pragma once
// Readers of the record layouts compiled into the program as raw-data resources: a table opened
// with ";RES:" and a layout name gets its field descriptors from the layout instead of the
// database's dictionary.
#include <string_view>

#include "framework/base/AnsiString.h"

class TBaseTable;

// The shape of a layout reader: bound to one table (any table with a field cache), it knows the
// version and terminator texts of its format and fills the table's field cache.
class TTblResBase {
 public:
  explicit TTblResBase(TBaseTable* Table) : Table_(Table) {}
  virtual ~TTblResBase() = default;
  TTblResBase(const TTblResBase&) = delete;
  TTblResBase& operator=(const TTblResBase&) = delete;

  virtual AnsiString Version() const = 0;
  virtual AnsiString Terminator() const = 0;
  virtual bool Read(const AnsiString& LayoutName) = 0;

  TBaseTable* Table() const { return Table_; }

 private:
  TBaseTable* Table_;
};

// The reader of version "0002" layouts ending in "ABCD".
class TTblResReader : public TTblResBase {
 public:
  using TTblResBase::TTblResBase;

  AnsiString Version() const override;
  AnsiString Terminator() const override;

  // Adds one field cache item per field of the layout (names cut to 31 characters) and answers
  // true. False, reading nothing, for a layout the program lacks and for an unknown version. A
  // layout of the old version 1 is shown as an error, the application is asked to end, and the
  // answer is false. A version that is no number raises EConvertError; bytes that end before the
  // layout does raise engine error 10003 (invalid record structure) naming the layout.
  bool Read(const AnsiString& LayoutName) override;
  // The same for the bytes of a layout already found under that name.
  bool ReadLayout(const AnsiString& LayoutName, std::string_view Bytes);
};
