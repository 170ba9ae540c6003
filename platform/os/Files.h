#pragma once
// File and folder operations on program paths (each goes through the path service, so
// backslashes, drive letters and letter case work as the program expects). Operations answer
// false when they fail, as the program tests them; a path that cannot be resolved raises
// PathError (Paths.h).
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace qn::os {

bool fileExists(std::string_view path);       // a file, not a folder
bool directoryExists(std::string_view path);  // a folder

// Creates the folder and every missing folder above it; true when the folder exists afterwards.
bool forceDirectories(std::string_view path);

// Copies the file's content, permissions and modification time. With failIfExists an existing
// destination is left alone and the answer is false. The destination appears whole or not at all.
bool copyFile(std::string_view from, std::string_view to, bool failIfExists);

// Makes an empty file where no file, folder or link of that name stands, in one step: of several
// processes making the same name at once exactly one succeeds. False when the name is taken or
// the file cannot be made.
bool createNewFile(std::string_view path);

bool deleteFile(std::string_view path);
// Renames or moves a file or folder; an existing destination is left alone and the answer is false.
bool renameFile(std::string_view from, std::string_view to);

std::string currentDirectory();
bool setCurrentDirectory(std::string_view path);

// When the file (or folder) was last written; nothing when it does not exist.
std::optional<std::time_t> fileModificationTime(std::string_view path);

}  // namespace qn::os
