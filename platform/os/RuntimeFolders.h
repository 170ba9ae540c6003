#pragma once
// The folders inside the runtime folder, one per service that keeps state there while programs
// run: "mutex" (named mutexes), "windows" (the window registry), "bus" (message sockets).
#include <string>

namespace qn::os {

// <runtime folder>/<name>, created on first use.
std::string runtimeSubdir(const std::string& name);

// Writes contents to path through a temporary file and a rename, so a reader sees the old
// file or the new one, never a part. Throws std::system_error on failure.
void replaceFileAtomically(const std::string& path, const std::string& contents);

}  // namespace qn::os
