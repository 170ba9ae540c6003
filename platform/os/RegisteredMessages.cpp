#include "platform/os/RegisteredMessages.h"

#include <strings.h>

#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <system_error>

#include "platform/os/LockFile.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RuntimeFolders.h"

namespace qn::os {
namespace {

struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

// The table file holds one "number name" line per message.
struct Table {
  std::map<std::string, unsigned, NoCase> numbers;
  std::map<unsigned, std::string> names;

  void add(unsigned number, const std::string& name) {
    numbers.emplace(name, number);
    names.emplace(number, name);
  }
};

std::string tablePath() { return runtimeDir() + "/messages"; }

Table readTable() {
  Table table;
  std::ifstream in(tablePath());
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    unsigned number;
    if (!(fields >> number)) continue;
    fields.get();  // the blank before the name
    std::string name;
    std::getline(fields, name);
    if (!name.empty()) table.add(number, name);
  }
  return table;
}

// What this process has looked up already; numbers never change while the desktop lives.
std::mutex cacheGuard;
Table cache;

}  // namespace

unsigned registerWindowMessage(const std::string& name) {
  if (name.empty() || name.find('\n') != std::string::npos) return 0;
  std::lock_guard cacheLock(cacheGuard);
  if (auto it = cache.numbers.find(name); it != cache.numbers.end()) return it->second;
  try {
    LockFile lockFile(tablePath() + ".lock");
    std::lock_guard fileLock(lockFile);
    Table table = readTable();
    auto it = table.numbers.find(name);
    unsigned number;
    if (it != table.numbers.end()) {
      number = it->second;
    } else {
      number = table.names.empty() ? firstRegisteredMessage : table.names.rbegin()->first + 1;
      if (number > lastRegisteredMessage) return 0;
      std::ostringstream out;
      for (const auto& [n, text] : table.names) out << n << ' ' << text << '\n';
      out << number << ' ' << name << '\n';
      replaceFileAtomically(tablePath(), out.str());
      table.add(number, name);
    }
    cache = std::move(table);
    return number;
  } catch (const std::system_error&) {
    return 0;
  }
}

std::optional<std::string> registeredMessageName(unsigned number) {
  std::lock_guard cacheLock(cacheGuard);
  auto it = cache.names.find(number);
  if (it == cache.names.end()) {
    cache = readTable();
    it = cache.names.find(number);
    if (it == cache.names.end()) return std::nullopt;
  }
  return it->second;
}

}  // namespace qn::os
