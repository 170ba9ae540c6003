#pragma once
// Turns a file name a caller passed into the one path the engine uses for that file: relative
// names start from the client's directory, the path service resolves separators, drives and
// letter case, and links are followed, so two spellings of one file share one connection.
#include <string>

#include "platform/recmgr/Statuses.h"

namespace qn::recmgr {

// 11 for an empty name, one ending in a separator, or one that matches several entries without regard to case; 35 for a
// drive letter no folder is mapped to.
Status resolveFilePath(const std::string& directory, const std::string& name, std::string& path);

}  // namespace qn::recmgr
