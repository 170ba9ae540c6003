#include "recordmgr/DictionaryFieldType.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "recordmgr/ConverterOptions.h"

namespace {

// Logical subtypes.
constexpr uint16_t kMoney = 21;
constexpr uint16_t kMemo = 22;
constexpr uint16_t kBinaryBlob = 23;
constexpr uint16_t kGraphicBlob = 26;
constexpr uint16_t kAutoIncrement = 29;

constexpr uint16_t kBlob = 3;
constexpr uint16_t kBytes = 9;
constexpr uint16_t kInt64 = 18;
constexpr uint16_t kUInt64 = 19;

struct LogicalForm {
  uint16_t type = 0;
  uint16_t subType = 0;
  int units1 = 0;
};

LogicalForm logicalForm(uint16_t storedType, int n) {
  using namespace LogicalFieldType;
  switch (storedType) {
    case 0: return n <= 255 ? LogicalForm{Text, 0, n} : LogicalForm{kBlob, kMemo, n - 1};
    case 1:
      switch (n) {
        case 1: return {ConverterOptions.SmallIntAsByte ? UInt16 : Int16, 0, 2};
        case 2: return {Int16, 0, 2};
        case 4: return {Int32, 0, n};
        case 8: return {kInt64, 0, 8};
        default: return {0, 0, n};
      }
    case 2:
    case 5:
    case 8:
    case 9:
    case 17:
    case 18: return {Float, 0, n};
    case 3: return {Date, 0, n};
    case 4: return {Time, 0, n};
    case 6:
    case 19: return {Float, kMoney, n};
    case 7: return {Boolean, 0, 4};
    case 10: return {Text, 0, n - 1};
    case 11:
      if (n == 1) return {kBytes, 0, n - 1};
      return n <= 256 ? LogicalForm{Text, 0, n - 1} : LogicalForm{kBlob, kMemo, n - 1};
    case 12: return n == 1 ? LogicalForm{kBytes, 0, n - 1} : LogicalForm{kBlob, kMemo, n - 1};
    case 13: return n < 4 ? LogicalForm{kBytes, 0, n - 4} : LogicalForm{kBlob, kMemo, n - 4};
    case 14:
      switch (n) {
        case 1: return {UInt16, 0, 2};
        case 2: return {UInt16, 0, n};
        case 4: return {UInt32, 0, n};
        case 6: return {kBytes, 0, n};
        case 8: return {kUInt64, 0, n};
        default: return {0, 0, n};
      }
    case 15:
      switch (n) {
        case 1: return {Int16, kAutoIncrement, 2};
        case 2: return {Int16, kAutoIncrement, n};
        case 4: return {Int32, kAutoIncrement, n};
        case 6: return {kBytes, kAutoIncrement, n};
        case 8: return {kInt64, kAutoIncrement, n};
        default: return {0, kAutoIncrement, n};
      }
    case 16: return {Boolean, 0, n};
    case 20:
    case 253: return {Timestamp, 0, n};
    case 228:
    case 233:
    case 234:
    case 241:
    case 242:
    case 243:
    case 244:
    case 245: return {Date, 0, n};
    case 229:
    case 230:
    case 231:
    case 232:
    case 235:
    case 237:
    case 238:
    case 239:
    case 246:
    case 247:
    case 255: return {Float, 0, n};
    case 254: return {Float, kMoney, n};
    case 236:
    case 240: return {Time, 0, n};
    default: return {0, 0, n};
  }
}

}  // namespace

void MapDictionaryType(const DictionaryFieldRecord& Field, uint16_t FieldNumber, FieldDescriptor& Descriptor) {
  std::memset(&Descriptor, 0, sizeof Descriptor);
  std::string_view name(Field.Name, DictionaryFieldRecord::NameSize);
  name = name.substr(0, name.find('\0'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  name = name.substr(0, FieldDescriptor::NameSize - 1);

  LogicalForm form = logicalForm(Field.DataType, Field.Size);
  if (form.type == kBlob) {
    // A blob's name tells its kind: "111" a graphic, "222" binary; any other stays a memo.
    if (name.find("111") != std::string_view::npos) {
      form.subType = kGraphicBlob, form.units1 = 0;
    } else if (name.find("222") != std::string_view::npos) {
      form.subType = kBinaryBlob, form.units1 = 0;
    }
  }
  Descriptor.FieldNumber = FieldNumber;
  std::memcpy(Descriptor.FieldName, name.data(), name.size());
  Descriptor.FieldType = form.type;
  Descriptor.FieldSubType = form.subType;
  Descriptor.FieldUnits1 = static_cast<int16_t>(form.units1);
  Descriptor.FieldUnits2 = Field.Decimals;
  Descriptor.Offset = Field.Offset;
  Descriptor.FieldLength = Field.Size;
}
