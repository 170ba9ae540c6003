#include "recordmgr/BapiListItem.h"

#include <cstring>

#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/KorvoCollection.h"

TBapiListItem::TBapiListItem(TBapiListItem* owner, TKorvoCollection* list) : owner_(owner), list_(list) {
  if (list_) list_->Add(this);
}

TBapiListItem::TBapiListItem(TBapiListItem* owner, const char*, const char*, TKorvoCollection* list)
    : TBapiListItem(owner, list) {}

TBapiListItem::~TBapiListItem() {
  if (list_) list_->Remove(this);
}

int TBapiListItem::IndexInList() const { return list_ ? list_->IndexOf(const_cast<TBapiListItem*>(this)) : 0; }

void TBapiListItem::GetProperty(uint32_t, void*, uint16_t&, uint16_t) { RaiseNotSupported(EngineOperationText::Property); }

void TBapiListItem::AnswerProperty(void* buffer, uint16_t bufferSize, const void* value, uint16_t size, uint16_t& length) {
  if (bufferSize < size) RaiseEngineError(DBIERR_INVALIDPARAM);
  std::memcpy(CheckParam(buffer), value, size);
  length = size;
}
