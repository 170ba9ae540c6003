#pragma once
// The engine's description of a field the dictionary defines by its stored type and size: the
// logical type and subtype the stored type is presented as, and its units.
#include <cstdint>

#include "recordmgr/DictionaryFieldRecord.h"
#include "recordmgr/FieldDescriptor.h"

// Fills Descriptor (cleared first) from the field record: number, name without its trailing
// blanks, logical type, subtype, units, offset and stored size. A stored type without a logical
// form gets logical type 0.
void MapDictionaryType(const DictionaryFieldRecord& Field, uint16_t FieldNumber, FieldDescriptor& Descriptor);
