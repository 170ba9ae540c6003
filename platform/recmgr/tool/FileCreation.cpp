#include "platform/recmgr/tool/FileCreation.h"

#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tool/FileSpecJson.h"

namespace qn::recmgr {

void createRecordFile(const std::string& path, const nlohmann::json& description, bool replace) {
  const FileDescription made = fileDescriptionFromJson(description);
  FileSpec spec;
  const std::vector<uint8_t>& bytes = made.createSpecification;
  if (Status s = parseCreateSpecification(bytes.data(), bytes.size(), spec); s != status::ok)
    throw FileSpecJsonError("the keys cannot be made: status " + std::to_string(s));
  if (Status s = RecordFile::create(path, spec, made.owner, replace); s != status::ok)
    throw FileSpecJsonError("cannot create " + path + ": status " + std::to_string(s));
}

}  // namespace qn::recmgr
