#pragma once
// The JSON description of a record file (the schema the record-file catalogue uses too) turned
// into the record manager's create specification, and a file's layout turned back into it.
// Members the schema does not name are ignored, so a catalogue entry can carry more.
#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/recmgr/FileSpec.h"

namespace qn::recmgr {

class FileSpecJsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct FileDescription {
  std::vector<uint8_t> createSpecification;  // as operation 14 takes it
  std::string owner;                         // empty: none
};

// Throws FileSpecJsonError naming the member at fault.
FileDescription fileDescriptionFromJson(const nlohmann::json& description);

// The description of an existing file's layout, in the same schema.
nlohmann::json fileDescriptionToJson(const FileSpec& spec, const std::string& owner);

// The schema's name of a key type, and back (throws for an unknown name).
std::string keyTypeName(uint8_t type);
uint8_t keyTypeFromName(const std::string& name);

}  // namespace qn::recmgr
