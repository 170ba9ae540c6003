#pragma once
// Whole-file reads and replacements for files several processes share. A new content is written
// to a temporary file beside the target and renamed over it, so a reader sees the old content or
// the new, never a mix, and a failure half-way leaves the old file and no temporary behind.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qn::os {

// The file's bytes; nothing when it does not exist. FileError when it exists but cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes a file through write (given the temporary's descriptor) and moves it into place. With
// replace false an existing file stays as it is and the answer is false. beforeRename runs once
// the temporary is complete and lets a test fail the operation at its most delicate point.
// FileError on failure; whatever write or beforeRename throw passes through.
bool placeFile(const std::string& path, const std::function<void(int fd)>& write, bool replace,
               const std::function<void()>& beforeRename = {});

// Replaces the file's content (creating it when missing), flushed to disk before the rename (a
// failed flush, or Fault::TemporaryFlush, raises FileError and leaves the old content).
// FileError, the file untouched, when it is read-only.
void replaceFileContent(const std::string& path, std::string_view content,
                        const std::function<void()>& beforeRename = {});

// Removes the temporaries that writers of path killed half-way left beside it. Only for a caller
// holding the file's write lock: no other writer of the file can be half-way then.
void removeStaleTemporaries(const std::string& path);

// Writes all of data to the descriptor; FileError naming path otherwise.
void writeAll(int fd, std::string_view data, const std::string& path);

}  // namespace qn::os
