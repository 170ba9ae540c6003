#pragma once
// Failures a test asks for, to prove that an operation failing at its most delicate point leaves
// everything as it was. Each injected fault strikes once, at the next occurrence in this process.
namespace qn::os {

enum class Fault {
  HiveWrite,  // the next hive replacement fails after its new content is on disk, before the rename
  KeyOpen,    // the next registry key open answers false as if the key could not be opened
  TemporaryFlush,  // the next flush of a file's new content to disk fails, before the rename (keep last)
};

void injectFault(Fault fault);

// True, once, when the fault was injected; called at the fault's point.
bool takeInjectedFault(Fault fault);

}  // namespace qn::os
