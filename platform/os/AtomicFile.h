#pragma once
// Whole-file reads and replacements for files several processes share. A replacement is written
// to a temporary file beside the target, flushed to disk and renamed over it, so a reader sees the
// old content or the new, never a mix, and a crash leaves one of the two.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qn::os {

// The file's bytes; nothing when it does not exist. FileError when it exists but cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file's content (creating it when missing). beforeRename runs once the temporary
// holds the new content and lets a test make the replacement fail at its most delicate point;
// whatever it throws leaves the file as it was and the temporary removed. FileError on failure.
void replaceFileContent(const std::string& path, std::string_view content,
                        const std::function<void()>& beforeRename = {});

}  // namespace qn::os
