#pragma once
// TdcRichEditStrings: the library rich edit's Lines. A line is a paragraph, whole however the
// window wraps it (a last empty paragraph is no line); Put and Insert quietly do nothing for a
// line that is not there, as the library's callers expect, and the rest goes to the framework's
// paragraph list, which keeps the other paragraphs' formatting.
#include "framework/base/Strings.h"

class TdcRichEditStrings : public TStrings {
  QN_CLASS(TdcRichEditStrings, TStrings)
 public:
  explicit TdcRichEditStrings(TStrings* paragraphs) : paragraphs_(paragraphs) {}

  int Count() const override { return paragraphs_->Count(); }
  AnsiString Get(int index) const override { return paragraphs_->Get(index); }
  TObject* GetObject(int) const override { return nullptr; }
  // Replaces the line's text; nothing for a line that does not exist.
  void Put(int index, const AnsiString& s) override;
  void PutObject(int, TObject*) override {}
  // Before line index; past the last line, after it when it holds text; else nothing.
  void InsertObject(int index, const AnsiString& s, TObject* object) override;
  void Delete(int index) override { paragraphs_->Delete(index); }
  void Clear() override { paragraphs_->Clear(); }
  void LoadFromStream(TStream& stream) override { paragraphs_->LoadFromStream(stream); }
  void SaveToStream(TStream& stream) const override { paragraphs_->SaveToStream(stream); }

 private:
  TStrings* paragraphs_;
};
