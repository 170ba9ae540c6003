#pragma once
// Making an SQL database folder: SQLDATA.sqlite with the tables, their rows and the column
// catalog, and the dictionary files USER.DDF and PROC.DDF as record files. The folder is built
// under a temporary name beside its place and renamed into it only when complete, so a failure
// leaves nothing behind and an existing database folder is never touched.
#include <stdexcept>
#include <string>

#include "platform/sqlif/tool/DatabaseDescription.h"

namespace qn::sqlif {

class CreationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `folder` must not exist or be an empty folder. Throws CreationError.
void createDatabaseFolder(const std::string& folder, const DatabaseDescription& description);

}  // namespace qn::sqlif
