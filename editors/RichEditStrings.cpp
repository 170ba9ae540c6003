#include "editors/RichEditStrings.h"

void TdcRichEditStrings::Put(int index, const AnsiString& s) {
  if (index < 0 || index >= Count()) return;
  paragraphs_->Put(index, s);
}

void TdcRichEditStrings::InsertObject(int index, const AnsiString& s, TObject* object) {
  const int count = Count();
  if (index < 0) return;
  if (index < count) {
    paragraphs_->InsertObject(index, s, object);
  } else if (index == count && count > 0 && !Get(count - 1).empty()) {
    paragraphs_->InsertObject(count, s, object);
  }
}
