#include "platform/os/AtomTable.h"

#include <strings.h>

#include <map>
#include <mutex>

namespace qn::os {
namespace {

constexpr unsigned firstAtom = 0xC000;
constexpr unsigned lastAtom = 0xFFFF;
constexpr size_t longestText = 255;

struct Entry {
  std::string text;
  int references;
};

std::mutex guard;
std::map<unsigned, Entry> atoms;

}  // namespace

Atom addAtom(const std::string& text) {
  if (text.empty() || text.size() > longestText) return 0;
  std::lock_guard lock(guard);
  for (auto& [number, entry] : atoms) {
    if (strcasecmp(entry.text.c_str(), text.c_str()) == 0) {
      ++entry.references;
      return static_cast<Atom>(number);
    }
  }
  // The lowest free number, so a long-running program never runs out by churn.
  unsigned number = firstAtom;
  for (const auto& [used, entry] : atoms) {
    if (used != number) break;
    ++number;
  }
  if (number > lastAtom) return 0;
  atoms.emplace(number, Entry{text, 1});
  return static_cast<Atom>(number);
}

std::string atomName(Atom atom) {
  std::lock_guard lock(guard);
  auto it = atoms.find(atom);
  return it == atoms.end() ? std::string() : it->second.text;
}

bool deleteAtom(Atom atom) {
  std::lock_guard lock(guard);
  auto it = atoms.find(atom);
  if (it == atoms.end()) return false;
  if (--it->second.references == 0) atoms.erase(it);
  return true;
}

}  // namespace qn::os
