// Set and get directory: each client's own current directory, the start of its relative names.
#include <filesystem>

#include "platform/recmgr/FilePath.h"
#include "platform/recmgr/Operations.h"

namespace qn::recmgr {

Status Operations::setDirectory(Client& client, Call& call) {
  const std::optional<std::string> name = call.keyText();
  std::string path;
  if (!name || resolveFilePath(client.directory(), *name, path) != status::ok) return status::directoryError;
  std::error_code error;
  if (!std::filesystem::is_directory(path, error)) return status::directoryError;
  client.setDirectory(path);
  return status::ok;
}

Status Operations::getDirectory(Client& client, Call& call) {
  const std::string& directory = client.directory();
  if (directory.size() > maxPathLength) return status::directoryError;
  call.returnKey({directory.c_str(), directory.size() + 1});  // with its terminating zero
  return status::ok;
}

}  // namespace qn::recmgr
