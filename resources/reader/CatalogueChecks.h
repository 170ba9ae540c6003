#pragma once
// Whether a catalogue entry holds together: every field lies inside the record and no two
// overlap; every key segment lies over one field of the same extent and type; every field of a
// record structure the file is opened with is found in the file's fields. Each check answers
// the problems it found, as sentences naming the entry; none means the entry passes.
#include <string>
#include <vector>

#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/RecordStructures.h"

namespace qn::catalogue {

// Fields and layouts: inside the record, not empty, not overlapping, unique names of at most
// kLayoutFieldNameKept characters, and of a type a carried layout can hold.
std::vector<std::string> checkFields(const CatalogueEntry& entry);

// Keys: segments inside the record, each over exactly one field of the same type; a
// case-insensitive segment only on text.
std::vector<std::string> checkKeys(const CatalogueEntry& entry);

// Structures: a field at 1-based offset o and size s is found at 0-based o - 1 with size s and a
// compatible type; a text field may also be cut differently by the file's fields (several
// neighbouring text fields that together cover it exactly, or a part of one text field).
std::vector<std::string> checkStructureCoverage(const CatalogueEntry& entry, const std::vector<StructureCode>& codes);

}  // namespace qn::catalogue
