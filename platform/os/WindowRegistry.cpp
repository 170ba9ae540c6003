#include "platform/os/OsError.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/WindowRegistry.h"

#include <dirent.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/os/LockFile.h"
#include "platform/os/MessageSocket.h"
#include "platform/os/RuntimeFolders.h"

namespace qn::os::windowRegistry {
namespace {

constexpr WindowId firstId = 0x10000;

std::string folder() { return runtimeSubdir("windows"); }
std::string entryPath(WindowId id) { return folder() + "/" + std::to_string(id) + ".window"; }

// Texts are single lines of bytes; a line break in a caption would end the field early, so it is
// written as a blank.
std::string oneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

std::string format(const WindowEntry& e) {
  std::ostringstream out;
  out << "id=" << e.id << "\nowner=" << e.owner << "\nclass=" << oneLine(e.className) << "\ncaption="
      << oneLine(e.caption) << "\nminimized=" << (e.minimized ? 1 : 0) << "\nmain=" << (e.mainWindow ? 1 : 0) << "\npid=" << e.process.pid
      << "\nstarted=" << e.process.startTime << "\naddress=" << oneLine(e.address) << "\n";
  return out.str();
}

std::optional<WindowEntry> parse(std::istream& in) {
  WindowEntry e;
  std::string line;
  int fields = 0;
  while (std::getline(in, line)) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    ++fields;
    if (key == "id") e.id = static_cast<WindowId>(std::stoul(value));
    else if (key == "owner") e.owner = static_cast<WindowId>(std::stoul(value));
    else if (key == "class") e.className = value;
    else if (key == "caption") e.caption = value;
    else if (key == "minimized") e.minimized = value == "1";
    else if (key == "main") e.mainWindow = value == "1";
    else if (key == "pid") e.process.pid = static_cast<pid_t>(std::stol(value));
    else if (key == "started") e.process.startTime = std::stoull(value);
    else if (key == "address") e.address = value;
    else --fields;
  }
  if (fields != 9 || e.id == 0) return std::nullopt;
  return e;
}

// The entry in the file, when its process still runs. A window of an ended process is removed,
// with its socket unless a running program receives on that address now.
std::optional<WindowEntry> load(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::optional<WindowEntry> entry;
  try {
    entry = parse(in);
  } catch (const std::exception&) {  // a number field that is no number: not ours to trust
  }
  if (!entry) return std::nullopt;
  if (!isRunning(entry->process)) {
    ::unlink(path.c_str());
    if (!entry->address.empty() && !messageSocketInUse(entry->address)) ::unlink(entry->address.c_str());
    return std::nullopt;
  }
  return entry;
}

}  // namespace

WindowId allocateId() {
  std::string counterPath = folder() + "/next-id";
  LockFile lockFile(counterPath + ".lock");
  std::lock_guard lock(lockFile);
  WindowId next = firstId;
  if (std::ifstream in(counterPath); in) in >> next;
  if (next < firstId) next = firstId;
  replaceFileContent(counterPath, std::to_string(next + 1) + "\n");
  return next;
}

void put(const WindowEntry& entry) { replaceFileContent(entryPath(entry.id), format(entry)); }

void remove(WindowId id) { ::unlink(entryPath(id).c_str()); }

std::optional<WindowEntry> find(WindowId id) { return load(entryPath(id)); }

std::optional<WindowEntry> find(const AnsiString& className, const AnsiString& caption) {
  for (const WindowEntry& e : all()) {
    if (strcasecmp(e.className.c_str(), className.c_str()) == 0 && strcasecmp(e.caption.c_str(), caption.c_str()) == 0)
      return e;
  }
  return std::nullopt;
}

std::vector<WindowEntry> all() {
  std::vector<WindowEntry> entries;
  std::string dir = folder();
  DIR* d = ::opendir(dir.c_str());
  if (!d) return entries;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name.size() <= 7 || name.compare(name.size() - 7, 7, ".window") != 0) continue;
    if (auto entry = load(dir + "/" + name)) entries.push_back(std::move(*entry));
  }
  ::closedir(d);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  return entries;
}

}  // namespace qn::os::windowRegistry
