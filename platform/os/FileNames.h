#pragma once
// The parts of a program path, taken from its text alone: '\' and '/' both separate, and a drive
// letter's ':' ends the drive part. Nothing here looks at the disk.
#include <string>
#include <string_view>

namespace qn::os {

// "C:\data\Case.qc" -> "C:"; "" when the path has no drive.
std::string extractFileDrive(std::string_view path);
// "C:\data\Case.qc" -> "C:\data\" (the separator kept).
std::string extractFilePath(std::string_view path);
// "C:\data\Case.qc" -> "C:\data" (without the final separator).
std::string extractFileDir(std::string_view path);
// "C:\data\Case.qc" -> "Case.qc".
std::string extractFileName(std::string_view path);
// "C:\data\Case.qc" -> ".qc"; "" when the name has no '.'.
std::string extractFileExt(std::string_view path);
// The path with its extension replaced (or added); extension includes its '.', or is empty.
std::string changeFileExt(std::string_view path, std::string_view extension);

}  // namespace qn::os
