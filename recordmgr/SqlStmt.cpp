#include "recordmgr/SqlStmt.h"

#include "framework/base/OemText.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"

TSqlStmt::TSqlStmt(TBapiListItem* owner, uint16_t kind, const char* text, TKorvoCollection* list)
    : TBapiListItem(owner, list), kind_(kind) {
  SetText(text);
}

void TSqlStmt::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  switch (property) {
    case 1: {
      const uint16_t value = 32;
      AnswerProperty(buffer, bufferSize, &value, sizeof value, length);
      break;
    }
    case 4: {
      const uint8_t value = 0;
      AnswerProperty(buffer, bufferSize, &value, sizeof value, length);
      break;
    }
    case AggregateProperty:
      AnswerProperty(buffer, bufferSize, &propertyValue_, sizeof propertyValue_, length);
      break;
    default:
      RaiseNotSupported(EngineOperationText::Property);
  }
}

void TSqlStmt::SetProperty(uint32_t property, uint32_t value) {
  if (property == AggregateProperty) propertyValue_ = value;
}

void TSqlStmt::CheckProperty(uint32_t property, bool flag) {
  const bool restricted = property == 1 || property == 2 || property == 3 || property == 4 || property == 19;
  if (restricted && flag) RaiseNotSupported(EngineOperationText::Property);
}

void TSqlStmt::SetText(const char* text) {
  text_.reset();
  if (text) text_ = qn::ansiToOem(text);
}

void TSqlStmt::BeforeDestruction() {
  Release();
  SetText(nullptr);
  TBapiListItem::BeforeDestruction();
}
