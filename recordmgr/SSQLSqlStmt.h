#pragma once
// TSSQLSqlStmt: a statement of an SQL database on an interface cursor of its own. Its text is
// sent as the interface reads it (RewriteSqlText, no character-set conversion); unnamed
// parameters are substituted by position as the variables the rewrite made; executing with a
// result hands back a result-set cursor over the statement's interface cursor, which stays the
// statement's.
#include <cstdint>
#include <optional>

#include "framework/base/AnsiString.h"
#include "recordmgr/FieldDescriptor.h"
#include "recordmgr/SqlStmt.h"

class TBaseTable;

class TSSQLSqlStmt : public TSqlStmt {
  QN_CLASS(TSSQLSqlStmt, TSqlStmt)
 public:
  static constexpr int16_t NoCursor = -1;
  static constexpr int16_t UnresolvedVariables = -108;
  static constexpr uint16_t ParameterDescriptorSize = 62;

  // Sets the text and, when there is one, prepares it.
  TSSQLSqlStmt(TBapiListItem* database, uint16_t kind, const char* text, TKorvoCollection* list,
               const uint8_t* clientId);

  int16_t CursorId() const { return cursorId_; }
  const uint8_t* ClientId() const { return clientId_; }
  // The text as sent; nullptr when there is none.
  const char* SentText() const { return sent_ ? sent_->c_str() : nullptr; }

  void SetText(const char* text) override;
  // Compiles the text on a new interface cursor; unresolved variables (-108) are no failure.
  void Prepare() override;
  void Release() override;
  // Parameter i of count, described by descriptors[i] with its value in the record at the
  // descriptor's offset, becomes the variable QVARi as text; named parameters are left alone.
  void Bind(uint16_t count, const FieldDescriptor* descriptors, const void* record);
  // Runs the statement once; with result given, through the result-set cursor (aggregate when
  // property 16 is set) that it hands back, whose activation runs it.
  void Execute(TBaseTable** result);

 protected:
  void BeforeDestruction() override;

 private:
  int16_t cursorId_ = NoCursor;
  const uint8_t* clientId_;
  std::optional<AnsiString> sent_;
};

// The text a parameter value is substituted as, by its logical type.
AnsiString SqlParameterText(const FieldDescriptor& descriptor, const uint8_t* value);
