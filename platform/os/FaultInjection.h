#pragma once
// Failures a test asks for, to prove that an operation failing at its most delicate point leaves
// everything as it was. Each injected fault strikes once, at the next occurrence in this process or
// at a later one the test names.
namespace qn::os {

enum class Fault {
  HiveWrite,  // the next hive replacement fails after its new content is on disk, before the rename
  KeyOpen,    // the next registry key open answers false as if the key could not be opened
  TemporaryFlush,  // the next flush of a file's new content to disk fails, before the rename (keep last)
};

// The fault strikes at its occurrence-th occurrence from now (1: the next); the ones before pass.
void injectFault(Fault fault, int occurrence = 1);

// Called at the fault's point: true, once, at the occurrence the fault was injected for.
bool takeInjectedFault(Fault fault);

}  // namespace qn::os
