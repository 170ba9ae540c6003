#include "resources/reader/CatalogueChecks.h"

#include <algorithm>
#include <set>

#include "resources/reader/LayoutResource.h"

namespace qn::catalogue {
namespace {

// Where a field or segment ends, counted wide enough that no catalogue number overflows it.
long long endOf(int start, int size) { return static_cast<long long>(start) + size; }

std::string describe(const FieldDefinition& f) {
  return "\"" + f.name + "\" (" + std::to_string(f.offset) + "/" + std::to_string(f.size) + ")";
}

void checkLayout(const CatalogueEntry& entry, const std::string& layoutName, const std::vector<FieldDefinition>& fields,
                 std::vector<std::string>& problems) {
  std::string where = entry.source + (layoutName.empty() ? "" : " layout " + layoutName) + ": ";
  std::set<std::string> names;
  for (const FieldDefinition& f : fields) {
    if (f.size <= 0 || f.offset < 0 || endOf(f.offset, f.size) > entry.recordLength)
      problems.push_back(where + "field " + describe(f) + " lies outside the record of " +
                         std::to_string(entry.recordLength) + " bytes");
    if (!names.insert(f.name).second) problems.push_back(where + "field name \"" + f.name + "\" is used twice");
    if (f.name.size() > kLayoutFieldNameKept)
      problems.push_back(where + "field name \"" + f.name + "\" is longer than the layout keeps");
    if (f.type == FieldType::Decimal && (f.decimals < 0 || f.decimals > 2LL * f.size - 1))
      problems.push_back(where + "field " + describe(f) + " has more decimals than digits");
    if (!layoutName.empty()) {
      try {
        layoutResourceField(f, 1);
      } catch (const CatalogueError& e) {
        problems.push_back(where + e.what());
      }
    }
  }
  std::vector<const FieldDefinition*> byOffset;
  for (const FieldDefinition& f : fields) byOffset.push_back(&f);
  std::sort(byOffset.begin(), byOffset.end(), [](auto a, auto b) { return a->offset < b->offset; });
  for (size_t i = 1; i < byOffset.size(); ++i)
    if (byOffset[i]->offset < endOf(byOffset[i - 1]->offset, byOffset[i - 1]->size))
      problems.push_back(where + "fields " + describe(*byOffset[i - 1]) + " and " + describe(*byOffset[i]) +
                         " overlap");
}

bool isRawBytes(FieldType type) {
  return type == FieldType::String || type == FieldType::AutoInc || type == FieldType::Integer;
}

// A structure field is found when one file field has its extent and a compatible type, or, for
// text, when neighbouring text fields cover exactly its extent, or one text field contains it.
bool covered(const StructureField& s, const std::vector<FieldDefinition>& fields) {
  const long long begin = endOf(s.offset, -1), end = begin + s.size;
  for (const FieldDefinition& f : fields) {
    if (f.offset != begin || f.size != s.size) continue;
    switch (s.kind) {
      case StructureFieldKind::Packed: return f.type == FieldType::Decimal && f.decimals == s.decimals;
      case StructureFieldKind::Date: return f.type == FieldType::String || f.type == FieldType::Date;
      case StructureFieldKind::Text: return isRawBytes(f.type);
    }
  }
  if (s.kind != StructureFieldKind::Text) return false;
  for (const FieldDefinition& f : fields)
    if (f.type == FieldType::String && f.offset <= begin && end <= endOf(f.offset, f.size)) return true;
  // Only fields of some size lead on: an empty one would hold the walk where it is.
  for (long long at = begin; at < end;) {
    auto next = std::find_if(fields.begin(), fields.end(), [&](const FieldDefinition& f) {
      return f.offset == at && f.size > 0 && f.type == FieldType::String;
    });
    if (next == fields.end()) return false;
    at += next->size;
    if (at == end) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> checkFields(const CatalogueEntry& entry) {
  std::vector<std::string> problems;
  if (entry.recordLength <= 0) problems.push_back(entry.source + ": the record length is not positive");
  checkLayout(entry, entry.layout, entry.fields, problems);
  for (const LayoutDefinition& extra : entry.additionalLayouts) checkLayout(entry, extra.name, extra.fields, problems);
  return problems;
}

std::vector<std::string> checkKeys(const CatalogueEntry& entry) {
  std::vector<std::string> problems;
  for (size_t k = 0; k < entry.keys.size(); ++k) {
    for (size_t s = 0; s < entry.keys[k].segments.size(); ++s) {
      const KeySegment& seg = entry.keys[k].segments[s];
      std::string where = entry.source + ": key " + std::to_string(k) + " segment " + std::to_string(s + 1) + " (" +
                          std::to_string(seg.position) + "/" + std::to_string(seg.length) + ")";
      if (seg.position < 1 || seg.length < 1 || endOf(seg.position - 1, seg.length) > entry.recordLength) {
        problems.push_back(where + " lies outside the record");
        continue;
      }
      auto field = std::find_if(entry.fields.begin(), entry.fields.end(), [&](const FieldDefinition& f) {
        return f.offset == seg.position - 1 && f.size == seg.length;
      });
      if (field == entry.fields.end())
        problems.push_back(where + " lies over no single field");
      else if (field->type != seg.type)
        problems.push_back(where + " is of type " + std::string(fieldTypeName(seg.type)) + " over field \"" +
                           field->name + "\" of type " + std::string(fieldTypeName(field->type)));
      if (seg.caseInsensitive && seg.type != FieldType::String)
        problems.push_back(where + " ignores case but is not text");
    }
  }
  return problems;
}

std::vector<std::string> checkStructureCoverage(const CatalogueEntry& entry, const std::vector<StructureCode>& codes) {
  std::vector<std::string> problems;
  for (const std::string& code : entry.structures) {
    const StructureCode* structure = findStructure(codes, code);
    if (!structure) {
      problems.push_back(entry.source + ": structure code \"" + code + "\" is unknown");
      continue;
    }
    if (structure->bareLength && *structure->bareLength > 0 && *structure->bareLength != entry.recordLength)
      problems.push_back(entry.source + ": structure " + code + " opens a buffer of " +
                         std::to_string(*structure->bareLength) + " bytes for a record of " +
                         std::to_string(entry.recordLength));
    if (!structure->hasSchema) continue;
    if (structure->recordLength != entry.recordLength)
      problems.push_back(entry.source + ": structure " + code + " describes a record of " +
                         std::to_string(structure->recordLength) + " bytes, the file has " +
                         std::to_string(entry.recordLength));
    for (const StructureField& s : structure->fields)
      if (!covered(s, entry.fields))
        problems.push_back(entry.source + ": structure " + code + " field \"" + s.name + "\" (" +
                           std::to_string(s.offset) + "/" + std::to_string(s.size) +
                           ") has no matching field in the file");
  }
  return problems;
}

}  // namespace qn::catalogue
