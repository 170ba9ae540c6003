#pragma once
// The path service: turns the paths the program builds (backslashes, drive letters, "." and "..",
// letter case that varies from one use of a file to the next) into Linux paths. Every file
// operation of the system, the record manager's included, goes through it.
#include <string>
#include <string_view>

#include "platform/os/OsError.h"

namespace qn::os {

// A program path that cannot be turned into a Linux path.
class PathError : public OsError {
 public:
  using OsError::OsError;
};

// Two entries of one folder match a path component without regard to case, so the component
// cannot be resolved. The message names both.
class AmbiguousPathError : public PathError {
 public:
  using PathError::PathError;
};

// A path names a drive letter the drive map (DriveMap.h) does not map.
class UnmappedDriveError : public PathError {
 public:
  using PathError::PathError;
};

// The Linux path for a program path. '\' and '/' both separate; a leading drive letter ("C:\x",
// also "C:x") stands for its mapped folder; "." is dropped and ".." takes back the component
// before it, as the other system did, without looking at the disk. Each remaining component
// resolves against what exists: the exact spelling first, else the one entry that matches
// without regard to case. Components that do not exist keep their spelling, so a new file is
// created as named.
std::string resolvePath(std::string_view programPath);

}  // namespace qn::os
