#pragma once
// The paragraphs of a rich edit as a list of lines. Reading gives a paragraph's text; putting,
// inserting and deleting change only that paragraph, so the others keep their formatting. A last
// empty paragraph is no line, so text ending in a line break has as many lines as breaks. Streams
// and files carry the formatting too.
#include "framework/base/Strings.h"

class TCustomRichEdit;

class RichEditLines : public TStrings {
  QN_CLASS(RichEditLines, TStrings)
 public:
  explicit RichEditLines(TCustomRichEdit* edit) : edit_(edit) {}

  int Count() const override;
  AnsiString Get(int index) const override;
  TObject* GetObject(int) const override { return nullptr; }
  void Put(int index, const AnsiString& s) override;
  void PutObject(int, TObject*) override {}
  void InsertObject(int index, const AnsiString& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  // Rich text (plain text in the edit's plain-text mode); text that is no rich text is read as
  // plain text.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;

 private:
  void check(int index, int count) const;

  TCustomRichEdit* edit_;
};
