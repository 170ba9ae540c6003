#pragma once
// TSqlStmt: the driver-independent SQL statement of a database: its kind, its text (held in the
// OEM character set the SQL interface reads) and the value of property 16, which makes the
// statement's result an aggregate result set. Preparing, binding, executing and releasing are the
// SQL driver's, which derives from it.
#include <cstdint>
#include <optional>

#include "framework/base/AnsiString.h"
#include "recordmgr/BapiListItem.h"

class TSqlStmt : public TBapiListItem {
  QN_CLASS(TSqlStmt, TBapiListItem)
 public:
  static constexpr uint32_t AggregateProperty = 16;

  // Stores the kind and the text (nil: none). A driver's own SetText does not run from here:
  // a driver constructor that rewrites texts sets its text itself.
  TSqlStmt(TBapiListItem* owner, uint16_t kind, const char* text, TKorvoCollection* list);

  uint16_t Kind() const { return kind_; }
  // The text in the OEM character set; nullptr when there is none.
  const char* Text() const { return text_ ? text_->c_str() : nullptr; }
  uint32_t PropertyValue() const { return propertyValue_; }

  // Property 1: the 16-bit value 32; 4: one zero byte; 16: the 32-bit property value; any other
  // is not supported.
  void GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) override;
  // Property 16 is stored; others are ignored.
  void SetProperty(uint32_t property, uint32_t value) override;
  // Properties 1, 2, 3, 4 and 19 are not supported when the flag is set.
  void CheckProperty(uint32_t property, bool flag) override;

  // Replaces the text with a copy of the new one converted to OEM; nil leaves none.
  virtual void SetText(const char* text);
  virtual void Prepare() {}
  virtual void Release() {}

 protected:
  // Release and drop the text while the driver's part still stands.
  void BeforeDestruction() override;

 private:
  uint32_t propertyValue_ = 0;
  std::optional<AnsiString> text_;
  uint16_t kind_;
};
