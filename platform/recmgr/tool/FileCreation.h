#pragma once
// Making a record file from its JSON description, as `qnrecmgr create` and the seeding tool do.
#include <nlohmann/json.hpp>

#include <string>

namespace qn::recmgr {

// Makes the file at `path` (a Linux path); with `replace` an existing file is replaced whole.
// Throws FileSpecJsonError naming what is wrong with the description or the status that refused it.
void createRecordFile(const std::string& path, const nlohmann::json& description, bool replace);

}  // namespace qn::recmgr
