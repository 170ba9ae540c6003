#include "recordmgr/DatasetFieldTypes.h"

#include <cstdlib>

#include "framework/base/FormatText.h"

namespace {

// Logical types and subtypes of the engine's field descriptors.
enum : uint16_t {
  kString = 1, kDate, kBlob, kBoolean, kInt16, kInt32, kFloat, kBcd, kBytes, kTime, kTimestamp, kUInt16,
  kUInt32, kIeeeFloat, kVarBytes, kLockInfo, kCursor, kInt64, kUInt64, kStructure, kArray, kReference, kTable
};
constexpr uint16_t kSubtypeMoney = 21;
constexpr uint16_t kSubtypeAutoInc = 29;
constexpr uint16_t kSubtypeFixedChar = 31;
constexpr uint16_t kSubtypeUnnamed = 35;

TFieldType blobType(uint16_t subtype) {
  switch (subtype) {
    case 22: case 33: return ftMemo;
    case 24: return ftFmtMemo;
    case 25: return ftParadoxOle;
    case 26: return ftGraphic;
    case 27: return ftDBaseOle;
    case 28: return ftTypedBinary;
    default: return ftBlob;
  }
}

// A 16-bit integer stored in one byte is still a small integer; other lengths are not integers.
TFieldType shortIntegerType(uint16_t length, TFieldType twoBytes) {
  if (length == 1) return ftSmallint;
  return length == 2 ? twoBytes : ftUnknown;
}

}  // namespace

DatasetFieldType DatasetFieldTypeOf(const FieldDescriptor& d) {
  DatasetFieldType t;
  switch (d.FieldType) {
    case kString:
      t.Type = d.FieldUnits1 == 0 ? ftUnknown : d.FieldSubType == kSubtypeFixedChar ? ftFixedChar : ftString;
      t.Size = t.Type == ftUnknown ? 0 : d.FieldUnits1;
      break;
    case kDate: t.Type = ftDate; break;
    case kBlob:
      t.Type = blobType(d.FieldSubType);
      t.Size = d.FieldUnits1;
      break;
    case kBoolean: t.Type = ftBoolean; break;
    case kInt16: t.Type = shortIntegerType(d.FieldLength, ftSmallint); break;
    case kInt32: t.Type = d.FieldSubType == kSubtypeAutoInc ? ftAutoInc : ftInteger; break;
    case kFloat: t.Type = d.FieldSubType == kSubtypeMoney ? ftCurrency : ftFloat; break;
    case kBcd:
      t.Type = ftBCD;
      t.Size = std::abs(d.FieldUnits2);
      t.Precision = d.FieldUnits1;
      break;
    case kBytes: t.Type = ftBytes; t.Size = d.FieldUnits1; break;
    case kTime: t.Type = ftTime; break;
    case kTimestamp: t.Type = ftDateTime; break;
    case kUInt16: t.Type = shortIntegerType(d.FieldLength, ftWord); break;
    case kUInt32: t.Type = ftInteger; break;
    case kVarBytes: t.Type = ftVarBytes; t.Size = d.FieldUnits1; break;
    case kInt64: case kUInt64: t.Type = ftLargeint; break;
    case kStructure:
      t.Type = ftADT;
      t.Size = d.FieldUnits1;
      t.Unnamed = d.FieldSubType == kSubtypeUnnamed;
      t.Children = d.FieldUnits1;
      break;
    case kArray:
      t.Type = ftArray;
      t.Size = d.FieldUnits1;
      t.Children = d.FieldUnits2;
      break;
    case kReference: t.Type = ftReference; t.Size = d.FieldUnits1; break;
    case kTable: t.Type = ftDataSet; break;
    default: break;  // unknown, IEEE float, lock information, cursor and any other type
  }
  return t;
}

AnsiString UniqueFieldDefName(const AnsiString& name, const std::function<bool(const AnsiString&)>& taken) {
  AnsiString candidate = name;
  for (int n = 1; taken(candidate); ++n) candidate = Format("%s_%d", {name, n});
  return candidate;
}

AnsiString ArrayElementName(const AnsiString& arrayName) { return arrayName + "[0]"; }
