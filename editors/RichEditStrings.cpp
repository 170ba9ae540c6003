#include "editors/RichEditStrings.h"

#include <utility>

#include "framework/ui/RichEdit.h"

TdcRichEditStrings::TdcRichEditStrings(TCustomRichEdit* edit)
    : edit_(edit), paragraphs_(edit->TCustomRichEdit::Lines()) {}

void TdcRichEditStrings::Put(int index, const AnsiString& s) {
  if (index < 0 || index >= Count()) return;
  paragraphs_->Put(index, s);
}

void TdcRichEditStrings::InsertObject(int index, const AnsiString& s, TObject* object) {
  if (index < 0 || index > Count()) return;
  paragraphs_->InsertObject(index, s, object);
}

void TdcRichEditStrings::AddStrings(const TStrings& other) {
  // Every added line moves the caret; whoever listens hears of the selection once it is over.
  class Suspended {
   public:
    explicit Suspended(TNotifyEvent& event) : event_(event), saved_(std::exchange(event, nullptr)) {}
    ~Suspended() { event_ = std::move(saved_); }

   private:
    TNotifyEvent& event_;
    TNotifyEvent saved_;
  } suspended(edit_->OnSelectionChange);
  TStrings::AddStrings(other);
}

void TdcRichEditStrings::SetText(const AnsiString& text) { edit_->SetText(text); }

void TdcRichEditStrings::SetUpdateState(bool updating) {
  // Switched on whatever happened meanwhile: a window hidden during the bracket paints again.
  if (!updating) {
    edit_->SetRedraw(true);
  } else if (edit_->Showing()) {
    edit_->SetRedraw(false);
  }
}
