#pragma once
// TdcRichEditStrings: the library rich edit's Lines. A line is a paragraph, whole however the
// window wraps it (a last empty paragraph is no line); Put and Insert quietly do nothing for a
// line that is not there, as the library's callers expect, and the rest goes to the framework's
// paragraph list, which keeps the other paragraphs' formatting. Adding many lines tells the
// control's OnSelectionChange nothing, and an update bracket keeps the window from painting
// until it closes.
#include "framework/base/Strings.h"

class TCustomRichEdit;

class TdcRichEditStrings : public TStrings {
  QN_CLASS(TdcRichEditStrings, TStrings)
 public:
  explicit TdcRichEditStrings(TCustomRichEdit* edit);

  int Count() const override { return paragraphs_->Count(); }
  AnsiString Get(int index) const override { return paragraphs_->Get(index); }
  TObject* GetObject(int) const override { return nullptr; }
  // Replaces the line's text; nothing for a line that does not exist.
  void Put(int index, const AnsiString& s) override;
  void PutObject(int, TObject*) override {}
  // Before line index, or after the last line; nothing further on.
  void InsertObject(int index, const AnsiString& s, TObject* object) override;
  void Delete(int index) override { paragraphs_->Delete(index); }
  void Clear() override { paragraphs_->Clear(); }
  void AddStrings(const TStrings& other) override;
  // The whole text at once, as the control's text: line by line an empty line before the last
  // would count as the uncounted empty last line and vanish.
  void SetText(const AnsiString& text) override;
  void LoadFromStream(TStream& stream) override { paragraphs_->LoadFromStream(stream); }
  void SaveToStream(TStream& stream) const override { paragraphs_->SaveToStream(stream); }

 protected:
  void SetUpdateState(bool updating) override;

 private:
  TCustomRichEdit* edit_;
  TStrings* paragraphs_;
};
